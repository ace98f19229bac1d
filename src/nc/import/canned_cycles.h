// The drilling cycles of standard G-code (G73, G81, G82, G83, G85, G86,
// G89) as a standard control runs them: the words of a cycle stay in
// force from block to block until G80 or another motion, and every block
// that names a hole position drills it with the moves written out.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace nc {

struct CyclePoint {
  double x = 0.0, y = 0.0, z = 0.0;  // mm, absolute program coordinates
};

enum class CycleMoveKind : std::uint8_t {
  kRapid,         // straight at rapid rate to `to`
  kFeed,          // straight at the cycle's feed to `to`
  kDwell,         // wait `seconds` where the tool stands
  kSpindleStop,   // G86 at the bottom: the spindle stops (M5)
  kSpindleStart,  // G86 after the retract: the spindle runs again as before
};

struct CycleMove {
  CycleMoveKind kind = CycleMoveKind::kRapid;
  CyclePoint to;         // for kRapid and kFeed
  double seconds = 0.0;  // for kDwell
};

// The words of one block as far as the cycles care, values converted to
// mm (P in seconds) but absolute or incremental as written.
struct CycleBlock {
  int cycleCode = 0;  // 73, 81, 82, 83, 85, 86 or 89 when the block names a cycle; 0 otherwise
  std::optional<double> x, y, z, r, q, p;
  std::optional<double> repeats;  // L (or K) repeat count as written
  bool incremental = false;       // G91 in force for this block
  int retractMode = 98;           // G98 (back to the initial Z) or G99 (back to R), in force
};

class CannedCycles {
 public:
  // Whether a cycle is in force (named and not yet ended).
  bool active() const { return code_ != 0; }
  int code() const { return code_; }

  // A block that names a cycle, or any block that carries X, Y, Z, R, Q or
  // P while one is in force. `position` is where the tool stands
  // (absolute mm). A block with X, Y, Z or R drills; one with only Q or P
  // (or a cycle code alone) sets the words for the holes that follow.
  // Appends the moves of the holes the block drills, leaving out moves to
  // where the tool already stands; false with a German reason
  // (Windows-1252) when it cannot be drilled as a standard control would
  // (a pecking cycle with Q not above 0, an R plane below the bottom, no Z
  // or R known yet, a repeat count that is no whole number, ...): nothing
  // is appended then and the words in force stay as they were.
  bool Block(const CycleBlock& block, CyclePoint position, std::vector<CycleMove>& moves, std::string& reason);

  // G80, or a motion G0 to G3: the cycle ends and its words are forgotten.
  void End();

 private:
  // A word in force as written, with the distance mode it was written in.
  struct Word {
    double value = 0.0;
    bool incremental = false;
  };

  int code_ = 0;
  std::optional<Word> z_, r_;             // bottom and R plane (mm)
  std::optional<double> q_, p_;           // peck depth (mm) and dwell (seconds)
  double initialZ_ = 0.0;                 // the G98 level: Z where the cycle began
};

}  // namespace nc
