#include "data/user_data_seeding.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

#include "data/data_directory.h"
#include "data/files.h"
#include "data/message_centre.h"
#include "data/shipped_catalogue.h"
#include "data/text.h"

namespace data {
namespace {

namespace fs = std::filesystem;

// Folders nested deeper are not followed (a link loop ends here).
constexpr int kMaxSeedDepth = 8;

bool EqualNoCase(std::string_view a, std::string_view b) { return UpperAscii(a) == UpperAscii(b); }

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool MakeFolder(const std::string& path) {
  return ::mkdir(path.c_str(), 0755) == 0 || (errno == EEXIST && IsFolder(path));
}

// The catalogue and its record are brought up to date by UpdateCatalogue.
bool IsCatalogueFile(std::string_view name) {
  return EqualNoCase(name, kCatalogueName) || name == kShippedCatalogueRecord;
}

bool SeedFolder(const std::string& from, const std::string& to, int depth);

bool SeedFile(const std::string& from, const std::string& to, const std::string& name) {
  if (FindEntryNoCase(to, name)) return true;
  const auto bytes = ReadSeedFile(from);
  return bytes && WriteFileReplacing(to + name, *bytes);
}

bool SeedSubfolder(const std::string& from, const std::string& to, const std::string& name, int depth) {
  std::string target = to + name;
  if (const auto existing = FindEntryNoCase(to, name)) {
    if (!IsFolder(*existing)) return true;  // a file of that name stays as it is
    target = *existing;
  } else if (!MakeFolder(target)) {
    return false;
  }
  return SeedFolder(from + "/", target + "/", depth + 1);
}

bool SeedFolder(const std::string& from, const std::string& to, int depth) {
  if (depth > kMaxSeedDepth) return false;
  bool ok = true;
  std::error_code ec;
  for (fs::directory_iterator it(from, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (depth == 0 && IsCatalogueFile(name)) continue;
    std::error_code kind;
    if (it->is_directory(kind)) {
      ok = SeedSubfolder(from + name, to, name, depth) && ok;
    } else if (it->is_regular_file(kind)) {
      ok = SeedFile(from + name, to, name) && ok;
    }
  }
  return ok && !ec;
}

}  // namespace

bool CreateDirectories(const std::string& dir) {
  if (dir.empty()) return false;
  std::string prefix;
  for (const fs::path& part : fs::path(dir)) {
    if (part.empty()) continue;
    prefix = (fs::path(prefix) / part).string();
    if (!IsFolder(prefix) && !MakeFolder(prefix)) return false;
  }
  return IsFolder(dir);
}

std::optional<std::string> FindEntryNoCase(std::string_view dir, std::string_view name) {
  std::error_code ec;
  const std::string exact = std::string(dir) + std::string(name);
  if (fs::exists(fs::symlink_status(exact, ec))) return exact;
  const fs::path folder = dir.empty() ? fs::path(".") : fs::path(std::string(dir));
  for (fs::directory_iterator it(folder, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string candidate = it->path().filename().string();
    if (EqualNoCase(candidate, name)) return std::string(dir) + candidate;
  }
  return std::nullopt;
}

std::optional<std::string> ReadSeedFile(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  if (ReadWholeFile(path, kMaxSeedFileBytes, bytes) != ReadStatus::Ok) return std::nullopt;
  return std::string(bytes.begin(), bytes.end());
}

bool SeedDataDirectory(const std::string& userDir, const std::string& shareDir) {
  const auto catalogue = FindFileNoCase(shareDir, kCatalogueName);
  if (!catalogue) return false;
  const bool updated = UpdateCatalogue(userDir, *catalogue);
  return SeedFolder(shareDir, userDir, 0) && updated;
}

}  // namespace data
