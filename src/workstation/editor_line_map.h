// Which editor line each line of the main program in the work listing came
// from, and back: the draw command's reading of the editor text replayed
// with the preparation's own line handling, so that a block picked on the
// drawing finds its line in the editor and an editor selection its blocks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "data/program_text.h"

namespace rur {

// Editor lines are counted from 0, as ProgramText::ForEachLine gives them;
// listing lines from 1, as the work listing and the block records count.
struct ListingLine {
  std::int32_t editorLine = 0;
  std::string text;  // as the preparation appends it
};

// The lines that the preparation appends for the main program, in order:
// the header (listing line 2), then every block, with the editor line each
// came from. Empty when the preparation would not read the text as a
// program (no "%", a program number over 6 digits, a NUL byte, beyond the
// listing's or the byte bound).
std::vector<ListingLine> ReplayMainProgram(const data::ProgramText& text, bool blockSkip);

// Listing lines first .. last; empty when last < first.
struct ListingLineRange {
  std::int32_t first = 0;
  std::int32_t last = -1;
  bool Empty() const { return last < first; }
};

class EditorLineMap {
 public:
  EditorLineMap() = default;
  // The map for the text that was drawn, with the block skip it was drawn with.
  EditorLineMap(const data::ProgramText& text, bool blockSkip);

  // The text holds a program that the preparation reads.
  bool Valid() const { return !editorLines_.empty(); }
  // The main program's lines in the listing: the header, and the last one
  // (the End of table entry 0 after the preparation of the same text).
  std::int32_t FirstListingLine() const;
  std::int32_t LastListingLine() const;

  // The editor line that listing line n of the main program came from; -1
  // for a line outside the main program (the listing's empty first line,
  // the subprograms).
  std::int32_t EditorLineOf(std::int32_t listingLine) const;
  // The listing lines made from an editor line: several for a line split
  // before parameter words, none for a line left out (before the "%",
  // blank, skipped by "/").
  ListingLineRange ListingLinesOf(std::int32_t editorLine) const;
  // The same for the editor lines first .. last.
  ListingLineRange ListingLinesOf(std::int32_t firstEditorLine, std::int32_t lastEditorLine) const;

 private:
  std::vector<std::int32_t> editorLines_;  // of listing lines FirstListingLine(), ... (never decreasing)
};

}  // namespace rur
