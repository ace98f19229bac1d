// THROW-AWAY STUB until the real import lands.
#include <cctype>

#include "nc/import/gcode_import.h"

namespace nc {

ImportResult ImportProgram(std::string_view text, const ImportOptions& options) {
  ImportResult r;
  r.program.lines.push_back("%" + options.programNumber);
  r.program.sourceLines.push_back(0);
  std::int32_t n = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::string line(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
    ++n;
    if (line.find('\0') != std::string::npos || line.find('[') != std::string::npos) {
      r.notes.push_back({ImportNoteKind::kRefusal, n, 0, "nicht umsetzbar: " + line.substr(0, 20)});
      continue;
    }
    if (!line.empty() && line[0] == '%') continue;
    const std::size_t semi = line.find(';');
    if (semi != std::string::npos) line = line.substr(0, semi) + "(" + line.substr(semi + 1) + ")";
    for (char& c : line) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (line.find("G21") != std::string::npos) {
      line.replace(line.find("G21"), 3, "");
      r.notes.push_back({ImportNoteKind::kChange, n, static_cast<std::int32_t>(r.program.lines.size() + 1),
                         "G21 entfernt"});
    }
    r.program.lines.push_back(line);
    r.program.sourceLines.push_back(n);
  }
  for (const ImportNote& note : r.notes) {
    if (note.kind == ImportNoteKind::kRefusal) {
      r.program = {};
      return r;
    }
  }
  r.ok = true;
  r.blocks = static_cast<std::int64_t>(r.program.lines.size()) - 1;
  if (r.blocks > 31999) {
    for (std::size_t i = 1; i < r.program.lines.size(); i += 31990) {
      ImportedProgram part;
      part.lines.push_back(r.program.lines[0]);
      part.sourceLines.push_back(0);
      for (std::size_t k = i; k < r.program.lines.size() && k < i + 31990; ++k) {
        part.lines.push_back(r.program.lines[k]);
        part.sourceLines.push_back(r.program.sourceLines[k]);
      }
      r.parts.push_back(part);
    }
  }
  return r;
}

std::string ProgramNumberOfFileName(std::string_view fileName) {
  const std::size_t slash = fileName.find_last_of('/');
  std::string name(fileName.substr(slash == std::string_view::npos ? 0 : slash + 1));
  const std::size_t dot = name.find('.');
  if (dot != std::string::npos) name = name.substr(0, dot);
  if (!name.empty() && (name[0] == '%' || name[0] == 'O')) name = name.substr(1);
  if (name.empty() || name.size() > 6) return "1";
  for (char c : name) {
    if (c < '0' || c > '9') return "1";
  }
  return name;
}

std::string DescribeImportNote(const ImportNote& note) {
  return note.sourceLine == 0 ? note.text : "Zeile " + std::to_string(note.sourceLine) + ": " + note.text;
}

}  // namespace nc
