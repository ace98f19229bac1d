#include "draw/interpreter/driver.h"

#include <cstdint>
#include <optional>
#include <string>

#include "data/message_numbers.h"
#include "data/text.h"
#include "draw/interpreter/execution.h"
#include "nc/lexical/characters.h"
#include "nc/lexical/comments.h"
#include "nc/preparation/label_index.h"
#include "nc/preparation/listing.h"
#include "nc/words/word.h"

namespace draw {
namespace {

bool Stopped(const RunContext& ctx) { return ctx.messages.errorFlag() || ctx.StopRequested(); }

// The resets of a run beyond ResetMachineState.
void ResetRun(RunContext& ctx) {
  RunState& run = ctx.run;
  run.levelLine[0] = 1;
  run.callLevel = 0;
  run.levelName[0] = ctx.programName.substr(0, data::kMaxProgramName);
  run.labels.Build(ctx.listing);
  ctx.subprogramSlots[0] = 0;
  ctx.mirror = nc::MirrorFactors{};
  ResetMachineState(ctx);
  MachineState& m = ctx.machine;
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
  ctx.blocks.Clear();
  ctx.currentRecord = data::BlockRecord{};
  ctx.messages.context.currentProgram = run.levelName[0];
  ctx.pump.PumpSoon();  // the window gets its events once the run is under way
}

// The jump of the block: the text after its first "K" evaluated as a value
// and rounded to the label it names. The block keeps nothing after the "K",
// so words behind the target are not executed. Without a "K" the whole
// block is evaluated (for its messages) and there is no target.
std::optional<std::optional<std::int64_t>> JumpTarget(RunContext& ctx) {
  std::string& block = ctx.run.block;
  const auto k = block.find('K');
  std::string target = "X";
  target.append(block, k == std::string::npos ? 0 : k + 1);
  const long double value = nc::EvaluateWord(target, ctx.params, ctx.messages);
  if (k == std::string::npos) return std::nullopt;
  block.resize(k + 1);
  return nc::JumpLabel(value);
}

// Executes listing line n at level v; false when the run must end.
bool ExecuteLine(RunContext& ctx, std::int32_t n, int v) {
  RunState& run = ctx.run;
  ctx.messages.context.currentProgram = run.levelName[static_cast<std::size_t>(v)];
  nc::ReadListingLine(ctx.listing, n, run.listingText);
  run.levelLines[static_cast<std::size_t>(v)] = n;
  ctx.messages.context.currentBlock = run.listingText;
  run.block = data::TrimmedView(run.listingText);
  nc::RemoveFirstComment(run.block);
  if (!nc::TranslateBlock(run.block, ctx.mirror, ctx.params, ctx.messages)) return false;
  if (run.block.find("@100") != std::string::npos) {
    const auto target = JumpTarget(ctx);
    if (!target || !JumpToLabel(ctx, *target, v, run.levelLine[static_cast<std::size_t>(v)])) return false;
  }
  ExecuteBlock(ctx);
  ctx.pump.Pump();
  return v == 0 || !Stopped(ctx);
}

// Takes the first "N" word out of the call block and returns the label its
// digits name.
std::optional<std::int64_t> TakeRangeLabel(std::string& callBlock) {
  const auto at = callBlock.find('N');
  const auto end = nc::DigitsEnd(callBlock, at + 1);
  const auto label = nc::RangeLabel(std::string_view(callBlock).substr(at + 1, end - at - 1));
  callBlock.erase(at, end - at);
  return label;
}

// Looks up a range label of the call at level v into `line`, searching
// from the called program's start, and makes it the label's own line.
bool FindRangeLabel(RunContext& ctx, std::optional<std::int64_t> label, int v, std::int32_t& line) {
  line = ctx.subprograms.entries[ctx.subprogramSlots[static_cast<std::size_t>(v)]].start;
  if (!JumpToLabel(ctx, label, v, line)) return false;
  ++line;
  return true;
}

// Sets the range of one repetition of the call at level v; the labels are
// taken out of the call block, so later repetitions run the whole program.
bool SetCallRange(RunContext& ctx, std::string& callBlock, int v) {
  RunState& run = ctx.run;
  const auto i = static_cast<std::size_t>(v);
  const data::SubprogramEntry& entry = ctx.subprograms.entries[ctx.subprogramSlots[i]];
  if (callBlock.find('N') == std::string::npos) {
    run.rangeStart[i] = entry.start + 1;
    run.rangeEnd[i] = entry.end;
    return true;
  }
  if (!FindRangeLabel(ctx, TakeRangeLabel(callBlock), v, run.rangeStart[i])) return false;
  if (callBlock.find('N') == std::string::npos) {
    run.rangeEnd[i] = entry.end;
    return true;
  }
  return FindRangeLabel(ctx, TakeRangeLabel(callBlock), v, run.rangeEnd[i]);
}

bool RunCall(RunContext& ctx, int v);

// Executes the range of the call at level v once.
bool RunRange(RunContext& ctx, int v) {
  RunState& run = ctx.run;
  const auto i = static_cast<std::size_t>(v);
  for (run.levelLine[i] = run.rangeStart[i]; run.levelLine[i] <= run.rangeEnd[i]; ++run.levelLine[i]) {
    run.callLevel = static_cast<std::uint8_t>(v);
    if (!ExecuteLine(ctx, run.levelLine[i], v)) return false;
    if (run.block.find('L') == std::string::npos) continue;
    if (v == kCallLevels) {
      ctx.messages.ShowMessageByNumber(data::kMessageCallTooDeep, " ");
      return false;
    }
    if (!RunCall(ctx, v + 1)) return false;
  }
  return true;
}

// Runs the call in ctx.run.block at level v with its repeat count and range.
bool RunCall(RunContext& ctx, int v) {
  RunState& run = ctx.run;
  const auto i = static_cast<std::size_t>(v);
  std::string callBlock = run.block;
  // A call of a program that preparation did not load ends the run with the
  // missing file's message, naming the calling program and block, so that a
  // drawing that stopped here is never taken for a complete one.
  if (!nc::FindSubprogram(callBlock, v, 'L', ctx.subprograms, ctx.subprogramSlots)) {
    ctx.messages.ShowMessageByNumber(data::kMessageProgramCannotOpen, " ");
    return false;
  }
  if (!nc::ReadRepeatCount(run.repeatCount[i], callBlock, ctx.messages)) return false;
  run.levelName[i] = ctx.subprograms.entries[ctx.subprogramSlots[i]].name.substr(0, data::kMaxProgramName);
  for (std::int32_t repeat = 0; repeat < run.repeatCount[i]; ++repeat) {
    if (!SetCallRange(ctx, callBlock, v)) return false;
    if (run.rangeStart[i] > run.rangeEnd[i]) {
      ctx.messages.ShowMessageByNumber(data::kMessageRangeReversed, " ");
      return false;
    }
    if (!RunRange(ctx, v)) return false;
  }
  return true;
}

}  // namespace

bool JumpToLabel(RunContext& ctx, std::optional<std::int64_t> target, int level, std::int32_t& line) {
  const data::SubprogramEntry& entry = ctx.subprograms.entries[ctx.subprogramSlots[static_cast<std::size_t>(level)]];
  const nc::LabelIndex& labels = ctx.run.labels;
  std::optional<std::int32_t> found;
  if (target) {
    const std::int64_t t = *target;
    if (ctx.settings.traits->jumpSearch == data::JumpSearch::kSignedDirection) {
      found = t < 0 ? labels.Find(-t, entry.start, line - 1) : labels.Find(t, line + 1, entry.end);
    } else if (t >= 0) {
      found = labels.Find(t, entry.start, entry.end);
    }
  }
  if (!found) {
    ctx.messages.ShowMessageByNumber(data::kMessageJumpTargetMissing, " ");
    return false;
  }
  line = *found - 1;
  return true;
}

void RunProgram(RunContext& ctx) {
  if (ctx.messages.errorFlag()) return;
  if (ctx.listing.Size() < 3) return;
  ResetRun(ctx);
  RunState& run = ctx.run;
  while (run.levelLine[0] <= ctx.subprograms.entries[0].end) {
    if (Stopped(ctx)) return;
    run.callLevel = 0;
    if (!ExecuteLine(ctx, run.levelLine[0], 0)) return;
    if (run.block.find('L') != std::string::npos && !RunCall(ctx, 1)) return;
    ++run.levelLine[0];
  }
  ctx.machine.distanceMode = 90;
}

}  // namespace draw
