// The radius compensation over a few dozen block records made from the
// input (tool radii, radius tolerance and every coordinate drawn from the
// reader's mix, non-finite ones included): it ends, keeps within its
// output, says why when it fails, and turns a moderate contour into a
// finite path, whose frames are then made as a transfer makes them.
#include <cmath>
#include <optional>

#include "byte_reader.h"
#include "fuzz_host.h"
#include "fuzz_targets.h"
#include "geometry/compensation.h"
#include "record_reader.h"
#include "transfer/frame_source.h"

namespace fuzz {
namespace {

constexpr std::int32_t kMaxRecords = 48;
constexpr std::size_t kToolsUsed = 4;
constexpr long double kModerate = 10'000.0L;

bool Moderate(long double v) { return std::isfinite(v) && std::fabs(v) <= kModerate; }

bool ModerateRecord(const data::BlockRecord& r) {
  for (const long double v : {r.startX, r.startY, r.startZ, r.endX, r.endY, r.endZ, r.centreX, r.centreY, r.radius}) {
    if (!Moderate(v)) return false;
  }
  return true;
}

bool FiniteRecord(const data::BlockRecord& r) {
  for (const long double v : {r.startX, r.startY, r.startZ, r.endX, r.endY, r.endZ, r.centreX, r.centreY, r.radius}) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

bool ModerateInput(const data::BlockStore& store, const data::ToolTable& tools, long double tolerance) {
  if (!Moderate(tolerance)) return false;
  for (std::size_t k = 0; k < kToolsUsed; ++k) {
    if (!Moderate(tools[k].radiusCorrection)) return false;
  }
  for (std::int32_t i = 1; i <= store.count(); ++i) {
    if (!ModerateRecord(store.At(i))) return false;
  }
  return true;
}

void MakeFrames(const data::BlockStore& store, MessageBench& bench) {
  transfer::FrameSource source(store, {}, std::nullopt, bench.messages);
  transfer::Frame frame;
  while (source.Next(frame)) Require(!frame.data.empty(), "frames carry data");
}

}  // namespace

int FuzzCompensation(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  data::ToolTable tools{};
  for (std::size_t k = 0; k < kToolsUsed; ++k) tools[k].radiusCorrection = in.Value();
  const long double tolerance = in.Value();
  data::BlockStore programmed(kMaxRecords);
  RecordReader records(in);
  while (!in.Empty() && !programmed.Full()) programmed.Append(records.Next());

  MessageBench bench;
  data::BlockStore compensated(2 * kMaxRecords);
  const bool done = geometry::Compensate(programmed, tools, tolerance, bench.messages, compensated);
  Require(done == !bench.messages.errorFlag(), "the pass fails exactly when it shows a message");
  Require(done || bench.dialogs.shown > 0, "a failed pass shows a message");
  Require(compensated.count() <= 2 * programmed.count(), "each block gives at most a corner and itself");
  if (!done) return 0;
  if (ModerateInput(programmed, tools, tolerance)) {
    for (std::int32_t i = 1; i <= compensated.count(); ++i) {
      Require(FiniteRecord(compensated.At(i)), "a moderate contour compensates into finite blocks");
    }
  }
  MakeFrames(compensated, bench);
  return 0;
}

}  // namespace fuzz
