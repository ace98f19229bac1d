// Where a stored block came from, as the path view and the picture name it
// when the operator picks the block (and the window names the block of a
// message): its program and line, and the editor line to select when it
// came from the main program in the editor.
#pragma once

#include <cstdint>
#include <string>

#include "data/block_record.h"
#include "data/work_listing.h"
#include "workstation/editor_line_map.h"

namespace rur {

// A line of the work listing and the entry of the subprogram table whose
// program it belongs to, as a block record or a message names them; with
// the block's position in its store when there is one (0: none).
struct ListingPlace {
  std::int32_t programIndex = 0;
  std::int32_t listingLine = 0;
  std::int32_t position = 0;
  bool operator==(const ListingPlace&) const = default;
};

struct BlockOrigin {
  std::int32_t position = 0;  // 0: a line that no stored block names
  std::int32_t programIndex = 0;  // entry of the subprogram table (0: the main program)
  std::string programName;  // the main program's file name, or "%" and the subprogram's number
  // Counted from 1: the editor line for a main-program block the map
  // traces, else the line of the program's listing counted from its "%"
  // line.
  std::int32_t line = 0;
  std::int32_t editorLine = -1;  // from 0; -1: no line of the editor made it
};

// The origin of block `position` (1 .. count) of the store. The map traces
// main-program lines to the editor; give an empty map when the editor no
// longer holds the text that was drawn.
BlockOrigin OriginOfBlock(const data::BlockStore& store, const data::SubprogramTable& subprograms,
                          const EditorLineMap& map, std::int32_t position);

// The origin of a listing line (the position is carried over).
BlockOrigin OriginOfPlace(const data::SubprogramTable& subprograms, const EditorLineMap& map,
                          const ListingPlace& place);

// "Satz 17: %201, Zeile 5", or "Fehler in %201, Zeile 5" without a
// position; a program without a name (new, not saved) is left out:
// "Fehler in Zeile 57" (Windows-1252).
std::string DescribeOrigin(const BlockOrigin& origin);

}  // namespace rur
