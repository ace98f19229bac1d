// A whole transfer over a line with a controller behind it: bytes moved in
// pieces, the sender asleep whenever nothing can move, and every way a
// transfer ends. The line itself checks that no pass of the loop spins.
// Beside it the byte trace of such a transfer.
#include "transfer/transfer_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "support/message_setup.h"
#include "support/trace_bytes.h"
#include "transfer/tracing_line.h"
#include "transfer/scripted_line.h"

namespace {

using transfer::HandshakeState;
using transfer::LineWait;
using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

class TransferRunTest : public ::testing::Test {
 protected:
  // Blocks of 18 bytes with their line end: 14 to a frame, 60 make 5 frames.
  explicit TransferRunTest(int blocks = 60) : store(testing_support::FeedMoves(blocks)) {
    transfer::FrameSource reference(store, {}, std::nullopt, setup.messages);
    transfer::Frame frame;
    while (reference.Next(frame)) expected.push_back(frame);
  }

  // Over `over` when given (a line wrapping `line`).
  bool Run(transfer::ReplyCharacters characters = {}, transfer::SerialLine* over = nullptr) {
    transfer::FrameSource frames(store, {}, std::nullopt, setup.messages);
    transfer::Handshake handshake(frames, characters);
    handshake.Start();
    line.open = true;
    const bool finished = transfer::RunTransfer(handshake, over != nullptr ? *over : line, phase, view);
    state = handshake.state();
    record = handshake.record();
    return finished;
  }

  Bytes ExpectedWire(std::initializer_list<std::size_t> order) const {
    Bytes wire;
    for (const std::size_t k : order) {
      const Bytes frame = transfer::WireBytes(expected[k]);
      wire.insert(wire.end(), frame.begin(), frame.end());
    }
    return wire;
  }

