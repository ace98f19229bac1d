// ExecuteWord: one address word applied to the machine state.
#include <cmath>
#include <numbers>

#include "core/workstation.h"
#include "draw/execution.h"
#include "draw/execution_messages.h"
#include "nc/word.h"
#include "nc/word_numbers.h"

namespace draw {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kFullTurn = 360.0L;
constexpr long double kMaxFeed = 30000.0L;
constexpr std::uint8_t kDwellRequested = 4;
constexpr int kDwellScaledType = 4;  // controller type that counts dwell in tenths

long double ValueOf(rur::Workstation& ws, std::string_view word) {
  return nc::EvaluateWord(word, ws.params, ws.messages);
}

// "A": rotation angle in degrees, added to the present one in G91. Exactly
// 360 degrees is a full turn and kept as no rotation.
void RotationWord(rur::Workstation& ws, std::string_view word) {
  MachineState& m = ws.machine;
  const long double v = ValueOf(ws, word);
  long double degrees = m.distanceMode == 91 ? v + m.rotationAngle * 180.0L / kPi : v;
  if (degrees > kFullTurn) degrees -= kFullTurn;
  if (!(degrees >= 0.0L && degrees <= kFullTurn)) {
    m.rotationAngle = degrees;
    ws.messages.ShowMessageByNumber(kMessageAngleOutOfRange, " ");
    return;
  }
  m.rotationAngle = degrees == kFullTurn ? 0.0L : degrees * kPi / 180.0L;
}

// "D": tool table entry of the following blocks; beyond the table the run
// stops.
void CorrectionWord(rur::Workstation& ws, std::string_view text) {
  const std::uint32_t n = nc::WholeNumber(text);
  if (n >= static_cast<std::uint32_t>(data::kToolRecords)) {
    ShowBlockMessage(ws, kCorrectionBeyondTable);
    return;
  }
  ws.machine.correctionNumber = static_cast<std::uint8_t>(n);
}

// The value of an F or S word: parameter "R" n, or false after message 7.
bool ParameterValue(rur::Workstation& ws, std::string_view text, long double& value) {
  const int n = nc::ParameterNumber(text);
  if (n < 0) {
    ws.messages.ShowMessageByNumber(kMessageParameterNumber, " ");
    return false;
  }
  value = ws.params.values[static_cast<std::size_t>(n)];
  return true;
}

// "F": the feed, or the dwell time after a G4 earlier in the block.
void FeedWord(rur::Workstation& ws, std::string_view text) {
  MachineState& m = ws.machine;
  long double value = 0.0L;
  if (!text.empty() && text.front() == 'R') {
    if (!ParameterValue(ws, text, value)) return;
  } else {
    nc::ReadDecimal(text, value);  // no number reads as 0
  }
  if (!(value > 0.0L)) {
    ws.messages.ShowMessageByNumber(kMessageFeedNotPositive, " ");
    return;
  }
  if (value > kMaxFeed) {
    ws.messages.ShowMessageByNumber(kMessageFeedTooHigh, " ");
    return;
  }
  // From here on 0 < value <= 30000: every conversion below is in range.
  if (m.block.dwellRequest != kDwellRequested) {
    m.feedInteger = static_cast<std::int32_t>(std::nearbyint(value));
    m.feedValue = m.feedInteger;
    return;
  }
  if (ws.settings.controllerType == kDwellScaledType) value *= 10.0L;
  m.dwellTime = static_cast<std::int32_t>(std::nearbyint(value));
  m.dwellTicks = static_cast<std::uint16_t>(m.dwellTime);
}

void ZeroPointWord(MachineState& m, std::uint8_t n) {
  m.zeroPointMode = n;
  m.block.zeroPointRequest = n;
  m.block.zeroPointChanged = true;
}

// "G": numbers beyond a byte are ignored like every unknown G number.
void PreparatoryWord(rur::Workstation& ws, std::string_view text) {
  MachineState& m = ws.machine;
  BlockWords& b = m.block;
  const std::uint32_t n = nc::WholeNumber(text);
  if (n <= 3) m.motionMode = static_cast<std::uint8_t>(n);
  else if (n == 4) b.dwellRequest = kDwellRequested;
  else if (n >= 17 && n <= 19) m.planeMode = static_cast<std::uint8_t>(n);
  else if (n >= 40 && n <= 42) m.compensationMode = static_cast<std::uint8_t>(n);
  else if (n == 52) m.zeroPointMode = 52, b.g52Request = true;
  else if (n == 53) m.zeroPointMode = 53, b.g53Request = true;
  else if (n >= 54 && n <= 58) ZeroPointWord(m, static_cast<std::uint8_t>(n));
  else if (n == 59) b.zeroPointRequest = 59;
  else if (n == 66) b.g66Request = true;
  else if (n == 74) ws.currentRecord.g74Flag = 1;
  else if (n == 90 || n == 91) m.distanceMode = static_cast<std::uint8_t>(n);
}

// "M": flags the M number on this block's record.
void MiscellaneousWord(rur::Workstation& ws, std::string_view text) {
  const std::uint32_t n = nc::WholeNumber(text);
  if (n < ws.currentRecord.mFlags.size()) ws.currentRecord.mFlags[n] = 1;
}

// "S": the spindle speed, a whole number or a parameter truncated.
void SpindleWord(rur::Workstation& ws, std::string_view text) {
  if (!text.empty() && text.front() == 'R') {
    long double value = 0.0L;
    if (ParameterValue(ws, text, value)) ws.machine.spindleSpeed = nc::TruncateToInt32(value);
    return;
  }
  ws.machine.spindleSpeed = nc::TruncateToInt32(static_cast<long double>(nc::WholeNumber(text)));
}

// "T": 0 leaves the tool as it is, and so does a number beyond a byte.
void ToolWord(rur::Workstation& ws, std::string_view text) {
  const std::uint32_t n = nc::WholeNumber(text);
  if (n > 0 && n <= 255) ws.machine.toolNumber = static_cast<std::uint8_t>(n);
}

// X, Y, Z (relative false) or u, v, w (relative true) on axis 0, 1, 2.
void AxisWord(rur::Workstation& ws, std::string_view word, int axis, bool relative) {
  BlockWords& b = ws.machine.block;
  b.axisWord[axis] = ValueOf(ws, word);
  b.given[axis] = true;
  b.relative[axis] = relative;
}

// I, J, K on axis 0, 1, 2.
void CentreWord(rur::Workstation& ws, std::string_view word, int axis) {
  BlockWords& b = ws.machine.block;
  b.centre[axis] = ValueOf(ws, word);
  b.centreGiven[axis] = true;
}

}  // namespace

void ExecuteWord(rur::Workstation& ws, std::string_view word) {
  if (word.empty()) return;
  const std::string_view text = word.substr(1);
  switch (word.front()) {
    case 'A': RotationWord(ws, word); break;
    case 'D': CorrectionWord(ws, text); break;
    case 'F': FeedWord(ws, text); break;
    case 'G': PreparatoryWord(ws, text); break;
    case 'I': CentreWord(ws, word, 0); break;
    case 'J': CentreWord(ws, word, 1); break;
    case 'K': CentreWord(ws, word, 2); break;
    case 'M': MiscellaneousWord(ws, text); break;
    case 'S': SpindleWord(ws, text); break;
    case 'T': ToolWord(ws, text); break;
    case 'U': ws.machine.block.radiusWord = ValueOf(ws, word); break;
    case 'X': AxisWord(ws, word, 0, false); break;
    case 'Y': AxisWord(ws, word, 1, false); break;
    case 'Z': AxisWord(ws, word, 2, false); break;
    case 'u': AxisWord(ws, word, 0, true); break;
    case 'v': AxisWord(ws, word, 1, true); break;
    case 'w': AxisWord(ws, word, 2, true); break;
    default: break;  // other letters and characters are ignored
  }
}

}  // namespace draw
