// The machine state of a drawing run: what lives from block to block
// (modes, zero point, rotation, feed, tool, the last programmed point) and
// what one block carries (given axes, centre words, one-shot requests).
#pragma once

#include <cstdint>

namespace draw {

// A point of the three axes.
struct Axes {
  long double x = 0.0L, y = 0.0L, z = 0.0L;
  // Axis 0 is X, 1 is Y, 2 is Z.
  long double& operator[](int axis) { return axis == 0 ? x : axis == 1 ? y : z; }
  long double operator[](int axis) const { return axis == 0 ? x : axis == 1 ? y : z; }
};

struct AxisFlags {
  bool x = false, y = false, z = false;
  bool& operator[](int axis) { return axis == 0 ? x : axis == 1 ? y : z; }
  bool operator[](int axis) const { return axis == 0 ? x : axis == 1 ? y : z; }
  bool any() const { return x || y || z; }
};

// Values of one block, cleared at its start.
struct BlockWords {
  AxisFlags given;             // X, Y, Z (or u, v, w) words present
  AxisFlags relative;          // the axis came from u, v or w
  Axes axisWord;               // values of the X, Y, Z (or u, v, w) words
  AxisFlags centreGiven;       // I, J, K words present
  Axes centre;                 // I, J, K words
  long double radiusWord = 0;  // the "U" word
  std::uint8_t dwellRequest = 0;      // 4 after G4
  std::uint8_t zeroPointRequest = 0;  // 54..58, or 59 for G59
  bool zeroPointChanged = false;
  bool g52Request = false;
  bool g53Request = false;
  bool g66Request = false;
};

struct MachineState {
  std::uint8_t motionMode = 0;        // 0..3 from G0..G3
  std::uint8_t distanceMode = 90;     // 90 absolute, 91 incremental; 0 counts as absolute
  std::uint8_t compensationMode = 40; // 40..42
  std::uint8_t planeMode = 17;        // 17..19, kept only
  std::uint8_t zeroPointMode = 53;    // 52..58
  Axes prog;                          // programmed point of this block
  Axes sticky;                        // programmed position of each axis before mirroring and rotation
  Axes lastProg;                      // programmed point of the previous block
  Axes machineStart, machineEnd;      // machine position before and after the block
  Axes offset;                        // active zero-point offset
  Axes g59Shift;                      // programmable shift added to every zero point
  long double rotationAngle = 0.0L;   // radians, 0 = no rotation
  std::int32_t mirrorZ = 1;
  long double feedValue = 0.0L;
  std::int32_t feedInteger = 10000;
  std::int32_t dwellTime = 0;
  std::uint16_t dwellTicks = 0;       // low 16 bits of this block's dwell, cleared after it
  std::int32_t spindleSpeed = 0;
  std::uint8_t toolNumber = 0;        // T
  std::uint8_t correctionNumber = 0;  // D, index into the tool table
  std::uint8_t effectiveMotion = 0;
  std::uint8_t effectiveCompensation = 40;
  BlockWords block;
};

}  // namespace draw