  testing_support::MessageSetup setup;
  data::BlockStore store;
  std::vector<transfer::Frame> expected;
  testing_support::ScriptedLine line;
  data::RunPhase phase = data::RunPhase::kRunning;
  testing_support::RecordingView view;
  HandshakeState state = HandshakeState::kIdle;
  transfer::TransferRecord record;
};

TEST_F(TransferRunTest, RepeatAndMemoryFullOnTheWayToTheLastFrame) {
  ASSERT_EQ(expected.size(), 5U);
  // The second frame is repeated; its repeat fills the controller's memory,
  // which is released while the sender sleeps for the third time since.
  line.replies = {{6}, {21}, {0}};
  int pausedWaits = 0;
  line.onWait = [&](std::size_t) {
    if (line.frames.size() == 3 && ++pausedWaits == 3) line.arrived.push_back(0);
  };
  EXPECT_TRUE(Run());
  EXPECT_EQ(state, HandshakeState::kFinished);
  EXPECT_EQ(line.written, ExpectedWire({0, 1, 1, 2, 3, 4}));
  ASSERT_EQ(line.frames.size(), 6U);
  for (const auto& frame : line.frames) EXPECT_TRUE(frame.valid);
  EXPECT_TRUE(line.frames.back().last);
  EXPECT_EQ(view.status, (Texts{transfer::kStatusWaiting, transfer::kStatusSending, transfer::kStatusRepeat,
                                transfer::kStatusMemoryFull, transfer::kStatusResume, transfer::kStatusFinished}));
  // Progress is the integer part of the share of blocks confirmed: 14
  // blocks a frame (14, 28, 42, 56 of 60), then all 60.
  EXPECT_EQ(view.progress, (std::vector<int>{0, 23, 46, 70, 93, 100}));
  EXPECT_EQ(view.figures.front(), 0);
  EXPECT_EQ(view.figures.back(), 60);
  EXPECT_TRUE(std::is_sorted(view.figures.begin(), view.figures.end()));
  // The record counts the repeat's bytes and lists the replies of frame 2.
  EXPECT_EQ(record.blocksConfirmed, 60);
  EXPECT_EQ(record.framesSent, 6);
  EXPECT_EQ(record.framesConfirmed, 5);
  EXPECT_EQ(record.bytesSent, static_cast<std::int64_t>(line.written.size()));
  EXPECT_EQ(record.repeats, 1);
  EXPECT_EQ(record.pauses, 1);
  ASSERT_EQ(record.replies.size(), 3U);
  EXPECT_EQ(record.replies[0].byte, 21);
  EXPECT_EQ(record.replies[1].text, transfer::kStatusMemoryFull);
  EXPECT_EQ(record.replies[2].text, transfer::kStatusResume);
  for (const transfer::ControllerReply& reply : record.replies) EXPECT_EQ(reply.frame, 2);
  EXPECT_EQ(record.endText, transfer::kStatusFinished);
  // The line always took all: the sender only ever waited for input.
  for (const LineWait what : line.waits) EXPECT_EQ(what, LineWait::kInput);
}

// The controller sends its ready byte twice, the second arriving while
// frame 1 goes out: before its first byte or when all but its last byte
// are out (the places between are the handshake's). The loop reads it
// before it hands the last byte over, so it cannot confirm frame 1: the
// real reply, a 21, has frame 1 sent again. An early 21 keeps its
// meaning.
TEST_F(TransferRunTest, ByteArrivingWhileAFrameGoesOutDoesNotAnswerIt) {
  const std::size_t size = transfer::WireBytes(expected[0]).size();
  struct Case {
    std::uint8_t early;
    std::size_t writtenBefore;
    Bytes wire;
  };
  const Case cases[] = {
      {6, 0, ExpectedWire({0, 0, 1, 2, 3, 4})},
      {6, size - 1, ExpectedWire({0, 0, 1, 2, 3, 4})},
      {21, size - 1, ExpectedWire({0, 0, 0, 1, 2, 3, 4})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int{c.early} << " after " << c.writtenBefore << " bytes");
    line = {};
    line.replies = {{21}};
    line.onWait = [&](std::size_t waits) {
      if (waits == 1) line.room = c.writtenBefore;  // the start byte has come
      if (waits != 2) return;
      ASSERT_EQ(line.written.size(), c.writtenBefore);
      line.arrived.push_back(c.early);
      line.room = testing_support::ScriptedLine::kUnlimited;
    };
    Run();
    EXPECT_EQ(state, HandshakeState::kFinished);
    EXPECT_EQ(line.written, c.wire);
  }
}

TEST_F(TransferRunTest, LineTakingFewBytesAtATimeGetsTheSameBytes) {
  line.room = 0;
  line.roomPerWait = 7;
  EXPECT_TRUE(Run());
  EXPECT_EQ(line.written, ExpectedWire({0, 1, 2, 3, 4}));
  // Each frame took many waits for room; none spun.
  int forRoom = 0;
  for (const LineWait what : line.waits) forRoom += what == LineWait::kInputOrRoom;
  EXPECT_GE(forRoom, static_cast<int>(line.written.size() / 7) - 1);
}

// The trace holds the bytes the line took, not those it left for later,
// and every byte that came in, in order: over a line that takes a few bytes
// at a time, with a repeat.
TEST_F(TransferRunTest, TraceHoldsExactlyTheBytesTheLineMoved) {
  line.room = 0;
  line.roomPerWait = 7;
  line.replies = {{6}, {21}};
  transfer::ByteTrace trace;
  transfer::TracingLine tracing(line, trace);
  EXPECT_TRUE(Run({}, &tracing));
  ASSERT_EQ(line.written, ExpectedWire({0, 1, 1, 2, 3, 4}));
  const testing_support::TraceBytes traced = testing_support::ReadTrace(trace.Text());
  EXPECT_EQ(traced.fault, "");
  EXPECT_EQ(traced.sent, line.written);
  EXPECT_EQ(traced.received, (Bytes{6, 6, 21, 6, 6, 6, 6}));  // the start byte, then one reply a frame
  EXPECT_TRUE(std::is_sorted(traced.times.begin(), traced.times.end()));
}

// A chunk of exactly 16 bytes fills one line, one of 17 goes on to a second
// with the same time; an empty chunk leaves no line; times are cut to whole
// microseconds, and one before the start shows as 0.
TEST(ByteTrace, TextAtItsLimits) {
  using std::chrono::nanoseconds;
  using transfer::TraceDirection;
  Bytes sixteen(16);
  for (std::size_t i = 0; i < sixteen.size(); ++i) sixteen[i] = static_cast<std::uint8_t>(i * 17);
  transfer::ByteTrace trace;
  trace.Record(TraceDirection::kReceived, Bytes{6}, nanoseconds{0});
  trace.Record(TraceDirection::kSent, sixteen, nanoseconds{999'999'999});
  trace.Record(TraceDirection::kSent, Bytes(17, 0x0A), nanoseconds{1'000'000'000});
  trace.Record(TraceDirection::kSent, Bytes{}, nanoseconds{2'000'000'000});
  trace.Record(TraceDirection::kReceived, Bytes{21}, nanoseconds{-1});
  trace.Record(TraceDirection::kReceived, Bytes{0}, std::chrono::hours{100});
  const std::string sixteenLineFeeds = " 0A 0A 0A 0A 0A 0A 0A 0A 0A 0A 0A 0A 0A 0A 0A 0A";
  EXPECT_EQ(trace.Text(),
            "# Byte-Mitschnitt: Sekunden seit dem Start, > an die Steuerung, < von der Steuerung, Bytes hexadezimal\n"
            "     0.000000 < 06\n"
            "     0.999999 > 00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF\n"
            "     1.000000 >" + sixteenLineFeeds + "\n"
            "     1.000000 > 0A\n"
            "     0.000000 < 15\n"
            "360000.000000 < 00\n");
  trace.Start();  // drops what was recorded
  const testing_support::TraceBytes empty = testing_support::ReadTrace(trace.Text());
  EXPECT_EQ(empty.fault, "");
  EXPECT_TRUE(empty.times.empty());
}

TEST_F(TransferRunTest, ControllerThatNeverAnswersWaitsUntilTheOperatorStops) {
  line.startByte = 6;
  line.replies = {{}};  // the first frame is never answered
  line.onWait = [this](std::size_t waits) {
    if (waits == 50) phase = data::RunPhase::kStopping;
  };
  EXPECT_FALSE(Run());
  EXPECT_EQ(state, HandshakeState::kAborted);
  EXPECT_EQ(line.waits.size(), 50U);
  EXPECT_EQ(line.written, ExpectedWire({0}));
  EXPECT_EQ(view.status.back(), transfer::kStatusAbortedAtPc);
  EXPECT_EQ(view.progress, std::vector<int>{0});  // the frame out was never confirmed
  EXPECT_EQ(record.blocksConfirmed, 0);
  EXPECT_EQ(record.framesSent, 1);
  EXPECT_EQ(record.endText, transfer::kStatusAbortedAtPc);
}

TEST_F(TransferRunTest, StopWhileWaitingForTheControllerSendsNothing) {
  line.onWait = [this](std::size_t) { phase = data::RunPhase::kStopping; };
  line.startByte = 6;
  // The stop is seen before the byte that came with it is read.
  EXPECT_FALSE(Run());
  EXPECT_EQ(state, HandshakeState::kAborted);
  EXPECT_TRUE(line.written.empty());
  EXPECT_EQ(view.status, (Texts{transfer::kStatusWaiting, transfer::kStatusAbortedAtPc}));
  EXPECT_EQ(record.endText, transfer::kStatusAbortedAtPc);
  EXPECT_EQ(record.framesSent, 0);
}

TEST_F(TransferRunTest, StopAskedBeforeTheRunEndsItAtOnce) {
  phase = data::RunPhase::kStopping;
  EXPECT_FALSE(Run());
  EXPECT_EQ(line.reads, 0);
  EXPECT_TRUE(line.waits.empty());
}

TEST_F(TransferRunTest, FailingLineStopsWithItsText) {
  line.onFrame = [this](std::size_t frames) {
    if (frames == 2) line.failure = "Schnittstelle /dev/ttyUSB0 ausgefallen";
  };
  EXPECT_FALSE(Run());
  EXPECT_EQ(state, HandshakeState::kStopped);
  EXPECT_EQ(view.status.back(), "Schnittstelle /dev/ttyUSB0 ausgefallen");
  EXPECT_EQ(line.frames.size(), 2U);
}

// The last confirmation and the line going away arrive together: the
// transfer has finished.
TEST_F(TransferRunTest, FailureAfterTheLastAnswerDoesNotUndoTheEnd) {
  line.onWait = [this](std::size_t) {
    if (line.frames.size() == 5) line.failure = "Schnittstelle /dev/pts/3 geschlossen";
  };
  EXPECT_TRUE(Run());
  EXPECT_EQ(view.status.back(), transfer::kStatusFinished);
}

class EmptyStoreRunTest : public TransferRunTest {
 protected:
  EmptyStoreRunTest() : TransferRunTest(0) {}
};

TEST_F(EmptyStoreRunTest, OneFrameAndFullProgressOnceConfirmed) {
  EXPECT_TRUE(Run());
  EXPECT_EQ(line.written, ExpectedWire({0}));
  EXPECT_EQ(view.progress, (std::vector<int>{0, 100}));
}

// The time a number of bytes takes at 10 bits a byte, rounded up to the
// second, and the time left estimated from the bytes sent so far (repeats
// included) per confirmed block.
TEST(TimeLeft, AtTheLinesRate) {
  struct Line {
    std::int64_t bytes;
    std::int32_t baud;
    std::int64_t seconds;
  };
  for (const Line& c : {Line{960, 9600, 1}, Line{961, 9600, 2}, Line{959, 9600, 1}, Line{0, 9600, 0},
                        Line{11520, 115200, 1}, Line{1, 0, -1}, Line{-1, 9600, -1}}) {
    EXPECT_EQ(transfer::LineSeconds(c.bytes, c.baud), c.seconds) << c.bytes << " at " << c.baud;
  }
  transfer::TransferRecord r;
  r.baud = 9600;
  r.blockCount = 20000;
  r.blocksConfirmed = 100;
  r.bytesSent = 3000;
  EXPECT_EQ(transfer::SecondsLeft(r), 622);  // 19900 blocks of 30 bytes: 621.875 s
  r.elapsedMilliseconds = 3599999;
  EXPECT_EQ(transfer::FiguresText(r), "Satz 100 von 20000, Zeit 59:59, Rest 10:22");
  r.bytesSent = 6000;  // every frame sent twice: twice the time
  EXPECT_EQ(transfer::SecondsLeft(r), 1244);
  r.elapsedMilliseconds = 3600000;
  r.blocksConfirmed = 0;  // nothing to estimate from: no time left shown
  EXPECT_EQ(transfer::SecondsLeft(r), -1);
  EXPECT_EQ(transfer::FiguresText(r), "Satz 0 von 20000, Zeit 1:00:00");
  r.blocksConfirmed = 20000;
  EXPECT_EQ(transfer::SecondsLeft(r), 0);
  // A transfer from block 10001: its own 100 blocks took the 6000 bytes;
  // at the skipped blocks alone nothing is estimated yet.
  r.blocksSkipped = 10000;
  r.blocksConfirmed = 10100;
  EXPECT_EQ(transfer::SecondsLeft(r), 619);  // 9900 blocks of 60 bytes: 618.75 s
  EXPECT_EQ(transfer::FiguresText(r), "Satz 10100 von 20000, Zeit 1:00:00, Rest 10:19");
  r.blocksConfirmed = 10000;
  EXPECT_EQ(transfer::SecondsLeft(r), -1);
  r.blocksSkipped = 0;
  r.blocksConfirmed = 1;
  r.baud = 0;
  EXPECT_EQ(transfer::SecondsLeft(r), -1);
  EXPECT_EQ(transfer::ClockText(-1), "-:--");
}

}  // namespace
