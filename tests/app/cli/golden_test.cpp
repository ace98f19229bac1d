// Golden cases: each folder of tests/golden holds the rur-cli arguments of
// one run and what it must print, byte for byte. A change of behaviour
// shows as a diff. RUR_UPDATE_GOLDEN=1 writes the actual output instead
// (review every such change before committing it).
//
// Folder layout:
//   args     one argument a line; {case} is the folder, {data} a fresh data
//            directory (msg.dat of resources/ plus the files of data/),
//            {out} a fresh folder for written files, {examples} the shipped
//            example programs (resources/examples/), read where they lie
//   stdout, stderr, status   what the run must print and return ({data}
//            stands for the data directory there too)
//   data/    files put into the data directory before the run
//   out/     files the run must write into {out}, compared byte for byte,
//            but for pictures (*.png), which are compared by their pixels:
//            the compressed bytes depend on the libpng and zlib at hand;
//            a run may write nothing else there
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <gtest/gtest.h>

#include "cli/cli_app.h"
#include "support/png_pixels.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

std::vector<std::string> Arguments(const fs::path& folder, const std::string& data, const std::string& out) {
  std::istringstream lines(ReadFile(folder / "args"));
  std::vector<std::string> args;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    line = Replace(line, "{case}", folder.string() + "/");
    line = Replace(line, "{data}", data);
    line = Replace(line, "{examples}", (fs::path(RUR_SOURCE_DIR) / "resources" / "examples").string() + "/");
    args.push_back(Replace(line, "{out}", out));
  }
  return args;
}

void Check(const fs::path& expected, const std::string& actual, bool update) {
  if (update) {
    WriteFile(expected, actual);
    return;
  }
  EXPECT_EQ(ReadFile(expected), actual) << "differs: " << expected.string();
}

// Size and every RGB value; reports the first differing pixel.
void ExpectSamePixels(const fs::path& expected, const std::string& actual) {
  const auto want = testing_support::DecodePng(ReadFile(expected));
  const auto got = testing_support::DecodePng(actual);
  ASSERT_TRUE(want.has_value()) << "not a readable PNG file: " << expected.string();
  ASSERT_TRUE(got.has_value()) << "written file is not a readable PNG file: " << expected.filename();
  ASSERT_EQ(got->width, want->width) << expected.filename();
  ASSERT_EQ(got->height, want->height) << expected.filename();
  for (std::size_t at = 0; at < want->rgb.size(); at += 3) {
    if (!std::equal(want->rgb.begin() + at, want->rgb.begin() + at + 3, got->rgb.begin() + at)) {
      const std::size_t pixel = at / 3;
      const auto width = static_cast<std::size_t>(want->width);
      ADD_FAILURE() << "written picture differs: " << expected.filename() << " at pixel " << pixel % width << ","
                    << pixel / width;
      return;
    }
  }
}

class GoldenTest : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenTest, MatchesItsRecordedOutput) {
  const fs::path folder = fs::path(RUR_SOURCE_DIR) / "tests" / "golden" / GetParam();
  const bool update = std::getenv("RUR_UPDATE_GOLDEN") != nullptr;
  testing_support::TempDir data;
  testing_support::TempDir out;
  fs::copy_file(fs::path(RUR_SOURCE_DIR) / "resources" / "msg.dat", data.File("msg.dat"));
  if (fs::is_directory(folder / "data")) fs::copy(folder / "data", data.path(), fs::copy_options::recursive);

  std::ostringstream stdoutText;
  std::ostringstream stderrText;
  const int status =
      cli::Run(Arguments(folder, data.path(), out.path()), "/nowhere/rur-cli", stdoutText, stderrText);

  // The fresh data directory is named as {data} in what the run prints.
  Check(folder / "stdout", Replace(stdoutText.str(), data.path(), "{data}"), update);
  Check(folder / "stderr", Replace(stderrText.str(), data.path(), "{data}"), update);
  Check(folder / "status", std::to_string(status) + "\n", update);
  if (update) {
    for (const auto& written : fs::directory_iterator(out.path())) {
      fs::create_directories(folder / "out");
      fs::copy_file(written.path(), folder / "out" / written.path().filename(), fs::copy_options::overwrite_existing);
    }
  } else {
    for (const auto& written : fs::directory_iterator(out.path())) {
      EXPECT_TRUE(fs::exists(folder / "out" / written.path().filename())) << "not to be written: " << written.path();
    }
  }
  if (!update && fs::is_directory(folder / "out")) {
    for (const auto& expected : fs::directory_iterator(folder / "out")) {
      const std::string written = ReadFile(out.File(expected.path().filename().string()));
      if (expected.path().extension() == ".png") {
        ExpectSamePixels(expected.path(), written);
      } else {
        EXPECT_EQ(ReadFile(expected.path()), written) << "written file differs: " << expected.path().filename();
      }
    }
  }
}

std::vector<std::string> Cases() {
  std::vector<std::string> names;
  const fs::path root = fs::path(RUR_SOURCE_DIR) / "tests" / "golden";
  for (const auto& entry : fs::directory_iterator(root)) {
    if (entry.is_directory() && fs::exists(entry.path() / "args")) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string CaseName(const ::testing::TestParamInfo<std::string>& info) {
  std::string name;
  for (char c : info.param) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Golden, GoldenTest, ::testing::ValuesIn(Cases()), CaseName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(GoldenTest);

}  // namespace
