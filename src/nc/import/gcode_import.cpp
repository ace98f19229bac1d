#include "nc/import/gcode_import.h"

#include "data/block_record.h"
#include "data/controllers.h"
#include "nc/lexical/characters.h"
#include "nc/import/block_importer.h"
#include "nc/import/dialect_writer.h"
#include "nc/import/import_notes.h"
#include "nc/import/program_flow.h"
#include "nc/import/program_split.h"
#include "nc/import/source_line.h"

namespace nc {
namespace {

constexpr std::size_t kMaxProgramDigits = 6;

bool IsProgramNumber(std::string_view digits) {
  return !digits.empty() && digits.size() <= kMaxProgramDigits && AllDigits(digits);
}

void SplitWhenTooLong(ImportResult& result, const import::DialectWriter& writer, std::optional<double> safeHeight,
                      const ImportOptions& options, import::ImportNotes& notes) {
  if (result.blocks <= data::kMaxStoredBlocks) return;
  const std::string size = "Das Programm hat " + std::to_string(result.blocks) +
                           " S\xE4tze, eine Zeichnung fasst h\xF6" "chstens " + std::to_string(data::kMaxStoredBlocks);
  std::string reason;
  if (!import::SplitProgram(result.program, writer.splitPoints(), safeHeight, options.programNumber,
                            data::kMaxStoredBlocks, result.parts, reason)) {
    result.parts.clear();
    notes.Change(0, size + "; es l\xE4sst sich nicht teilen: " + reason);
    return;
  }
  notes.Change(0, size + ": in " + std::to_string(result.parts.size()) + " Programme geteilt (" +
                      result.parts.front().lines.front() + " bis " + result.parts.back().lines.front() +
                      "), jedes vor einem Eilgang");
}

}  // namespace

ImportResult ImportProgram(std::string_view text, const ImportOptions& options) {
  ImportResult result;
  import::ImportNotes notes;
  import::DialectWriter writer;
  import::BlockImporter importer(data::TraitsOf(options.controllerType), notes, writer);
  std::vector<std::string_view> lines = import::SplitSourceLines(text);
  writer.Reserve(lines.size() + 1);
  import::ProgramFlow flow(std::move(lines), notes, importer);
  std::optional<double> safeHeight;
  bool ok = flow.Run() && importer.Finish(safeHeight);
  std::int32_t badLine = 0;
  if (ok && !writer.Finish("%" + options.programNumber, safeHeight, result.program, badLine)) {
    ok = notes.Refuse(badLine, "Satz l\xE4nger als 255 Zeichen");
  }
  if (ok) {
    result.blocks = static_cast<std::int64_t>(result.program.lines.size()) + 1;
    SplitWhenTooLong(result, writer, safeHeight, options, notes);
  } else {
    result.program = ImportedProgram{};
  }
  result.ok = ok;
  result.notes = notes.Finish();
  return result;
}

std::string ProgramNumberOfFileName(std::string_view fileName) {
  const std::size_t slash = fileName.find_last_of("/\\");
  std::string_view name = slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
  if (!name.empty() && (name.front() == '%' || name.front() == 'O' || name.front() == 'o')) name.remove_prefix(1);
  return IsProgramNumber(name) ? std::string(name) : std::string("1");
}

std::string DescribeImportNote(const ImportNote& note) {
  if (note.sourceLine == 0) return note.text;
  return "Zeile " + std::to_string(note.sourceLine) + ": " + note.text;
}

}  // namespace nc
