// Where a stored block came from, as the path view and the picture name it
// when the operator picks the block: its program and line, and the editor
// line to select when it came from the main program in the editor.
#pragma once

#include <cstdint>
#include <string>

#include "data/block_record.h"
#include "data/work_listing.h"
#include "workstation/editor_line_map.h"

namespace rur {

struct BlockOrigin {
  std::int32_t position = 0;
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

// "Satz 17: %201, Zeile 5" (Windows-1252).
std::string DescribeOrigin(const BlockOrigin& origin);

}  // namespace rur
