#include "fuzz_host.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <system_error>

namespace fuzz {
namespace {

class TemporaryDirectory {
 public:
  TemporaryDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "rur-fuzz-XXXXXX").string();
    Require(::mkdtemp(pattern.data()) != nullptr, "a temporary directory can be made");
    path = pattern + "/";
  }
  ~TemporaryDirectory() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
  }
  TemporaryDirectory(const TemporaryDirectory&) = delete;
  TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

  std::string path;
};

nc::ParamTable MakeParams() {
  using Limits = std::numeric_limits<long double>;
  nc::ParamTable params;
  const long double special[] = {0.0L, 1.0L, -1.0L, 0.5L, -0.5L, 2.0L, 10.0L, Limits::max(), -Limits::max(),
                                 Limits::min(), Limits::denorm_min(), Limits::quiet_NaN(), Limits::infinity(),
                                 -Limits::infinity(), -0.0L, 1e4000L, 2147483647.5L, 1e-4000L, 360.0L, 90.0L};
  int n = 0;
  for (const long double value : special) params.Set(n++, value);
  for (; n < 100; ++n) params.Set(n, (n - 50) * 0.25L);
  for (n = 200; n < nc::kParamCount; ++n) params.Set(n, static_cast<long double>(n) * 1000.0L);
  return params;
}

}  // namespace

const std::string& ProcessDirectory() {
  static const TemporaryDirectory directory;
  return directory.path;
}

// The old file is removed first: truncating a file with content makes
// ext4 write it back on close, which costs milliseconds per input.
void WriteFile(std::string_view name, std::string_view bytes) {
  RemoveFile(name);
  std::ofstream out(ProcessDirectory() + std::string(name), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  Require(static_cast<bool>(out), "the fuzz input can be written to a file");
}

void RemoveFile(std::string_view name) {
  std::error_code ec;
  std::filesystem::remove(ProcessDirectory() + std::string(name), ec);
}

void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "fuzz property broken: %s\n", property);
  std::abort();
}

std::vector<std::string_view> SplitAtZeros(std::string_view input, std::size_t parts) {
  std::vector<std::string_view> out;
  while (out.size() + 1 < parts) {
    const std::size_t zero = input.find('\0');
    if (zero == std::string_view::npos) break;
    out.push_back(input.substr(0, zero));
    input.remove_prefix(zero + 1);
  }
  out.push_back(input);
  return out;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

const nc::ParamTable& FuzzParams() {
  static const nc::ParamTable params = MakeParams();
  return params;
}

bool SameValue(long double a, long double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  return a == b && std::signbit(a) == std::signbit(b);
}

void WriteSubprogramFiles(const std::vector<std::string_view>& parts) {
  constexpr const char* kNames[] = {"%1", "%2"};
  for (std::size_t k = 0; k < 2; ++k) {
    if (k + 1 < parts.size()) {
      WriteFile(kNames[k], parts[k + 1]);
    } else {
      RemoveFile(kNames[k]);
    }
  }
}

}  // namespace fuzz
