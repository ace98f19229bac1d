// Program preparation as the draw command runs it: the input, cut at its
// first two zero bytes, is the editor's text (saved to the scratch file)
// and the subprogram files "%1" and "%2" beside the main program. Read
// with and without block skip, the listing and its table must stay sane,
// and a failed preparation must have said why.
#include <string>
#include <string_view>
#include <vector>

#include "data/files.h"
#include "data/program_file.h"
#include "data/text.h"
#include "data/throttled_pump.h"
#include "fuzz_host.h"
#include "fuzz_targets.h"
#include "nc/preparation/preparation.h"
#include "workstation/draw_preparation.h"

namespace fuzz {
namespace {


void RequireSaneListing(const data::WorkListing& listing, const data::SubprogramTable& table) {
  const std::int64_t lines = listing.Size();
  for (std::int64_t n = 1; n <= lines; ++n) Require(listing.Line(n).size() <= 255, "listing lines hold 255 characters");
  Require(listing.lineCount <= lines, "the counted lines exist");
  Require(table.count >= 0 && table.count < data::kSubprogramEntries, "the table count lies inside the table");
  for (std::int32_t k = 0; k <= table.count; ++k) {
    const data::SubprogramEntry& entry = table.entries[static_cast<std::size_t>(k)];
    Require(entry.start >= 0 && entry.start <= lines, "a program starts inside the listing");
    Require(entry.end >= 0 && entry.end <= lines, "a program ends inside the listing");
    Require(entry.name.size() <= data::kMaxSubprogramName, "program names hold 12 characters");
  }
}

void Prepare(const std::vector<std::string>& editorLines, bool blockSkip) {
  MessageBench bench;
  QuietPump pump;
  data::ThrottledPump throttled(pump);
  const std::string mainProgramFile = ProcessDirectory() + "%100";
  nc::Preparation preparation{bench.listing, bench.table, bench.messages, throttled, mainProgramFile};
  preparation.blockSkip = blockSkip;
  const std::string scratch = rur::ScratchFileName(ProcessDirectory());
  // Saving replaces the scratch file; ext4 writes a replaced file back at
  // once, which costs milliseconds per input.
  RemoveFile(data::FileNamePart(scratch));
  Require(data::SaveProgramText(scratch, editorLines, data::Durability::Scratch), "the scratch file is written");
  const bool prepared = nc::PrepareProgram(preparation, scratch) && nc::ExpandSubprograms(preparation);
  RequireSaneListing(bench.listing, bench.table);
  Require(prepared || bench.messages.errorFlag(), "a failed preparation shows a message");
}

}  // namespace

int FuzzPreparation(const std::uint8_t* data, std::size_t size) {
  const auto parts = SplitAtZeros(std::string_view(reinterpret_cast<const char*>(data), size), 3);
  WriteSubprogramFiles(parts);
  const std::vector<std::string> editorLines = SplitLines(parts[0]);
  Prepare(editorLines, false);
  Prepare(editorLines, true);
  return 0;
}

}  // namespace fuzz
