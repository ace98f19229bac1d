// ExecuteWord: one address word applied to the machine state.
#include <cmath>
#include <numbers>

#include "draw/interpreter/run_context.h"
#include "data/tool_table.h"
#include "draw/interpreter/execution.h"
#include "draw/interpreter/execution_messages.h"
#include "nc/words/word.h"
#include "nc/lexical/word_numbers.h"

namespace draw {
namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kFullTurn = 360.0L;
constexpr long double kMaxFeed = 30000.0L;
constexpr std::uint8_t kDwellRequested = 4;

long double ValueOf(RunContext& ctx, std::string_view word) {
  return nc::EvaluateWord(word, ctx.params, ctx.messages);
}

// "A": rotation angle in degrees, added to the present one in G91. Exactly
// 360 degrees is a full turn and kept as no rotation.
void RotationWord(RunContext& ctx, std::string_view word) {
  MachineState& m = ctx.machine;
  const long double v = ValueOf(ctx, word);
  long double degrees = m.distanceMode == 91 ? v + m.rotationAngle * 180.0L / kPi : v;
  if (degrees > kFullTurn) degrees -= kFullTurn;
  if (!(degrees >= 0.0L && degrees <= kFullTurn)) {
    m.rotationAngle = degrees;
    ctx.messages.ShowMessageByNumber(data::kMessageAngleOutOfRange, " ");
    return;
  }
  m.rotationAngle = degrees == kFullTurn ? 0.0L : degrees * kPi / 180.0L;
}

// "D": tool table entry of the following blocks; beyond the table the run
// stops.
void CorrectionWord(RunContext& ctx, std::string_view text) {
  const std::uint32_t n = nc::WholeNumber(text);
  if (n >= static_cast<std::uint32_t>(data::kToolRecords)) {
    ShowBlockMessage(ctx, kCorrectionBeyondTable);
    return;
  }
  ctx.machine.correctionNumber = static_cast<std::uint8_t>(n);
}

// The value of an F or S word: parameter "R" n, or false after message 7.
bool ParameterValue(RunContext& ctx, std::string_view text, long double& value) {
  const int n = nc::ParameterNumber(text);
  if (n < 0) {
    ctx.messages.ShowMessageByNumber(data::kMessageParameterNumber, " ");
    return false;
  }
  value = ctx.params.values[static_cast<std::size_t>(n)];
  return true;
}

// "F": the feed, or the dwell time after a G4 earlier in the block.
void FeedWord(RunContext& ctx, std::string_view text) {
  MachineState& m = ctx.machine;
  long double value = 0.0L;
  if (!text.empty() && text.front() == 'R') {
    if (!ParameterValue(ctx, text, value)) return;
  } else {
    nc::ReadDecimal(text, value);  // no number reads as 0
  }
  if (!(value > 0.0L)) {
    ctx.messages.ShowMessageByNumber(data::kMessageFeedNotPositive, " ");
    return;
  }
  if (value > kMaxFeed) {
    ctx.messages.ShowMessageByNumber(data::kMessageFeedTooHigh, " ");
    return;
  }
  // From here on 0 < value <= 30000: every conversion below is in range.
  if (m.block.dwellRequest != kDwellRequested) {
    m.feedInteger = static_cast<std::int32_t>(std::nearbyint(value));
    m.feedValue = m.feedInteger;
    return;
  }
  if (ctx.settings.traits->dwellInTenths) value *= 10.0L;
  m.dwellTime = static_cast<std::int32_t>(std::nearbyint(value));
  m.dwellTicks = static_cast<std::uint16_t>(m.dwellTime);
}

void ZeroPointWord(MachineState& m, std::uint8_t n) {
  m.zeroPointMode = n;
  m.block.zeroPointRequest = n;
  m.block.zeroPointChanged = true;
}

// "G": numbers beyond a byte are ignored like every unknown G number.
void PreparatoryWord(RunContext& ctx, std::string_view text) {
  MachineState& m = ctx.machine;
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
  else if (n == 74) ctx.currentRecord.g74Flag = 1;
  else if (n == 90 || n == 91) m.distanceMode = static_cast<std::uint8_t>(n);
}

// "M": flags the M number on this block's record.
void MiscellaneousWord(RunContext& ctx, std::string_view text) {
  const std::uint32_t n = nc::WholeNumber(text);
  if (n < ctx.currentRecord.mFlags.size()) ctx.currentRecord.mFlags.set(n);
}

// "S": the spindle speed, a whole number or a parameter truncated.
void SpindleWord(RunContext& ctx, std::string_view text) {
  if (!text.empty() && text.front() == 'R') {
    long double value = 0.0L;
    if (ParameterValue(ctx, text, value)) ctx.machine.spindleSpeed = nc::TruncateToInt32(value);
    return;
  }
  ctx.machine.spindleSpeed = nc::TruncateToInt32(static_cast<long double>(nc::WholeNumber(text)));
}

// "T": 0 leaves the tool as it is, and so does a number beyond a byte.
void ToolWord(RunContext& ctx, std::string_view text) {
  const std::uint32_t n = nc::WholeNumber(text);
  if (n > 0 && n <= 255) ctx.machine.toolNumber = static_cast<std::uint8_t>(n);
}

// X, Y, Z (relative false) or u, v, w (relative true) on axis 0, 1, 2.
void AxisWord(RunContext& ctx, std::string_view word, int axis, bool relative) {
  BlockWords& b = ctx.machine.block;
  b.axisWord[axis] = ValueOf(ctx, word);
  b.given[axis] = true;
  b.relative[axis] = relative;
}

// I, J, K on axis 0, 1, 2.
void CentreWord(RunContext& ctx, std::string_view word, int axis) {
  BlockWords& b = ctx.machine.block;
  b.centre[axis] = ValueOf(ctx, word);
  b.centreGiven[axis] = true;
}

}  // namespace

void ExecuteWord(RunContext& ctx, std::string_view word) {
  if (word.empty()) return;
  const std::string_view text = word.substr(1);
  switch (word.front()) {
    case 'A': RotationWord(ctx, word); break;
    case 'D': CorrectionWord(ctx, text); break;
    case 'F': FeedWord(ctx, text); break;
    case 'G': PreparatoryWord(ctx, text); break;
    case 'I': CentreWord(ctx, word, 0); break;
    case 'J': CentreWord(ctx, word, 1); break;
    case 'K': CentreWord(ctx, word, 2); break;
    case 'M': MiscellaneousWord(ctx, text); break;
    case 'S': SpindleWord(ctx, text); break;
    case 'T': ToolWord(ctx, text); break;
    case 'U': ctx.machine.block.radiusWord = ValueOf(ctx, word); break;
    case 'X': AxisWord(ctx, word, 0, false); break;
    case 'Y': AxisWord(ctx, word, 1, false); break;
    case 'Z': AxisWord(ctx, word, 2, false); break;
    case 'u': AxisWord(ctx, word, 0, true); break;
    case 'v': AxisWord(ctx, word, 1, true); break;
    case 'w': AxisWord(ctx, word, 2, true); break;
    default: break;  // other letters and characters are ignored
  }
}

}  // namespace draw
