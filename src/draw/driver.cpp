#include "draw/driver.h"

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "core/workstation.h"
#include "data/files.h"
#include "data/text.h"
#include "draw/execution.h"
#include "nc/listing.h"
#include "nc/word.h"

namespace draw {
namespace {

constexpr int kMessageJumpTargetMissing = 24;
constexpr int kMessageRangeReversed = 169;
constexpr int kMessageFourthLevel = 19;

bool Stopped(const rur::Workstation& ws) { return ws.messages.errorFlag != 0 || ws.stopRequest != 0; }

// Reads the settings, the tool table and the zero points afresh; the zero
// points read here are the ones the run uses.
void ReadDataFiles(rur::Workstation& ws) {
  ws.LoadSettingsAtActivation();
  const int type = ws.settings.controllerType;
  data::ReadToolTable(ws.tools, ws.dataDirectory, type, ws.dialogs);
  data::ReadZeroPoints(ws.zeroPointRecord, ws.dataDirectory, type);
  data::CopyZeroPoints(ws.zeroPointRecord, ws.zeroPointTable);
}

// The resets of a run beyond ResetMachineState.
void ResetRun(rur::Workstation& ws) {
  RunState& run = ws.run;
  run.levelLine[0] = 1;
  run.callLevel = 0;
  run.levelName[0] = ws.preparation.programName.substr(0, data::kMaxProgramName);
  run.labels.Build(ws.listing);
  ws.lastCompensation = 40;
  ws.subprogramSlots[0] = 0;
  ws.mirror = nc::MirrorFactors{};
  ResetMachineState(ws);
  MachineState& m = ws.machine;
  m.distanceMode = 0;
  m.motionMode = 0;
  m.compensationMode = 40;
  m.effectiveCompensation = 40;
  m.feedValue = 0.0L;
  m.feedInteger = 0;
  m.block = BlockWords{};
  m.sticky = Axes{};
  m.machineStart = Axes{};
  m.machineEnd = Axes{};
  ws.blockStore.Clear();
  ws.currentRecord = data::BlockRecord{};
  ws.messages.errorFlag = 0;
  ws.stopRequest = 0;
  ws.messages.context.currentProgram = run.levelName[0];
  ws.throttledPump.PumpSoon();  // the window gets its events once the run is under way
}

// The jump target after "K", evaluated as a value and written back rounded.
// Without a "K" the whole block is taken as the target's text.
void ResolveJumpTarget(rur::Workstation& ws) {
  std::string& block = ws.run.block;
  const auto k = block.find('K');
  std::string target = "X";
  target.append(block, k == std::string::npos ? 0 : k + 1);
  const long double value = nc::EvaluateWord(target, ws.params, ws.messages);
  if (k == std::string::npos) return;
  // Rounded half to even; a value beyond any label is written as a number
  // beyond the integer range, which finds no label.
  const long double rounded = std::nearbyint(value);
  block.resize(k + 1);
  if (std::isfinite(rounded) && std::fabs(rounded) < 1e15L) {
    block += std::to_string(static_cast<long long>(rounded));
  } else {
    block += "99999999999999999999";
  }
}

// Executes listing line n at level v; false when the run must end.
bool ExecuteLine(rur::Workstation& ws, std::int32_t n, int v) {
  RunState& run = ws.run;
  ws.messages.context.currentProgram = run.levelName[static_cast<std::size_t>(v)];
  nc::ReadListingLine(ws.listing, n, run.listingText);
  run.levelLines[static_cast<std::size_t>(v)] = n;
  ws.messages.context.currentBlock = run.listingText;
  run.block = data::TrimmedView(run.listingText);
  nc::RemoveFirstComment(run.block);
  if (!nc::TranslateBlock(run.block, ws.mirror, ws.params, ws.messages)) {
    ws.messages.errorFlag = 1;
    return false;
  }
  if (run.block.find("@100") != std::string::npos) {
    ResolveJumpTarget(ws);
    if (!JumpToLabel(ws, run.block, v, run.levelLine[static_cast<std::size_t>(v)])) return false;
  }
  ExecuteBlock(ws);
  ws.throttledPump.Pump();
  return v == 0 || !Stopped(ws);
}

// Digits directly after the first `letter` of text.
std::string DigitsAfter(const std::string& text, char letter) {
  const auto at = text.find(letter);
  std::string digits;
  if (at == std::string::npos) return digits;
  for (std::size_t i = at + 1; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) digits += text[i];
  return digits;
}

// Removes the first "N" and the digits after it.
void DeleteNWord(std::string& text) {
  const auto at = text.find('N');
  std::size_t end = at + 1;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  text.erase(at, end - at);
}

// Looks up a range label of the call at level v into `line`, searching
// from the called program's start, and makes it the label's own line.
bool FindRangeLabel(rur::Workstation& ws, const std::string& label, int v, std::int32_t& line) {
  line = ws.subprograms.entries[ws.subprogramSlots[static_cast<std::size_t>(v)]].start;
  if (!JumpToLabel(ws, "@100K" + label, v, line)) return false;
  ++line;
  return true;
}

// Sets the range of one repetition of the call at level v; the labels are
// taken out of the call block, so later repetitions run the whole program.
bool SetCallRange(rur::Workstation& ws, std::string& callBlock, int v) {
  RunState& run = ws.run;
  const auto i = static_cast<std::size_t>(v);
  const data::SubprogramEntry& entry = ws.subprograms.entries[ws.subprogramSlots[i]];
  if (callBlock.find('N') == std::string::npos) {
    run.rangeStart[i] = entry.start + 1;
    run.rangeEnd[i] = entry.end;
    return true;
  }
  const std::string start = DigitsAfter(callBlock, 'N');
  DeleteNWord(callBlock);
  if (!FindRangeLabel(ws, start, v, run.rangeStart[i])) return false;
  if (callBlock.find('N') == std::string::npos) {
    run.rangeEnd[i] = entry.end;
    return true;
  }
  const std::string end = DigitsAfter(callBlock, 'N');
  DeleteNWord(callBlock);
  return FindRangeLabel(ws, end, v, run.rangeEnd[i]);
}

bool RunCall(rur::Workstation& ws, int v);

// Executes the range of the call at level v once.
bool RunRange(rur::Workstation& ws, int v) {
  RunState& run = ws.run;
  const auto i = static_cast<std::size_t>(v);
  for (run.levelLine[i] = run.rangeStart[i]; run.levelLine[i] <= run.rangeEnd[i]; ++run.levelLine[i]) {
    run.callLevel = static_cast<std::uint8_t>(v);
    if (!ExecuteLine(ws, run.levelLine[i], v)) return false;
    if (run.block.find('L') == std::string::npos) continue;
    if (v == kCallLevels) {
      ws.messages.ShowMessageByNumber(kMessageFourthLevel, " ");
      return false;
    }
    if (!RunCall(ws, v + 1)) return false;
  }
  return true;
}

// Runs the call in ws.run.block at level v with its repeat count and range.
bool RunCall(rur::Workstation& ws, int v) {
  RunState& run = ws.run;
  const auto i = static_cast<std::size_t>(v);
  std::string callBlock = run.block;
  if (!nc::FindSubprogram(callBlock, v, 'L', ws.subprograms, ws.subprogramSlots)) return false;
  if (!nc::ReadRepeatCount(run.repeatCount[i], callBlock, ws.messages)) return false;
  run.levelName[i] = ws.subprograms.entries[ws.subprogramSlots[i]].name.substr(0, data::kMaxProgramName);
  for (std::int32_t repeat = 0; repeat < run.repeatCount[i]; ++repeat) {
    if (!SetCallRange(ws, callBlock, v)) return false;
    if (run.rangeStart[i] > run.rangeEnd[i]) {
      ws.messages.ShowMessageByNumber(kMessageRangeReversed, " ");
      return false;
    }
    if (!RunRange(ws, v)) return false;
  }
  return true;
}

// Parses the signed target after the first "K": "+", "-" and digits; a
// text that is no number gives 0, one beyond the integer range nothing.
std::optional<std::int64_t> JumpTarget(std::string_view block, std::size_t k) {
  std::string text;
  for (std::size_t i = k + 1; i < block.size() && (block[i] == '+' || block[i] == '-' || (block[i] >= '0' && block[i] <= '9')); ++i) {
    text += block[i];
  }
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return 0;
  std::int64_t value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return 0;
    if (value > (INT32_MAX - (text[i] - '0')) / 10) return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return negative ? -value : value;
}

}  // namespace

bool JumpToLabel(rur::Workstation& ws, std::string_view block, int level, std::int32_t& line) {
  const auto k = block.find('K');
  if (k == std::string_view::npos) return false;
  const data::SubprogramEntry& entry = ws.subprograms.entries[ws.subprogramSlots[static_cast<std::size_t>(level)]];
  std::optional<std::int32_t> found;
  if (const auto target = JumpTarget(block, k)) {
    const int type = ws.settings.controllerType;
    std::int64_t t = *target;
    if (type == 1 || type == 2) {
      if (t < 0) {
        found = ws.run.labels.Find(-t, entry.start, line - 1);  // backwards
      } else {
        found = ws.run.labels.Find(t, line + 1, entry.end);
      }
    } else if (t >= 0) {
      found = ws.run.labels.Find(t, entry.start, entry.end);
    }
  }
  if (!found) {
    ws.messages.ShowMessageByNumber(kMessageJumpTargetMissing, " ");
    return false;
  }
  line = *found - 1;
  return true;
}

void RunProgram(rur::Workstation& ws) {
  if (ws.messages.errorFlag != 0) return;
  ReadDataFiles(ws);
  if (ws.listing.lines.size() < 3) return;
  ResetRun(ws);
  RunState& run = ws.run;
  while (run.levelLine[0] <= ws.subprograms.entries[0].end) {
    if (Stopped(ws)) return;
    run.callLevel = 0;
    if (!ExecuteLine(ws, run.levelLine[0], 0)) return;
    if (run.block.find('L') != std::string::npos && !RunCall(ws, 1)) return;
    ++run.levelLine[0];
  }
  ws.machine.distanceMode = 90;
}

}  // namespace draw
