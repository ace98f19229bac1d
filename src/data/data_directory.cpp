#include "data/data_directory.h"

namespace data {

// The path is not cut at 255 bytes: a cut path would name another folder.
std::string MakeDataDirectory(std::string_view executablePath, PathStyle style) {
  const std::string dir = DirectoryPart(executablePath, style);
  if (style == PathStyle::Windows && !dir.empty() && dir.back() == ':') return dir;
  return WithTrailingSeparator(dir, style);
}

std::string ResolveDataDirectory(const DataDirectorySource& source) {
  if (!source.overrideDirectory.empty()) return WithTrailingSeparator(source.overrideDirectory);
  return MakeDataDirectory(source.executablePath);
}

}  // namespace data
