#include "nc/preparation.h"

#include <algorithm>

#include "data/files.h"
#include "nc/characters.h"
#include "nc/listing.h"
#include "nc/preparation_limits.h"
#include "nc/preparation_text.h"

namespace nc {
namespace {

// The call's name: the run of digits and "H" letters after the "H".
std::string CallName(std::string_view line, std::size_t h) {
  std::size_t end = h + 1;
  while (end < line.size() && (IsDigit(line[end]) || line[end] == 'H')) ++end;
  return std::string(line.substr(h + 1, end - h - 1));
}

bool InTable(const data::SubprogramTable& table, std::string_view name) {
  for (std::int32_t k = 0; k <= table.count && k < data::kSubprogramEntries; ++k) {
    if (table.entries[static_cast<std::size_t>(k)].name == name) return true;
  }
  return false;
}

// The program that holds listing line n: the last one starting before it.
std::int32_t ProgramOfLine(const data::SubprogramTable& table, std::int32_t n) {
  for (std::int32_t k = std::min(table.count, kMaxSubprograms); k > 0; --k) {
    if (table.entries[static_cast<std::size_t>(k)].start < n) return k;
  }
  return 0;
}

// "%" and the name, in the main program's directory, in any letter case.
std::string SubprogramFile(const std::string& mainProgramFile, const std::string& name) {
  const std::string dir = data::WithTrailingSeparator(data::DirectoryPart(mainProgramFile));
  const std::string file = "%" + name;
  return data::FindFileNoCase(dir, file).value_or(dir + file);
}

// A new table entry, starting at the previous program's end marker.
bool LoadSubprogram(Preparation& p, const std::string& name) {
  data::SubprogramTable& table = p.subprograms;
  ++table.count;
  data::SubprogramEntry& entry = table.entries[static_cast<std::size_t>(table.count)];
  entry.name = name;
  ++p.listing.lineCount;
  entry.start = p.listing.lineCount;
  if (!LoadProgramFile(p, SubprogramFile(p.mainProgramFile, name))) return false;
  entry.end = p.listing.lineCount;
  return true;
}

// A call is an "H" outside the first comment; an unclosed comment runs to
// the end of the line, as when lines are split.
bool ExpandCallIn(Preparation& p, const std::string& line, std::int32_t n) {
  const std::size_t h = line.find('H');
  if (h == std::string::npos || InsideComment(FirstCommentBounds(line), h)) return true;
  if (line.find("G77") == std::string::npos) {
    p.messages.ShowMessageByNumber(167, " ");
    return false;
  }
  p.subprogramMode = true;
  const std::string name = CallName(line, h);
  // A longer name could be neither stored nor told apart from another one
  // by the table, so it is refused rather than cut.
  if (name.size() > data::kMaxSubprogramName) {
    return ReportDirect(p, ProgramOfLine(p.subprograms, n), n, kSubprogramNameTooLong);
  }
  if (InTable(p.subprograms, name)) return true;
  // The table is full: stop rather than write past it.
  if (p.subprograms.count >= kMaxSubprograms) {
    return ReportDirect(p, ProgramOfLine(p.subprograms, n), n, kTooManySubprograms);
  }
  return LoadSubprogram(p, name);
}

}  // namespace

bool ExpandSubprograms(Preparation& p) {
  p.subprograms.count = 0;
  // LineCount grows while subprograms are appended, so their calls are found too.
  for (std::int32_t n = 1; n <= p.listing.lineCount; ++n) {
    p.messages.context.currentBlock = ReadListingLine(p.listing, n);
    const std::string line = p.messages.context.currentBlock;
    const bool expanded = ExpandCallIn(p, line, n);
    p.subprogramMode = false;
    if (!expanded) return false;
  }
  return true;
}

}  // namespace nc
