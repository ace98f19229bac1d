// The G and M words of standard G-code the import knows: the modal group
// of each G word, and for every word whether it is converted, dropped with
// a note, or refused, with the German text of the note or refusal.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace nc::import {

enum class GGroup : std::uint8_t {
  kMotion,        // G0 G1 G2 G3, the drilling cycles, G80
  kNonModal,      // G4 G10 G28 G30 G53 G92 ...
  kPlane,         // G17 G18 G19
  kUnits,         // G20 G21
  kDistance,      // G90 G91
  kArcDistance,   // G90.1 G91.1
  kFeedMode,      // G93 G94 G95
  kCompensation,  // G40 G41 G42
  kLength,        // G43 G49
  kZeroPoint,     // G54 .. G59.3
  kPath,          // G61 G61.1 G64
  kSpindleMode,   // G96 G97
  kRetract,       // G98 G99
};

enum class WordAction : std::uint8_t {
  kConvert,  // the import reads it
  kDrop,     // left out, with the note
  kRefuse,   // cannot be converted
};

struct GCodeInfo {
  bool known = false;
  GGroup group = GGroup::kNonModal;
  WordAction action = WordAction::kRefuse;
  std::string_view text;  // the note of a dropped word, the reason of a refused one
};

// By the number in tenths (G90.1 is 901).
GCodeInfo LookUpG(int tenths);

// "G90.1", "G1" from tenths.
std::string GName(int tenths);

// Named G numbers (tenths) the import works with.
inline constexpr int kG0 = 0, kG1 = 10, kG2 = 20, kG3 = 30, kG4 = 40, kG10 = 100, kG17 = 170, kG18 = 180,
                     kG19 = 190, kG20 = 200, kG21 = 210, kG28 = 280, kG30 = 300, kG40 = 400, kG41 = 410,
                     kG42 = 420, kG53 = 530, kG54 = 540, kG58 = 580, kG80 = 800, kG90 = 900, kG901 = 901,
                     kG91 = 910, kG911 = 911, kG98 = 980, kG99 = 990;

bool IsCycle(int tenths);

// M words: the program stops and ends, spindle, tool change, coolant, calls.
enum class MKind : std::uint8_t { kStop, kEnd, kSpindle, kToolChange, kCoolant, kCall, kReturn, kOther };
MKind KindOfM(int number);

}  // namespace nc::import
