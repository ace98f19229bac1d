#include "workstation/import_outcome.h"

#include <algorithm>

#include "data/files.h"

namespace rur {
namespace {

// The line of `shown` first made from sourceLine; 0 when none is.
std::int32_t LineFromSource(const nc::ImportedProgram& shown, std::int32_t sourceLine) {
  if (sourceLine <= 0) return 0;
  const auto& sources = shown.sourceLines;
  const auto found = std::find(sources.begin(), sources.end(), sourceLine);
  return found == sources.end() ? 0 : static_cast<std::int32_t>(found - sources.begin()) + 1;
}

}  // namespace

std::string PartFileName(std::string_view path, std::size_t part) {
  if (part <= 1) return std::string(path);
  const std::size_t nameStart = data::DirectoryEnd(path);
  const std::size_t dot = path.rfind('.');
  const std::size_t end = dot != std::string_view::npos && dot > nameStart ? dot : path.size();
  return std::string(path.substr(0, end)) + "_" + std::to_string(part) + std::string(path.substr(end));
}

data::ProgramText ProgramTextOf(const nc::ImportedProgram& program) {
  data::ProgramText text;
  for (const std::string& line : program.lines) text.AppendLine(line);
  return text;
}

std::vector<ImportNoteLine> ImportNoteLines(const nc::ImportResult& result, const nc::ImportedProgram* part) {
  std::vector<ImportNoteLine> lines;
  const nc::ImportedProgram& shown = part != nullptr ? *part : result.program;
  for (const nc::ImportNote& note : result.notes) {
    const bool refusal = note.kind == nc::ImportNoteKind::kRefusal;
    if (!result.ok && !refusal) continue;
    std::int32_t line = 0;
    if (!result.ok) {
      line = std::max(note.sourceLine, 0);
    } else if (part == nullptr && note.outputLine > 0 &&
               note.outputLine <= static_cast<std::int32_t>(shown.lines.size())) {
      line = note.outputLine;
    } else {
      line = LineFromSource(shown, note.sourceLine);
    }
    lines.push_back({nc::DescribeImportNote(note), line, refusal});
  }
  return lines;
}

}  // namespace rur
