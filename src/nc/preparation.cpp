#include "nc/preparation.h"

#include <algorithm>
#include <utility>

#include "data/files.h"
#include "data/line_reader.h"
#include "data/text.h"
#include "nc/listing.h"
#include "nc/preparation_file.h"
#include "nc/preparation_limits.h"
#include "nc/preparation_lines.h"
#include "nc/preparation_text.h"

namespace nc {
namespace {

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
  return p.listing.lineCount >= kMaxListingLines ||
         p.listing.lines.size() >= static_cast<std::size_t>(kMaxListingLines);
}

// Appends a program line and counts it.
bool AppendCounted(Preparation& p, std::string_view text) {
  if (ListingFull(p)) return ReportLimit(p, kListingFull);
  AppendListingLine(p.listing, text, p.pump);
  ++p.listing.lineCount;
  return true;
}

// The whole file within what is left of the byte budget. An over-long line
// is no error (it is cut while reading); a failing read is message 23 and
// fails the load, so that a damaged file is not drawn as if it had ended.
bool ReadWholeFile(Preparation& p, const std::string& fileName, std::string& bytes) {
  const std::size_t budget = kMaxProgramBytes - std::min(p.bytesRead, kMaxProgramBytes);
  const FileRead result = ReadProgramBytes(fileName, budget, bytes);
  if (result == FileRead::CannotOpen) {
    p.messages.ShowMessageByNumber(20, kMessageText);
    return false;
  }
  p.messages.context.currentProgram = data::CutText(data::FileNamePart(fileName));
  if (result == FileRead::ReadError) return ReportWithBlock(p, 23, "");
  if (result == FileRead::TooLarge) return ReportLimit(p, kProgramTooLarge);
  p.bytesRead += bytes.size();
  return true;
}

enum class ProgramStart { Missing, AtEnd, Found };

// Moves past the first "%".
ProgramStart SkipToProgramStart(data::LineCursor& in) {
  if (!in.SkipPast('%')) return ProgramStart::Missing;
  return in.AtEnd() ? ProgramStart::AtEnd : ProgramStart::Found;
}

// The header line: "%" and the rest of its line, everything before the
// "%" discarded (whole earlier lines included). Without a header the block
// shown with message 44 is what was found of it: nothing, or the "%".
bool ReadHeader(Preparation& p, data::LineCursor& in, std::string& header) {
  if (ListingFull(p)) return ReportLimit(p, kListingFull);
  const ProgramStart start = SkipToProgramStart(in);
  if (start == ProgramStart::Missing) return ReportWithBlock(p, 44, "");
  if (start == ProgramStart::AtEnd) return ReportWithBlock(p, 44, "%");
  std::string rest;
  in.ReadLine(rest);
  header = CleanLine(data::CutText("%" + rest), p.blockSkip);
  if (header.empty() || header.front() != '%') return ReportWithBlock(p, 44, header);
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
  if (number.size() > kMaxProgramNumberDigits) return ReportWithBlock(p, 41, header);
  if (p.subprogramMode && !HeaderNumberMatchesFile(number, fileName)) return ReportWithBlock(p, 15, header);
  return true;
}

// Every line after the header: cut to data::kMaxText characters, cleaned,
// split before parameter words; blank pieces are left out.
bool ReadBody(Preparation& p, data::LineCursor& in) {
  std::string line;
  while (in.ReadLine(line)) {
    for (const std::string& piece : SplitBeforeParameterWords(CleanLine(line, p.blockSkip))) {
      if (!IsBlank(piece) && !AppendCounted(p, piece)) return false;
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

// A subprogram that ends the whole program is reported, but still used.
void WarnOnProgramEnd(Preparation& p, const std::string& fileName) {
  if (!p.subprogramMode) return;
  const std::string last = ReadListingLine(p.listing, p.listing.lineCount);
  if (!EndsProgram(last)) return;
  p.messages.context.currentBlock = last;
  p.messages.context.currentProgram = data::CutText(data::FileNamePart(fileName));
  p.messages.ShowMessageByNumber(166, kMessageText);
}

}  // namespace

bool PrepareProgram(Preparation& p, const std::string& scratchFile) {
  p.listing.lineCount = 1;
  p.subprograms = data::SubprogramTable{};
  p.bytesRead = 0;
  p.programName = data::FileNamePart(p.mainProgramFile).substr(0, data::kMaxProgramName);
  p.subprograms.entries[0].name = p.programName;
  p.subprograms.entries[0].start = 1;
  p.subprogramMode = false;
  if (!LoadProgramFile(p, scratchFile)) return false;
  p.subprograms.entries[0].end = p.listing.lineCount;
  return true;
}

bool LoadProgramFile(Preparation& p, const std::string& fileName) {
  std::string bytes;
  if (!ReadWholeFile(p, fileName, bytes)) return false;
  data::LineCursor in(bytes);
  std::string header;
  if (!ReadHeader(p, in, header) || !CheckHeader(p, header, fileName)) return false;
  if (!AppendCounted(p, header) || !ReadBody(p, in)) return false;
  AppendListingLine(p.listing, p.subprogramMode ? kSubprogramEndMarker : "", p.pump);
  WarnOnProgramEnd(p, fileName);
  return true;
}

}  // namespace nc
