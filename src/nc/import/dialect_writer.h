// Writes the dialect program of an import: numbers as the block text holds
// them, one line per block with its N number first and its comment last,
// the first block's G90 (and G54), the safe height filled in once the
// whole program is known, and every line within 255 characters. Keeps the
// state the dialect has in force before each rapid move, where a long
// program may be split.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "nc/import/gcode_import.h"

namespace nc::import {

// The text of a number in the dialect: at most 4 decimals (fewer from 1e11
// on, so that 15 digits stay), trailing zeros dropped, never "-0".
std::string FormatNumber(double value);

// Whether the block text can hold the value: finite, and at most 15 digits
// in units of 0.01 mm.
bool FitsBlockText(double value);

// The value as the dialect program will read it back.
double AsWritten(double value);

// Stands in a line's code for the safe height, a Z value known only at the end.
inline constexpr char kSafeHeight = '\x01';

// What the dialect program has in force (as written so far).
struct DialectState {
  std::array<double, 3> position{};      // last value written per axis
  std::array<bool, 3> written{};         // an axis value was written
  bool atSafeHeight = false;             // Z stands at the safe height
  int tool = 0;                          // after the last M06 (0: none)
  std::optional<int> correction;         // last D written
  std::optional<long> spindle;           // last S written
  int spindleDirection = 5;              // 3, 4 or 5
  bool mist = false, flood = false;      // M07, M08
  std::optional<double> feed;            // last F written
  int zeroPoint = 0;                     // 54..58 written, 0: none yet
  bool compensated = false;              // G41 or G42 in force
};

class DialectWriter {
 public:
  // A source block begins: its N digits and folded comment go on its first line.
  void BeginBlock(std::int32_t sourceLine, std::string number, std::string comment);
  // A code line of the block; state: the state before it, for a rapid
  // move where a split may start (nullptr for other lines).
  void Line(std::string code, bool move, const DialectState* rapidState = nullptr);
  // Ends the block; a block without code lines keeps its comment as a line.
  // Returns the line number (from 1, the header being line 1) of its first
  // line, 0 when it wrote none.
  std::int32_t EndBlock();

  // A G54..G58 is written before the first move: the first block needs no G54.
  void ZeroPointSelected() {
    if (!moved_) zeroPointBeforeMove_ = true;
  }
  std::size_t lines() const { return lines_.size(); }

  struct SplitPoint {
    std::size_t line = 0;  // index into the body lines
    DialectState state;    // in force before it
  };
  const std::vector<SplitPoint>& splitPoints() const { return splitPoints_; }

  // The program: header, then the lines with the safe height filled in.
  // False with the source line of a line the block text cannot hold.
  bool Finish(const std::string& header, std::optional<double> safeHeight, ImportedProgram& program,
              std::int32_t& badLine);

 private:
  struct Output {
    std::string number;
    std::string code;
    std::string comment;
    std::int32_t source = 0;
  };
  std::vector<Output> lines_;
  std::vector<SplitPoint> splitPoints_;
  std::int32_t source_ = 0;
  std::string number_, comment_;
  std::size_t blockFirst_ = 0;
  std::optional<std::size_t> firstCode_;
  bool moved_ = false;
  bool zeroPointBeforeMove_ = false;
};

// Puts a line together: N, code, and the comment cut so that the line
// stays within 255 characters (left out when nothing of it fits). Empty
// when the code alone is too long.
std::string AssembleLine(const std::string& number, const std::string& code, const std::string& comment);

}  // namespace nc::import
