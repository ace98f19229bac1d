// import: a program in standard G-code into the dialect, on stdout or into
// --out (a program too long for the block store into part files).
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/handlers.h"
#include "data/block_record.h"
#include "data/controllers.h"
#include "data/files.h"
#include "data/output_file.h"
#include "data/program_file.h"
#include "data/text.h"
#include "nc/import/gcode_import.h"
#include "workstation/import_outcome.h"

namespace cli {
namespace {

// --type, or the settings' controller type; none for anything but 1 to 18.
std::optional<int> ControllerType(CommandContext& c) {
  if (c.args.type.empty()) return c.ws.settings().controllerType;
  const std::string& text = c.args.type;
  if (!text.empty() && text.size() <= 2 && text.find_first_not_of("0123456789") == std::string::npos) {
    int type = 0;
    for (const char digit : text) type = type * 10 + (digit - '0');
    if (data::IsKnownControllerType(type)) return type;
  }
  c.err << "rur-cli: --type wants a controller type from 1 to " << int(data::kControllerTypes) << ", not " << text
        << "\n";
  return std::nullopt;
}

// The file as it is: only its size and kind are checked here; what it
// holds (binary junk included) is the import's to judge, line by line.
bool ReadSource(CommandContext& c, std::string& text) {
  const std::string& path = c.args.arguments[0];
  std::vector<std::uint8_t> bytes;
  const data::ReadStatus status = data::ReadWholeFile(path, data::kMaxProgramFileBytes, bytes);
  if (status != data::ReadStatus::Ok) {
    const data::ProgramLoad load = status == data::ReadStatus::TooLarge ? data::ProgramLoad::TooLarge
                                                                        : data::ProgramLoad::Unreadable;
    c.err << "rur-cli: " << data::Cp1252ToUtf8(data::ProgramLoadError(load, path)) << "\n";
    return false;
  }
  text.assign(bytes.begin(), bytes.end());
  return true;
}

bool Refused(CommandContext& c, const nc::ImportResult& result) {
  if (result.ok) return false;
  for (const nc::ImportNote& note : result.notes) {
    if (note.kind == nc::ImportNoteKind::kRefusal) {
      c.err << "Fehler: " << data::Cp1252ToUtf8(nc::DescribeImportNote(note)) << "\n";
    }
  }
  return true;
}

// Writes every part to FILE, FILE_2, ...: all are made ready first, so
// that none is written when one cannot be.
bool WriteParts(CommandContext& c, data::OutputFile& first, const nc::ImportResult& result) {
  std::vector<std::unique_ptr<data::OutputFile>> files;
  std::string error;
  for (std::size_t k = 2; k <= result.parts.size(); ++k) {
    const std::string name = rur::PartFileName(c.args.out, k);
    files.push_back(std::make_unique<data::OutputFile>());
    if (!files.back()->Open(name, error)) {
      c.err << "rur-cli: cannot write " << name << ": " << error << "\n";
      return false;
    }
  }
  for (std::size_t k = 1; k <= result.parts.size(); ++k) {
    const std::string name = rur::PartFileName(c.args.out, k);
    data::OutputFile& file = k == 1 ? first : *files[k - 2];
    if (!file.Commit(rur::ProgramTextOf(result.parts[k - 1]).Bytes(), error)) {
      c.err << "rur-cli: cannot write " << name << ": " << error << "\n";
      return false;
    }
    c.ws.dialogs().Information("Teil " + std::to_string(k) + " von " + std::to_string(result.parts.size()) + ": " +
                             data::Utf8ToCp1252(name));
  }
  return true;
}

}  // namespace

int RunImport(CommandContext& c) {
  if (c.args.arguments.size() != 1) return UsageError(c);
  const std::optional<int> type = ControllerType(c);
  if (!type) return UsageError(c);
  std::string text;
  if (!ReadSource(c, text)) return kExitUsage;
  std::string error;
  data::OutputFile out;
  if (!c.args.out.empty() && !out.Open(c.args.out, error)) {
    c.err << "rur-cli: cannot write " << c.args.out << ": " << error << "\n";
    return kExitFailed;
  }

  nc::ImportOptions options;
  options.controllerType = *type;
  options.programNumber = nc::ProgramNumberOfFileName(data::FileNamePart(c.args.arguments[0]));
  const nc::ImportResult result = nc::ImportProgram(text, options);
  text.clear();
  if (Refused(c, result)) return kExitFailed;
  for (const nc::ImportNote& note : result.notes) c.ws.dialogs().Information(nc::DescribeImportNote(note));

  const bool split = result.parts.size() > 1;
  if (split && !c.args.out.empty()) return WriteParts(c, out, result) ? kExitOk : kExitFailed;
  if (split) {
    const std::string count = std::to_string(result.parts.size());
    c.ws.dialogs().Information("Ohne --out das ganze Programm; --out DATEI schreibt die " + count +
                             " Teile in DATEI, DATEI_2, ...");
  }
  const std::string bytes = rur::ProgramTextOf(result.program).Bytes();
  if (c.args.out.empty()) {
    c.out << bytes;
    return kExitOk;
  }
  if (!out.Commit(bytes, error)) {
    c.err << "rur-cli: cannot write " << c.args.out << ": " << error << "\n";
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace cli
