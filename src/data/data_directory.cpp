#include "data/data_directory.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "data/message_centre.h"
#include "data/user_data_seeding.h"

namespace data {
namespace {

namespace fs = std::filesystem;

bool IsAbsolute(std::string_view path) { return !path.empty() && path.front() == '/'; }

bool IsWritableDirectory(const std::string& dir) {
  return ::access(dir.empty() ? "." : dir.c_str(), W_OK) == 0;
}

// A build tree or a portable copy: the executable's directory holds the
// catalogue and can take the files the workstation writes.
bool IsOwnDataDirectory(const std::string& dir) {
  return FindFileNoCase(dir, kCatalogueName).has_value() && IsWritableDirectory(dir);
}

bool IsDirectory(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

}  // namespace

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

std::string UserDataDirectory(const DataDirectoryInputs& inputs) {
  if (IsAbsolute(inputs.xdgDataHome)) return WithTrailingSeparator(inputs.xdgDataHome) + "rur/";
  if (IsAbsolute(inputs.home)) return WithTrailingSeparator(inputs.home) + ".local/share/rur/";
  return {};
}

std::string SharedDataDirectory(std::string_view executablePath) {
  return WithTrailingSeparator(MakeDataDirectory(executablePath) + RUR_SHARE_FROM_BIN);
}

DataDirectoryChoice ChooseDataDirectory(const DataDirectoryInputs& inputs) {
  if (!inputs.option.empty()) return {WithTrailingSeparator(inputs.option), DataDirectoryKind::Option};
  if (!inputs.variable.empty()) return {WithTrailingSeparator(inputs.variable), DataDirectoryKind::Variable};
  const std::string own = MakeDataDirectory(inputs.executablePath);
  if (IsOwnDataDirectory(own)) return {own, DataDirectoryKind::Executable};
  const std::string user = UserDataDirectory(inputs);
  if (user.empty()) return {own, DataDirectoryKind::Executable};
  return {user, DataDirectoryKind::PerUser};
}

std::string SetUpDataDirectory(const DataDirectoryInputs& inputs) {
  const DataDirectoryChoice choice = ChooseDataDirectory(inputs);
  if (choice.kind == DataDirectoryKind::PerUser && CreateDirectories(choice.directory)) {
    SeedDataDirectory(choice.directory, SharedDataDirectory(inputs.executablePath));
  }
  return choice.directory;
}

std::string ProgramFolderToOffer(const std::string& programDirectory, const std::string& dataDirectory) {
  if (IsDirectory(programDirectory)) return programDirectory;
  if (const auto examples = FindEntryNoCase(dataDirectory, "examples"); examples && IsDirectory(*examples)) {
    return WithTrailingSeparator(*examples);
  }
  return dataDirectory;
}

}  // namespace data
