// The state of the interpreter loop of a drawing run: call level, the line
// being executed at each level, program names, call ranges and repeat
// counts, and the block being executed.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "nc/preparation/label_index.h"

namespace draw {

inline constexpr int kCallLevels = 3;  // subprogram levels 1..3 below the main program

struct RunState {
  std::uint8_t callLevel = 0;                     // 0 main program, 1..3 call depth
  std::array<std::int32_t, 4> levelLine{};        // loop counter of each level
  std::array<std::int32_t, 4> levelLines{};       // line being executed, recorded in the block
  std::array<std::string, 4> levelName{};         // program executing at each level (<= 8 chars)
  std::array<std::int32_t, 4> rangeStart{};       // index 1..3
  std::array<std::int32_t, 4> rangeEnd{};
  std::array<std::int32_t, 4> repeatCount{};
  std::string listingText;                        // the line as read
  std::string block;                              // trimmed, first comment removed, translated
  nc::LabelIndex labels;                             // the listing's labels, built at the start of a run
};

}  // namespace draw
