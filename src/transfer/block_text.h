// The controller's text of one stored block: its dwell, tool, M and feed
// lines (each ending in CR LF) and its main line of motion, axis and centre
// words (no line end), all numbered with the block's store position.
#pragma once

#include <cstdint>
#include <string>

#include "data/block_record.h"

namespace transfer {

// Fixed for a whole transfer.
struct ConversionSettings {
  bool scaled = false;              // whole numbers in units of the last decimal
  long double zZeroOffset = 0.0L;   // added to every Z sent
};

// What the controller was last told; a fresh one for every transfer.
struct ConversionMemory {
  std::uint8_t lastTool = 0;
  long double lastFeed = 0.0L;
};

// The first number of the block's text that the text cannot hold (see
// FitsBlockText), as the word would be written ("X+200000000000000000.00",
// or the letter and "nicht endlich" for a value that is no finite number);
// empty when every number fits. Checks every coordinate the main line
// writes, the feed and the dwell time.
std::string UnwritableNumber(const data::BlockRecord& block, const ConversionSettings& settings);

// The text of block (store position number), possibly empty:
//   dwell line  N....G4F....   when Motion is 4 or Dwell is not 0
//   tool line   N....T....     when Tool differs from the last tool sent
//   M lines     N....M<k>      for each M flag set, k ascending
//   feed line   N....F....     when Feed differs from the last feed sent
//   main line   N....G<m>X..Y..Z..I..J..   the motion word when Motion is
//               0 to 3 and an axis moves, each flagged axis, I and J for
//               Motion 2 and 3; no line end, and nothing when all are empty.
// Updates the remembered tool and feed. Draws nothing (the picture's listener does).
std::string ConvertBlock(const data::BlockRecord& block, std::int32_t number, const ConversionSettings& settings,
                         ConversionMemory& memory);

}  // namespace transfer
