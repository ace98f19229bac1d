#include "nc/preparation/file.h"

#include <algorithm>
#include <optional>

#include "data/files.h"
#include "data/message_numbers.h"
#include "data/program_file.h"
#include "data/program_reader.h"
#include "data/text.h"
#include "nc/preparation/listing.h"
#include "nc/import/foreign_program.h"
#include "nc/preparation/limits.h"
#include "nc/preparation/lines.h"
#include "nc/lexical/characters.h"

namespace nc {
namespace {

using data::ProgramReadStatus;

constexpr char kMessageText[] = " ";

// Table entry of the program being read.
std::int32_t CurrentEntry(const Preparation& p) { return p.subprogramMode ? p.subprograms.count : 0; }

bool ReportLimit(Preparation& p, std::string_view text) {
  return ReportDirect(p, CurrentEntry(p), p.listing.lineCount, text);
}

bool ReportWithBlock(Preparation& p, std::int32_t number, std::string_view block) {
  p.messages.context.currentBlock = data::CutText(block);
  p.messages.ShowMessageByNumber(number, kMessageText);
  return false;
}

bool ListingFull(const Preparation& p) {
  return p.listing.lineCount >= kMaxListingLines || p.listing.Size() >= kMaxListingLines;
}

// Appends a program line, made from line `line` of the file, and counts it.
bool AppendCounted(Preparation& p, std::string_view text, std::size_t line) {
  const data::ListingOrigin origin{CurrentEntry(p), static_cast<std::int32_t>(line)};
  if (ListingFull(p) || !AppendListingLine(p.listing, text, p.pump, origin)) return ReportLimit(p, kListingFull);
  ++p.listing.lineCount;
  return true;
}

// The bytes a file may have: a subprogram file those of every program file,
// the scratch file with the editor's text no bound of its own (its line ends
// may have doubled the program's size); all files of one preparation share
// the byte budget.
struct FileBound {
  std::size_t bytes = 0;
  bool ownLimit = false;  // the file's own limit, not the budget, is the bound
};

FileBound BoundFor(const Preparation& p) {
  const std::size_t budget = kMaxProgramBytes - std::min(p.bytesRead, kMaxProgramBytes);
  if (p.subprogramMode && data::kMaxProgramFileBytes <= budget) return {data::kMaxProgramFileBytes, true};
  return {budget, false};
}

// A file that cannot be read as a program: a failing read is message 23,
// so that a damaged file is not drawn as if it had ended; a file too large
// or with a NUL byte is named as when the operator loads one.
bool ReportReadFailure(Preparation& p, ProgramReadStatus status, const std::string& fileName, FileBound bound,
                       MessagePlace place) {
  if (status == ProgramReadStatus::kReadError) return ReportWithBlock(p, data::kMessageReadError, "");
  if (status == ProgramReadStatus::kTooLarge && !bound.ownLimit) return ReportLimit(p, kProgramTooLarge);
  const std::string text = data::ProgramLoadError(data::ProgramLoadOf(status), data::FileNamePart(fileName));
  return ReportDirect(p, place.programIndex, place.listingLine, text);
}

enum class ProgramStart { Missing, AtEnd, Found };

// The file's first line with lower case outside comments, noted while the
// file is read, for the caller to point out.
struct LowerCaseNote {
  void Check(std::size_t number, std::string_view line) {
    if (!first && HasLowerCaseOutsideComments(line)) first = LowerCaseLine{number, std::string(line)};
  }
  std::optional<LowerCaseLine> first;
};

// Moves past the first "%" and reads the rest of its line. A file that ends
// directly after the "%", or after it and one line end, holds no program.
ProgramStart ReadProgramStart(data::ProgramReader& in, std::string& rest, std::size_t& lineNumber) {
  if (!in.SkipPast('%')) return ProgramStart::Missing;
  lineNumber = in.LineNumber();
  if (!in.ReadLine(rest, data::kMaxText) || (rest.empty() && in.AtEnd())) return ProgramStart::AtEnd;
  return ProgramStart::Found;
}

struct Header {
  std::string text;
  std::size_t line = 0;  // of the file, from 1
};

// The header line: "%" and the rest of its line, everything before the
// "%" discarded (whole earlier lines included). Without a header the block
// shown with message 44 is what was found of it: nothing, or the "%". A
// failed read is left to the caller.
bool ReadHeader(Preparation& p, data::ProgramReader& in, Header& header, LowerCaseNote& note) {
  if (ListingFull(p)) return ReportLimit(p, kListingFull);
  std::string rest;
  const ProgramStart start = ReadProgramStart(in, rest, header.line);
  if (in.status() != ProgramReadStatus::kOk) return false;
  if (start == ProgramStart::Missing) return ReportWithBlock(p, data::kMessageProgramStartMissing, "");
  if (start == ProgramStart::AtEnd) return ReportWithBlock(p, data::kMessageProgramStartMissing, "%");
  header.text = CleanLine(data::CutText("%" + rest), p.blockSkip);
  if (header.text.empty() || header.text.front() != '%') {
    return ReportWithBlock(p, data::kMessageProgramStartMissing, header.text);
  }
  note.Check(header.line, "%" + rest);
  return true;
}

// A subprogram file "%12" must carry the number 12 in its header ("%012"
// too); a header without a number matches no file.
bool HeaderNumberMatchesFile(std::string_view number, const std::string& fileName) {
  const std::string name = StripBlanks(data::FileNamePart(fileName));
  return SameInteger(number, std::string_view(name).substr(std::min<std::size_t>(1, name.size())));
}

bool CheckHeader(Preparation& p, const std::string& header, const std::string& fileName) {
  const std::string_view number = DigitsAt(header, 1);
  if (number.size() > kMaxProgramNumberDigits) return ReportWithBlock(p, data::kMessageProgramNumberTooLong, header);
  if (p.subprogramMode && !HeaderNumberMatchesFile(number, fileName)) return ReportWithBlock(p, data::kMessageSubprogramNumberMismatch, header);
  return true;
}

// Every line after the header: cut to data::kMaxText characters, cleaned,
// split before parameter words; blank pieces are left out (a blank line
// has nothing else).
bool ReadBody(Preparation& p, data::ProgramReader& in, LowerCaseNote& note) {
  std::string line;
  for (std::size_t number = in.LineNumber(); in.ReadLine(line, data::kMaxText); number = in.LineNumber()) {
    if (IsBlank(line)) continue;
    note.Check(number, line);
    for (const std::string& piece : SplitBeforeParameterWords(CleanLine(line, p.blockSkip))) {
      if (!IsBlank(piece) && !AppendCounted(p, piece, number)) return false;
    }
  }
  return true;
}

bool EndsProgram(std::string_view line) {
  for (const std::string_view end : {"M30", "M2", "M02"}) {
    if (line.find(end) != std::string_view::npos) return true;
  }
  return false;
}

// A subprogram that ends the whole program is reported, but still used:
// the message is no error, and the drawing goes on.
void WarnOnProgramEnd(Preparation& p, const std::string& fileName) {
  if (!p.subprogramMode) return;
  const std::string last = ReadListingLine(p.listing, p.listing.lineCount);
  if (!EndsProgram(last)) return;
  p.messages.context.currentBlock = last;
  p.messages.context.currentProgram = data::CutText(data::FileNamePart(fileName));
  p.messages.ShowNotice(data::kMessageSubprogramEndsProgram, kMessageText);
}

// The header and every line of the file; false after a message.
bool ReadProgram(Preparation& p, data::ProgramReader& in, const std::string& fileName, LowerCaseNote& note) {
  Header header;
  return ReadHeader(p, in, header, note) && CheckHeader(p, header.text, fileName) &&
         AppendCounted(p, header.text, header.line) && ReadBody(p, in, note);
}

}  // namespace

bool LoadProgramFile(Preparation& p, const std::string& fileName) {
  return LoadProgramFileFor(p, fileName, MessagePlace{CurrentEntry(p), p.listing.lineCount});
}

bool LoadProgramFileFor(Preparation& p, const std::string& fileName, MessagePlace place) {
  const FileBound bound = BoundFor(p);
  data::ProgramReader in;
  const ProgramReadStatus opened = in.Open(fileName, bound.bytes);
  if (opened == ProgramReadStatus::kCannotOpen) {
    p.messages.ShowMessageByNumber(data::kMessageProgramCannotOpen, kMessageText);
    return false;
  }
  p.messages.context.currentProgram = data::CutText(data::FileNamePart(fileName));
  if (opened != ProgramReadStatus::kOk) return ReportReadFailure(p, opened, fileName, bound, place);
  p.listing.Reserve(in.FileSize());
  LowerCaseNote note;
  const bool read = ReadProgram(p, in, fileName, note);
  p.bytesRead += in.BytesRead();
  if (in.status() != ProgramReadStatus::kOk) return ReportReadFailure(p, in.status(), fileName, bound, place);
  if (!read) return false;
  AppendListingLine(p.listing, p.subprogramMode ? kSubprogramEndMarker : "", p.pump, {CurrentEntry(p), 0});
  WarnOnProgramEnd(p, fileName);
  // The main program's lower case is the caller's own to point out.
  if (p.subprogramMode && note.first) {
    p.lowerCaseSubprograms.emplace_back(data::FileNamePart(fileName), std::move(*note.first));
  }
  return true;
}

}  // namespace nc
