#include "data/data_directory.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
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

// Why a folder cannot be made or written, in the operator's words.
std::string ReasonText(int error) {
  static constexpr struct {
    int error;
    const char* text;
  } kReasons[] = {
      {EACCES, "keine Berechtigung"},
      {EPERM, "keine Berechtigung"},
      {EROFS, "schreibgesch\xFCtztes Dateisystem"},
      {ENOSPC, "Datentr\xE4ger voll"},
      {EDQUOT, "Kontingent ersch\xF6pft"},
      {ENOENT, "Pfad nicht vorhanden"},
      {ENOTDIR, "ein Teil des Pfades ist kein Verzeichnis"},
      {EEXIST, "eine Datei gleichen Namens ist im Weg"},
  };
  for (const auto& reason : kReasons) {
    if (reason.error == error) return reason.text;
  }
  const char* name = ::strerrorname_np(error);
  return name != nullptr ? name : "Fehler " + std::to_string(error);
}

constexpr char kLineBreak[] = "\n\r";

std::string NoUserDirectoryText() {
  return "Kein Datenverzeichnis bestimmbar: XDG_DATA_HOME und HOME sind keine absoluten Pfade, und das "
         "Benutzerkonto nennt kein Heimatverzeichnis.";
}

std::string NotMadeText(const std::string& dir, int error) {
  return "Datenverzeichnis " + dir + " kann nicht angelegt werden (" + ReasonText(error) + ").";
}

std::string NotWritableText(const std::string& dir, int error) {
  return "Datenverzeichnis " + dir + " ist nicht beschreibbar (" + ReasonText(error) +
         "): seine Dateien werden gelesen, Zeichnen und Speichern sind nicht m\xF6glich.";
}

// errno of the first step that failed; 0 when dir is a folder afterwards.
int MakeDirectory(const std::string& dir) {
  errno = 0;
  if (CreateDirectories(dir)) return 0;
  return errno != 0 ? errno : ENOTDIR;
}

int WriteAccessError(const std::string& dir) { return ::access(dir.c_str(), W_OK | X_OK) == 0 ? 0 : errno; }

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
  // cron and services often start without HOME; the account still has one.
  for (const std::string* home : {&inputs.home, &inputs.accountHome}) {
    if (IsAbsolute(*home)) return WithTrailingSeparator(*home) + ".local/share/rur/";
  }
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
  // The executable's directory is no fallback: installed, it is PREFIX/bin.
  return {UserDataDirectory(inputs), DataDirectoryKind::PerUser};
}

DataDirectorySession::DataDirectorySession(const DataDirectoryInputs& inputs) {
  const DataDirectoryChoice choice = ChooseDataDirectory(inputs);
  directory_ = choice.directory;
  if (choice.kind != DataDirectoryKind::PerUser) return;
  if (directory_.empty()) {
    warning_ = NoUserDirectoryText();
    UseTemporaryCopy(inputs);
    return;
  }
  if (const int error = MakeDirectory(directory_); error != 0) {
    warning_ = NotMadeText(directory_, error);
    UseTemporaryCopy(inputs);
    return;
  }
  // A folder that exists but takes no files keeps the operator's tables:
  // reading them beats a copy of the shipped defaults.
  if (const int error = WriteAccessError(directory_); error != 0) {
    warning_ = NotWritableText(directory_, error);
    return;
  }
  SeedDataDirectory(directory_, SharedDataDirectory(inputs.executablePath));
}

DataDirectorySession::~DataDirectorySession() {
  if (!temporary_) return;
  std::error_code ec;
  fs::remove_all(directory_, ec);
}

// The folder is private (mkdtemp makes it 0700) and its name new, so no one
// else's files are read or removed. When even that fails, the run keeps
// the unusable directory (or the temporary folder's parent): its writes
// fail with messages naming the files, and nothing goes elsewhere.
void DataDirectorySession::UseTemporaryCopy(const DataDirectoryInputs& inputs) {
  const std::string base = IsAbsolute(inputs.temporaryBase) ? WithTrailingSeparator(inputs.temporaryBase) : "/tmp/";
  std::string pattern = base + "rur-XXXXXX";
  if (::mkdtemp(pattern.data()) == nullptr) {
    const int error = errno;
    warning_ += kLineBreak + std::string("Auch im Verzeichnis ") + base +
                " kann kein vor\xFC" "bergehendes angelegt werden (" + ReasonText(error) + ").";
    if (directory_.empty()) directory_ = base;
    return;
  }
  directory_ = pattern + "/";
  temporary_ = true;
  SeedDataDirectory(directory_, SharedDataDirectory(inputs.executablePath));
  warning_ += kLineBreak + std::string("Dieser Lauf arbeitet mit den mitgelieferten Daten im vor\xFC") +
              "bergehenden Verzeichnis " + directory_ + ", das an seinem Ende gel\xF6scht wird.";
}

std::string ProgramFolderToOffer(const std::string& programDirectory, const std::string& dataDirectory) {
  if (IsDirectory(programDirectory)) return programDirectory;
  if (const auto examples = FindEntryNoCase(dataDirectory, "examples"); examples && IsDirectory(*examples)) {
    return WithTrailingSeparator(*examples);
  }
  return dataDirectory;
}

}  // namespace data
