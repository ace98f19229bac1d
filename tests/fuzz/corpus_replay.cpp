// Replays every file of a fuzz target's corpus through the target's entry
// point, so that each input ever found to crash, hang or break a property
// stays a test: rur_fuzz_replay TARGET CORPUS_DIR. The name of each input
// is printed before it runs, so a failure names the file.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_targets.h"

namespace {

std::vector<std::filesystem::path> CorpusFiles(const std::filesystem::path& dir) {
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: rur_fuzz_replay TARGET CORPUS_DIR\n");
    return 2;
  }
  const fuzz::Target* target = fuzz::FindTarget(argv[1]);
  if (target == nullptr) {
    std::fprintf(stderr, "unknown fuzz target %s\n", argv[1]);
    return 2;
  }
  const auto files = CorpusFiles(argv[2]);
  if (files.empty()) {
    std::fprintf(stderr, "no corpus in %s\n", argv[2]);
    return 1;
  }
  for (const auto& file : files) {
    std::fprintf(stderr, "%s\n", file.filename().string().c_str());
    const std::vector<std::uint8_t> bytes = ReadBytes(file);
    target->run(bytes.data(), bytes.size());
  }
  std::printf("%zu inputs of %s replayed\n", files.size(), argv[1]);
  return 0;
}
