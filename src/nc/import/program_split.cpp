#include "nc/import/program_split.h"

#include <algorithm>

#include "nc/lexical/characters.h"

namespace nc::import {
namespace {

constexpr long kMaxProgramNumber = 999999;

void Add(std::string& line, const std::string& word) {
  if (!line.empty()) line += ' ';
  line += word;
}

}  // namespace

std::vector<std::string> PartPrologue(const DialectState& state, std::optional<double> safeHeight) {
  std::vector<std::string> lines{"G90 G" + std::to_string(state.zeroPoint != 0 ? state.zeroPoint : 54)};
  std::string tool;
  if (state.tool > 0) tool = "T" + std::to_string(state.tool) + " M06";
  if (state.correction) Add(tool, (state.tool > 0 ? "" : "T0 ") + std::string("D") + std::to_string(*state.correction));
  if (!tool.empty()) lines.push_back(tool);
  std::string settings;
  if (state.spindle) Add(settings, "S" + std::to_string(*state.spindle));
  if (state.spindleDirection != 5) Add(settings, "M0" + std::to_string(state.spindleDirection));
  if (state.mist) Add(settings, "M07");
  if (state.flood) Add(settings, "M08");
  if (state.feed) Add(settings, "F" + FormatNumber(*state.feed));
  if (!settings.empty()) lines.push_back(settings);
  if (safeHeight) lines.push_back("G00 Z" + FormatNumber(*safeHeight));
  std::string over;
  if (state.written[0]) Add(over, "X" + FormatNumber(state.position[0]));
  if (state.written[1]) Add(over, "Y" + FormatNumber(state.position[1]));
  if (!over.empty()) lines.push_back("G00 " + over);
  const bool down = state.written[2] && !state.atSafeHeight && (!safeHeight || state.position[2] != *safeHeight);
  if (down) lines.push_back("G00 Z" + FormatNumber(state.position[2]));
  return lines;
}

bool SplitProgram(const ImportedProgram& program, const std::vector<DialectWriter::SplitPoint>& points,
                  std::optional<double> safeHeight, const std::string& programNumber, long maxBlocks,
                  std::vector<ImportedProgram>& parts, std::string& reason) {
  parts.clear();
  const long maxLines = maxBlocks - 1;  // the drawing's empty first line
  const std::size_t body = program.lines.size() - 1;
  long number = 1;
  if (!programNumber.empty() && AllDigits(programNumber) && programNumber.size() <= 6) number = std::stol(programNumber);
  std::size_t start = 0;
  std::vector<std::string> prologue;
  while (true) {
    const long room = maxLines - 1 - static_cast<long>(prologue.size());  // the header
    if (room < 1) {
      reason = "der Anfang eines Teils allein f\xFCllt ihn";
      return false;
    }
    const bool last = static_cast<long>(body - start) <= room;
    std::size_t end = body;
    const DialectWriter::SplitPoint* next = nullptr;
    if (!last) {
      const std::size_t limit = start + static_cast<std::size_t>(room);
      // The last split point at or before limit and after start.
      auto it = std::upper_bound(points.begin(), points.end(), limit,
                                 [](std::size_t line, const DialectWriter::SplitPoint& p) { return line < p.line; });
      if (it == points.begin() || std::prev(it)->line <= start) {
        reason = "keine Eilgangbewegung ohne Radiuskorrektur in den S\xE4tzen ab Zeile " + std::to_string(start + 2);
        return false;
      }
      next = &*std::prev(it);
      end = next->line;
    }
    const long partNumber = number + static_cast<long>(parts.size());
    if (partNumber > kMaxProgramNumber) {
      reason = "die Programmnummer der Teile h\xE4tte mehr als 6 Stellen";
      return false;
    }
    ImportedProgram part;
    part.lines.push_back(parts.empty() ? program.lines.front() : "%" + std::to_string(partNumber));
    part.sourceLines.push_back(0);
    for (std::string& line : prologue) {
      part.lines.push_back(std::move(line));
      part.sourceLines.push_back(0);
    }
    part.lines.insert(part.lines.end(), program.lines.begin() + static_cast<long>(start) + 1,
                      program.lines.begin() + static_cast<long>(end) + 1);
    part.sourceLines.insert(part.sourceLines.end(), program.sourceLines.begin() + static_cast<long>(start) + 1,
                            program.sourceLines.begin() + static_cast<long>(end) + 1);
    parts.push_back(std::move(part));
    if (last) return true;
    prologue = PartPrologue(next->state, safeHeight);
    start = end;
  }
}

}  // namespace nc::import
