#include "nc/preparation_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace nc {
namespace {

constexpr std::size_t kChunk = std::size_t{64} << 10;

}  // namespace

FileRead ReadProgramBytes(const std::string& path, std::size_t limit, std::string& bytes) {
  bytes.clear();
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return FileRead::CannotOpen;
  // The size tells most huge files at once; the loop below still counts,
  // since files like those under /proc report no size.
  const auto size = std::filesystem::file_size(path, ec);
  if (!ec && size > limit) return FileRead::TooLarge;
  std::ifstream in(path, std::ios::binary);
  if (!in) return FileRead::CannotOpen;
  std::string chunk(kChunk, '\0');
  while (in) {
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (got > limit - bytes.size()) {
      bytes.clear();
      return FileRead::TooLarge;
    }
    bytes.append(chunk, 0, got);
  }
  if (in.bad()) {
    bytes.clear();
    return FileRead::ReadError;
  }
  return FileRead::Ok;
}

}  // namespace nc
