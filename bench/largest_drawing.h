// The largest program the block store takes (31,999 blocks), drawn once in
// a data directory of its own, for the benchmarks that read a drawing.
#pragma once

#include <filesystem>
#include <string>

#include "bench_support.h"
#include "data/block_record.h"
#include "program_generator.h"
#include "workstation/draw_command.h"
#include "workstation/workstation.h"

namespace bench {

struct LargestDrawing {
  explicit LargestDrawing(const std::string& folder)
      : directory(std::filesystem::temp_directory_path() / folder), ws(dialogs, pump, {"", Made(directory)}) {
    ws.LoadSettingsAtActivation();
    ws.ReplaceProgram((directory / "%1").string());
    rur::DrawCommandView quiet;
    rur::DrawProgram(ws, GenerateProgram(data::kMaxStoredBlocks), false, quiet);
  }
  static std::string Made(const std::filesystem::path& path) {
    std::filesystem::create_directories(path);
    return path.string();
  }
  std::filesystem::path directory;
  NoDialogs dialogs;
  NoPump pump;
  rur::Workstation ws;
};

}  // namespace bench
