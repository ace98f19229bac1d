// Which editor line each main-program line of the work listing came from,
// and back, so that a block picked on the drawing finds its editor line and
// an editor selection its blocks: a lookup in the origins that preparation
// recorded for every listing line.
#pragma once

#include <cstdint>
#include <vector>

#include "data/program_text.h"
#include "data/work_listing.h"

namespace rur {

// Listing lines first .. last; empty when last < first.
struct ListingLineRange {
  std::int32_t first = 0;
  std::int32_t last = -1;
  bool Empty() const { return last < first; }
};

// Editor lines are counted from 0, as ProgramText::ForEachLine gives them;
// listing lines from 1, as the work listing and the block records count.
class EditorLineMap {
 public:
  EditorLineMap() = default;
  // The map of a listing that the draw command prepared from drawnText (the
  // editor's lines as they were drawn): the main program's lines 2 ..
  // End of table entry 0. Invalid when the preparation did not read a
  // program from the text.
  EditorLineMap(const data::WorkListing& listing, const data::SubprogramTable& subprograms,
                const data::ProgramText& drawnText);

  // The text held a program that the preparation read.
  bool Valid() const { return !editorLines_.empty(); }
  // The main program's lines in the listing: the header, and the last one
  // (the End of table entry 0).
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
