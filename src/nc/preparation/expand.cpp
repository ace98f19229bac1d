#include "nc/preparation/preparation.h"

#include <algorithm>
#include <optional>

#include "data/files.h"
#include "data/message_numbers.h"
#include "data/text.h"
#include "nc/preparation/listing.h"
#include "nc/preparation/file.h"
#include "nc/preparation/limits.h"
#include "nc/lexical/characters.h"
#include "nc/lexical/comments.h"

namespace nc {
namespace {

// The program a line calls, named as the run will read it. The run trims
// the block, removes its first comment and then turns the first "H" of a
// "G77" block into the call; the digits after that "H" name the program.
std::optional<std::string> CalledName(std::string_view line) {
  std::string block(data::TrimmedView(line));
  RemoveFirstComment(block);
  if (block.find("G77") == std::string::npos) return std::nullopt;
  const std::size_t h = block.find('H');
  if (h == std::string::npos) return std::nullopt;
  return std::string(DigitsAt(block, h + 1));
}

// A call word without its code: the first "H" of the line lies outside the
// first comment (an unclosed one runs to the end of the line) and the line
// has no "G77" anywhere.
bool CallWithoutG77(std::string_view line) {
  const std::size_t h = line.find('H');
  return h != std::string_view::npos && !InsideComment(FirstCommentBounds(line), h) &&
         line.find("G77") == std::string_view::npos;
}

// Whether a subprogram of that name is in the table already (the main
// program's entry is no subprogram, whatever its file is called).
bool InTable(const data::SubprogramTable& table, std::string_view name) {
  for (std::int32_t k = 1; k <= table.count && k < data::kSubprogramEntries; ++k) {
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

// A new table entry, starting at the previous program's end marker; a file
// that is no program is reported at the calling line.
bool LoadSubprogram(Preparation& p, const std::string& name, std::int32_t callLine) {
  const MessagePlace place{ProgramOfLine(p.subprograms, callLine), callLine};
  // A message about the file names the line that calls it, unless it names
  // a line of the file itself.
  p.messages.context.messageProgramIndex = place.programIndex;
  p.messages.context.messageListingLine = place.listingLine;
  data::SubprogramTable& table = p.subprograms;
  ++table.count;
  data::SubprogramEntry& entry = table.entries[static_cast<std::size_t>(table.count)];
  entry.name = name;
  ++p.listing.lineCount;
  entry.start = p.listing.lineCount;
  if (!LoadProgramFileFor(p, SubprogramFile(p.mainProgramFile, name), place)) return false;
  entry.end = p.listing.lineCount;
  return true;
}

bool ExpandCallIn(Preparation& p, const std::string& line, std::int32_t n) {
  if (line.find('H') == std::string::npos) return true;  // neither a call nor a stray call word
  const std::optional<std::string> name = CalledName(line);
  if (!name) {
    if (!CallWithoutG77(line)) return true;
    p.messages.context.messageProgramIndex = ProgramOfLine(p.subprograms, n);
    p.messages.context.messageListingLine = n;
    p.messages.ShowMessageByNumber(data::kMessageCallWithoutG77, " ");
    return false;
  }
  p.subprogramMode = true;
  // A longer name could be neither stored nor told apart from another one
  // by the table, so it is refused rather than cut.
  if (name->size() > data::kMaxSubprogramName) {
    return ReportDirect(p, ProgramOfLine(p.subprograms, n), n, kSubprogramNameTooLong);
  }
  if (InTable(p.subprograms, *name)) return true;
  // The table is full: stop rather than write past it.
  if (p.subprograms.count >= kMaxSubprograms) {
    return ReportDirect(p, ProgramOfLine(p.subprograms, n), n, kTooManySubprograms);
  }
  return LoadSubprogram(p, *name, n);
}

}  // namespace

bool ExpandSubprograms(Preparation& p) {
  p.subprograms.count = 0;
  std::string line;
  // LineCount grows while subprograms are appended, so their calls are found too.
  for (std::int32_t n = 1; n <= p.listing.lineCount; ++n) {
    ReadListingLine(p.listing, n, line);
    p.messages.context.currentBlock = line;
    const bool expanded = ExpandCallIn(p, line, n);
    p.subprogramMode = false;
    if (!expanded) return false;
  }
  return true;
}

}  // namespace nc
