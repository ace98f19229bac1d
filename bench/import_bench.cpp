// The import of a CAM program of 35,000 lines in standard G-code, and in
// the same run the drawing of what it makes (every part of the split
// program, as the operator would draw them one after the other): the
// import is to take at most the time of the drawing.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_support.h"
#include "nc/import/gcode_import.h"
#include "workstation/draw_command.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLines = 35000;

// Contours as a CAM post writes them: feed moves, quarter arcs with the
// centre relative to the start, a retract and a plunge at each new
// contour, a comment now and then; all inside the default work area.
std::string CamProgram(int lines) {
  std::string text = "%\n(bench)\nG90 G94 G17 G21\nT1 M6\nS12000 M3\nG54\nG0 X10 Y10 Z5\nG1 Z-1 F300\n";
  int written = 8;
  double x = 10.0, y = 10.0;
  for (int k = 0; written < lines - 2; ++k, ++written) {
    const int step = k % 20;
    if (step < 12) {
      x += 0.5;
      text += "G1 X" + std::to_string(x) + " Y" + std::to_string(y) + " F800\n";
    } else if (step < 17) {
      text += "G3 X" + std::to_string(x + 1.0) + " Y" + std::to_string(y + 1.0) + " I0 J1 ; corner\n";
      x += 1.0;
      y += 1.0;
    } else if (step == 17) {
      text += "G0 Z5 (next contour)\n";
    } else if (step == 18) {
      if (x > 350.0) x = 10.0;
      if (y > 250.0) y = 10.0;
      text += "G0 X" + std::to_string(x) + " Y" + std::to_string(y) + "\n";
    } else {
      text += "G1 Z-1 F300\n";
    }
  }
  return text + "M30\n%\n";
}

const std::string& Program() {
  static const std::string program = CamProgram(kLines);
  return program;
}

void BM_Import35000Lines(benchmark::State& state) {
  for (auto _ : state) {
    const nc::ImportResult result = nc::ImportProgram(Program(), {});
    if (!result.ok) state.SkipWithError("the import refused the program");
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_Import35000Lines)->Unit(benchmark::kMillisecond);

void BM_DrawingOfTheImported35000Lines(benchmark::State& state) {
  const nc::ImportResult result = nc::ImportProgram(Program(), {});
  const fs::path dir = fs::temp_directory_path() / "rur-bench-import";
  fs::create_directories(dir);
  bench::NoDialogs dialogs;
  bench::NoPump pump;
  rur::Workstation ws(dialogs, pump, {"", dir.string()});
  ws.LoadSettingsAtActivation();
  ws.ReplaceProgram((dir / "%1").string());
  rur::DrawCommandView view;
  for (auto _ : state) {
    for (const nc::ImportedProgram& part : result.parts) {
      if (!rur::DrawProgram(ws, part.lines, false, view)) state.SkipWithError("a part did not draw");
    }
  }
}
BENCHMARK(BM_DrawingOfTheImported35000Lines)->Unit(benchmark::kMillisecond);


// The same as whole commands, as an operator runs them: rur-cli import
// writes the parts, rur-cli draw draws each of them.
struct ImportFiles {
  ImportFiles() {
    dir = fs::temp_directory_path() / "rur-bench-import-cli";
    fs::create_directories(dir);
    std::ofstream(dir / "cam.nc", std::ios::binary) << Program();
    const nc::ImportResult result = nc::ImportProgram(Program(), {});
    parts = result.parts.empty() ? 1 : result.parts.size();
  }
  std::string Command(const std::string& arguments) const {
    return std::string(RUR_CLI_PATH) + " " + arguments + " --data '" + dir.string() + "' >/dev/null 2>&1";
  }
  fs::path dir;
  std::size_t parts = 1;
};

const ImportFiles& Files() {
  static const ImportFiles files;
  return files;
}

void BM_Import35000LinesThroughRurCli(benchmark::State& state) {
  const std::string command = Files().Command("import '" + (Files().dir / "cam.nc").string() + "' --out '" +
                                              (Files().dir / "imported.nc").string() + "'");
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("rur-cli import failed");
  }
}
BENCHMARK(BM_Import35000LinesThroughRurCli)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_DrawingOfTheImportedPartsThroughRurCli(benchmark::State& state) {
  std::vector<std::string> commands;
  for (std::size_t k = 1; k <= Files().parts; ++k) {
    const std::string name = k == 1 ? "imported.nc" : "imported_" + std::to_string(k) + ".nc";
    commands.push_back(Files().Command("draw '" + (Files().dir / name).string() + "'"));
  }
  if (std::system(Files().Command("import '" + (Files().dir / "cam.nc").string() + "' --out '" +
                                  (Files().dir / "imported.nc").string() + "'")
                      .c_str()) != 0) {
    state.SkipWithError("rur-cli import failed");
  }
  for (auto _ : state) {
    for (const std::string& command : commands) {
      if (std::system(command.c_str()) != 0) state.SkipWithError("rur-cli draw failed");
    }
  }
}
BENCHMARK(BM_DrawingOfTheImportedPartsThroughRurCli)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
