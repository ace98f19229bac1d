// The controller's handshake byte by byte: what goes out, how each reply is
// read, and which status text the operator is left with.
#include "transfer/handshake.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/message_setup.h"
#include "transfer/scripted_line.h"

namespace {

using transfer::Handshake;
using transfer::HandshakeState;
using transfer::ReplyCharacters;
using Bytes = std::vector<std::uint8_t>;
using Texts = std::vector<std::string>;

using testing_support::FeedMoves;

// A handshake over a store, and the frames that store must give.
class HandshakeTest : public ::testing::Test {
 public:
  // Started and, unless `waiting`, past the controller's first byte.
  void Begin(int blocks, ReplyCharacters characters = {}, bool waiting = false) {
    handshake.reset();
    source.reset();
    store = FeedMoves(blocks);
    transfer::FrameSource reference(store, {}, std::nullopt, setup.messages);
    transfer::Frame frame;
    expected.clear();
    while (reference.Next(frame)) expected.push_back(transfer::WireBytes(frame));
    source.emplace(store, transfer::ConversionSettings{}, std::nullopt, setup.messages);
    handshake.emplace(*source, characters);
    handshake->Start();
    if (!waiting) handshake->Received(Bytes{6});
    handshake->TakeStatus();
  }

  Bytes Output() const { return {handshake->Output().begin(), handshake->Output().end()}; }

  // Sends all of the frame in progress and returns its bytes.
  Bytes SendAll() {
    Bytes out = Output();
    handshake->Sent(out.size());
    return out;
  }

  void Reply(const Bytes& bytes) { handshake->Received(bytes); }
  HandshakeState State() const { return handshake->state(); }
  Texts Status() { return handshake->TakeStatus(); }

  testing_support::MessageSetup setup;
  data::BlockStore store;
  std::optional<transfer::FrameSource> source;
  std::optional<Handshake> handshake;
  std::vector<Bytes> expected;  // wire bytes of every frame
};

TEST_F(HandshakeTest, ShortProgramGoesOutInOneLastFrame) {
  store.Append({.endX = 10, .endY = -2.5L, .mFlags = {}, .hasX = 1, .hasY = 1, .motion = data::kFeed});
  store.Append({.mFlags = 1ULL << 30});  // M30
  transfer::FrameSource frames(store, {}, std::nullopt, setup.messages);
  Handshake h(frames, {});
  EXPECT_EQ(h.state(), HandshakeState::kIdle);
  h.Start();
  EXPECT_EQ(h.state(), HandshakeState::kWaitingForController);
  EXPECT_EQ(h.TakeStatus(), Texts{transfer::kStatusWaiting});
  EXPECT_EQ(h.Progress(), 0);
  h.Received({});
  EXPECT_EQ(h.state(), HandshakeState::kWaitingForController);
  EXPECT_TRUE(h.Output().empty());
  h.Received(Bytes{21, 24});  // whatever the first bytes are, they only end the wait
  EXPECT_EQ(h.state(), HandshakeState::kSending);
  EXPECT_EQ(h.TakeStatus(), Texts{transfer::kStatusSending});

  // The M line ends in CR LF already, so an empty line follows it.
  const std::string data = "%\r\nN0001G1X+0010.00Y-0002.50\r\nN0002M30\r\n\r\n\r\n";
  const Bytes wire = transfer::WireBytes({Bytes(data.begin(), data.end()), true});
  EXPECT_EQ(Bytes(h.Output().begin(), h.Output().end()), wire);
  EXPECT_EQ(h.Progress(), 0);  // converted is not confirmed

  h.Sent(wire.size());
  EXPECT_EQ(h.state(), HandshakeState::kAwaitingReply);
  EXPECT_EQ(h.Progress(), 0);  // out is not confirmed either
  h.Received(Bytes{50});  // "2" confirms too
  EXPECT_EQ(h.state(), HandshakeState::kFinished);
  EXPECT_TRUE(h.Ended());
  EXPECT_EQ(h.TakeStatus(), Texts{transfer::kStatusFinished});
  EXPECT_EQ(h.Progress(), 100);
  const transfer::TransferRecord& r = h.record();
  EXPECT_EQ(r.blockCount, 2);
  EXPECT_EQ(r.blocksConfirmed, 2);
  EXPECT_EQ(r.framesSent, 1);
  EXPECT_EQ(r.framesConfirmed, 1);
  EXPECT_EQ(r.bytesSent, static_cast<std::int64_t>(wire.size()));
  EXPECT_TRUE(r.replies.empty());
}

// The last confirmed block is the last whose line every confirmed frame
// holds whole (its CR LF included), never one cut at a frame's end.
TEST_F(HandshakeTest, ManyFramesEachConfirmedByAnyConfirmationByte) {
  Begin(100);
  ASSERT_GT(expected.size(), 5U);
  const Bytes confirmations{6, 17, 19, 50};
  std::int32_t lineEnds = 0;  // CR LF sent and confirmed, the "%" line's among them
  for (std::size_t k = 0; k < expected.size(); ++k) {
    ASSERT_EQ(State(), HandshakeState::kSending);
    const Bytes frame = SendAll();
    EXPECT_EQ(frame, expected[k]) << "frame " << k;
    EXPECT_EQ(State(), HandshakeState::kAwaitingReply);
    Reply({confirmations[k % 4]});
    for (std::size_t b = 1; b < frame.size(); ++b) lineEnds += frame[b - 1] == '\r' && frame[b] == '\n';
    EXPECT_EQ(handshake->record().blocksConfirmed, std::min(lineEnds - 1, 100)) << "frame " << k;
    EXPECT_EQ(handshake->Progress(), std::min(lineEnds - 1, 100)) << "frame " << k;  // 100 blocks
  }
  EXPECT_EQ(State(), HandshakeState::kFinished);
  EXPECT_EQ(Status(), Texts{transfer::kStatusFinished});
  EXPECT_EQ(handshake->record().blocksConfirmed, 100);
}

// A block counts as confirmed once all of its text lay in accepted frames:
// one whose lines run on into the next frame waits for that frame. A
// transfer from block 50 starts with 49 confirmed, and its first frame
// holds the restating block numbered 49.
TEST_F(HandshakeTest, ConfirmedBlockCountsOnlyBlocksWholeInAcceptedFrames) {
  store.Append({.endX = 1, .mFlags = {}, .hasX = 1, .motion = data::kFeed});
  store.Append({.mFlags = (1ULL << 30) - 1});  // M0 to M29: 290 bytes of text
  store.Append({.endX = 3, .mFlags = {}, .hasX = 1, .motion = data::kFeed});
  transfer::FrameSource frames(store, {}, std::nullopt, setup.messages);
  Handshake split(frames, {});
  split.Start();
  split.Received(Bytes{6});
  for (const int confirmed : {1, 3}) {
    split.Sent(split.Output().size());
    split.Received(Bytes{6});
    EXPECT_EQ(split.record().blocksConfirmed, confirmed);
  }
  EXPECT_EQ(split.state(), HandshakeState::kFinished);

  const data::BlockStore moves = FeedMoves(100);
  transfer::FrameSource resumed(moves, {}, std::nullopt, setup.messages);
  resumed.StartAt(50);
  Handshake h(resumed, {});
  EXPECT_EQ(h.record().blocksSkipped, 49);
  EXPECT_EQ(h.record().blocksConfirmed, 49);
  EXPECT_EQ(h.Progress(), 49);  // the bar starts where the transfer starts in the program
  h.Start();
  h.Received(Bytes{6});
  const std::string head = "%\r\nN0049G0Z-0000.00\r\nN0049G0X+0049.00Y-0000.00\r\nN0050G1X+0050.00\r\n";
  const Bytes wire(h.Output().begin(), h.Output().end());
  EXPECT_EQ(std::string(wire.begin() + 4, wire.begin() + 4 + static_cast<std::ptrdiff_t>(head.size())), head);
  h.Sent(wire.size());
  EXPECT_EQ(h.record().blocksConfirmed, 49);
  h.Received(Bytes{6});
  EXPECT_EQ(h.record().blocksConfirmed, 60);  // 48 bytes of header and restating, 11 blocks of 18
}

// Repeats have no limit; each sends the frame again from its first byte.
TEST_F(HandshakeTest, RepeatSendsTheSameFrameFromItsFirstByte) {
  Begin(60);
  const Bytes first = expected[0];
  for (int k = 0; k < 1000; ++k) {
    ASSERT_EQ(SendAll(), first) << "repeat " << k;
    Reply({21, 6, 6});  // the confirmations behind the 21 are discarded
  }
  EXPECT_EQ(Status(), Texts(1000, transfer::kStatusRepeat));
  // Every repeat is counted, with its bytes, and listed against frame 1.
  EXPECT_EQ(handshake->record().repeats, 1000);
  EXPECT_EQ(handshake->record().framesSent, 1000);
  EXPECT_EQ(handshake->record().bytesSent, 1000 * static_cast<std::int64_t>(first.size()));
  ASSERT_EQ(handshake->record().replies.size(), 1000U);
  EXPECT_EQ(handshake->record().replies.back().frame, 1);
  EXPECT_EQ(handshake->record().replies.back().byte, 21);
  EXPECT_EQ(handshake->record().replies.back().text, transfer::kStatusRepeat);
  EXPECT_EQ(State(), HandshakeState::kSending);
  EXPECT_EQ(Output(), first);
  handshake->Sent(10);
  Reply({});
  EXPECT_EQ(Output(), Bytes(first.begin() + 10, first.end()));
  handshake->Sent(first.size() - 10);
  Reply({6});
  EXPECT_EQ(Output(), expected[1]);

  // A confirmation followed by a 21 in the same read repeats.
  const Bytes second = SendAll();
  Reply({6, 21});
  EXPECT_EQ(Output(), second);
  EXPECT_EQ(Status(), Texts{transfer::kStatusRepeat});
}

TEST_F(HandshakeTest, MemoryFullAtZeroPausesUntilASecondZero) {
  Begin(60, {.memoryFull = 0, .release = 0});
  SendAll();
  Reply({0});
  EXPECT_EQ(State(), HandshakeState::kPaused);
  EXPECT_EQ(Status(), Texts{transfer::kStatusMemoryFull});
  Reply({6, 21, 24, 23, 31, 99});  // all discarded while paused
  Reply({});
  EXPECT_EQ(State(), HandshakeState::kPaused);
  EXPECT_TRUE(Status().empty());
  Reply({0});  // the release counts as the answer
  EXPECT_EQ(Status(), Texts{transfer::kStatusResume});
  EXPECT_EQ(Output(), expected[1]);
  // Pause and release within one read.
  SendAll();
  Reply({0, 0});
  EXPECT_EQ(Status(), (Texts{transfer::kStatusMemoryFull, transfer::kStatusResume}));
  EXPECT_EQ(Output(), expected[2]);
  EXPECT_EQ(handshake->record().pauses, 2);
  EXPECT_EQ(handshake->record().replies.size(), 4U);  // the discarded bytes are none
  EXPECT_EQ(handshake->record().replies[3].frame, 2);
}

TEST_F(HandshakeTest, MemoryFullTakesThePlaceOfAConfirmationByte) {
  Begin(60, {.memoryFull = 19, .release = 17});
  SendAll();
  Reply({6, 19});  // confirmed, then paused: not accepted while paused
  EXPECT_EQ(State(), HandshakeState::kPaused);
  Reply({});
  EXPECT_EQ(State(), HandshakeState::kPaused);
  Reply({17});
  EXPECT_EQ(Output(), expected[1]);
  EXPECT_EQ(Status(), (Texts{transfer::kStatusMemoryFull, transfer::kStatusResume}));
  // Outside a pause 17 is a confirmation, as it is listed.
  SendAll();
  Reply({17});
  EXPECT_EQ(Output(), expected[2]);
  // A paused frame goes on being read after its release.
  SendAll();
  Reply({19, 17, 21});
  EXPECT_EQ(Output(), expected[2]);
}

// Bytes that end the transfer, also behind a confirmation.
TEST_F(HandshakeTest, RepliesThatStopTheTransfer) {
  struct Case {
    ReplyCharacters characters;
    Bytes reply;
    const char* status;
  };
  const Case cases[] = {
      {{}, {23}, transfer::kStatusTransmissionError},
      {{}, {31}, transfer::kStatusTransmissionError},
      {{}, {6, 23}, transfer::kStatusTransmissionError},
      {{}, {24}, transfer::kStatusAbortedByMachine},
      {{}, {99}, transfer::kStatusUnknownError},
      {{}, {5}, transfer::kStatusUnknownError},
      {{}, {51}, transfer::kStatusUnknownError},
      {{.memoryFull = 19, .release = 17}, {0}, transfer::kStatusUnknownError},
      // The release character outside a pause is no confirmation.
      {{.memoryFull = 20, .release = 22}, {22}, transfer::kStatusUnknownError},
      {{.memoryFull = 20, .release = 22}, {17, 22}, transfer::kStatusUnknownError},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.reply));
    Begin(60, c.characters);
    SendAll();
    Reply(c.reply);
    EXPECT_EQ(State(), HandshakeState::kStopped);
    EXPECT_EQ(Status(), Texts{c.status});  // and not "finished" after it
    ASSERT_EQ(handshake->record().replies.size(), 1U);
    EXPECT_EQ(handshake->record().replies[0].byte, c.reply.back());
    EXPECT_EQ(handshake->record().replies[0].text, c.status);
    EXPECT_TRUE(Output().empty());
    Reply({6});
    handshake->Abort();
    EXPECT_EQ(State(), HandshakeState::kStopped);
    EXPECT_TRUE(Status().empty());
  }
}

// Bytes that arrive before a frame's last byte went out cannot answer it
// (a controller that sends its ready byte twice): a confirmation or the
// start byte among them is dropped wherever it arrives, a release ends a
// pause without answering, anything else keeps its meaning once the frame
// is out; bytes waiting before the first byte belong to the frame before.
TEST_F(HandshakeTest, BytesArrivingBeforeTheFrameIsOutCannotConfirmIt) {
  struct Case {
    const char* name;
    std::uint8_t start;  // the controller's ready byte
    ReplyCharacters characters;
    std::size_t sentBefore;  // of the frame's bytes; kLast: all but the last
    Bytes early;
    HandshakeState out;  // once the frame is out
    Texts status;
  };
  constexpr std::size_t kLast = 1000;
  const ReplyCharacters qvm{.memoryFull = 19, .release = 17};
  const Case cases[] = {
      {"start byte before the first byte", 6, {}, 0, {6}, HandshakeState::kAwaitingReply, {}},
      {"start byte after the first byte", 6, {}, 1, {6}, HandshakeState::kAwaitingReply, {}},
      {"start byte midway", 6, {}, 40, {6}, HandshakeState::kAwaitingReply, {}},
      {"start byte right before the last byte", 6, {}, kLast, {6}, HandshakeState::kAwaitingReply, {}},
      {"a start byte that is no reply", 'S', {}, kLast, {'S'}, HandshakeState::kAwaitingReply, {}},
      {"every confirmation", 6, {}, 1, {6, 17, 19, 50, 6}, HandshakeState::kAwaitingReply, {}},
      {"memory full", 6, qvm, kLast, {19}, HandshakeState::kPaused, {transfer::kStatusMemoryFull}},
      {"memory full released", 6, qvm, 1, {19, 6, 17, 6},
       HandshakeState::kAwaitingReply, {transfer::kStatusMemoryFull, transfer::kStatusResume}},
      {"repeat", 6, {}, kLast, {6, 21}, HandshakeState::kSending, {transfer::kStatusRepeat}},
      {"abort", 6, {}, 1, {6, 24}, HandshakeState::kStopped, {transfer::kStatusAbortedByMachine}},
      {"unknown", 6, qvm, kLast, {0}, HandshakeState::kStopped, {transfer::kStatusUnknownError}},
      {"abort waiting before the first byte", 6, {}, 0, {24}, HandshakeState::kAwaitingReply, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Begin(60, c.characters, true);
    handshake->Received(Bytes{c.start});
    Status();
    const std::size_t before = c.sentBefore == kLast ? expected[0].size() - 1 : c.sentBefore;
    handshake->Sent(before);
    Reply(c.early);
    EXPECT_EQ(State(), HandshakeState::kSending);
    handshake->Sent(expected[0].size() - before);
    EXPECT_EQ(State(), c.out);
    EXPECT_EQ(Status(), c.status);
    if (c.out == HandshakeState::kSending) {
      EXPECT_EQ(Output(), expected[0]);
    }
    if (c.out != HandshakeState::kAwaitingReply) continue;
    Reply({});  // nothing has answered the frame yet
    EXPECT_EQ(State(), HandshakeState::kAwaitingReply);
    Reply({c.start});  // once it is out, the start byte is read as any reply
    EXPECT_EQ(State(), c.start == 6 ? HandshakeState::kSending : HandshakeState::kStopped);
    if (c.start == 6) {
      EXPECT_EQ(Output(), expected[1]);
    }
  }
}

// An abort in every state says so, and leaves the progress and the last
// confirmed block at what the controller confirmed: nothing of a frame cut
// off, sent unanswered or answered with a pause. 14 blocks fill a frame.
TEST_F(HandshakeTest, AbortShowsAbortAtPcAndOnlyWhatWasConfirmed) {
  struct Case {
    const char* name;
    std::function<void(HandshakeTest&)> reach;
    HandshakeState from;
    std::int32_t confirmed;
  };
  const std::vector<Case> cases = {
      {"waiting", [](HandshakeTest&) {}, HandshakeState::kWaitingForController, 0},
      {"sending", [](HandshakeTest& t) { t.handshake->Sent(3); }, HandshakeState::kSending, 0},
      {"awaiting", [](HandshakeTest& t) { t.SendAll(); }, HandshakeState::kAwaitingReply, 0},
      {"paused",
       [](HandshakeTest& t) {
         t.SendAll();
         t.Reply({0});
         t.Status();
       },
       HandshakeState::kPaused, 0},
      {"awaiting the second frame",
       [](HandshakeTest& t) {
         t.SendAll();
         t.Reply({6});
         t.SendAll();
       },
       HandshakeState::kAwaitingReply, 14},
      {"sending the second frame's last byte",
       [](HandshakeTest& t) {
         t.SendAll();
         t.Reply({6});
         t.handshake->Sent(t.Output().size() - 1);
       },
       HandshakeState::kSending, 14},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Begin(60, {}, c.from == HandshakeState::kWaitingForController);
    c.reach(*this);
    ASSERT_EQ(State(), c.from);
    handshake->Abort();
    EXPECT_EQ(State(), HandshakeState::kAborted);
    EXPECT_EQ(Status(), Texts{transfer::kStatusAbortedAtPc});
    EXPECT_EQ(handshake->record().blocksConfirmed, c.confirmed);
    EXPECT_EQ(handshake->Progress(), c.confirmed * 100 / 60);
    EXPECT_TRUE(Output().empty());
    Reply({6});
    handshake->LineFailed("gone");
    EXPECT_EQ(State(), HandshakeState::kAborted);
    EXPECT_TRUE(Status().empty());
  }
}

TEST_F(HandshakeTest, TheEndStaysTheEnd) {
  Begin(0);
  SendAll();
  Reply({6});
  Status();
  handshake->Abort();
  handshake->LineFailed("gone");
  handshake->Start();
  EXPECT_EQ(State(), HandshakeState::kFinished);
  EXPECT_TRUE(Status().empty());

  // Aborted before it started: it says so once, and it stays aborted.
  Handshake unstarted(*source, {});
  unstarted.Abort();
  unstarted.Start();
  unstarted.Abort();
  EXPECT_EQ(unstarted.state(), HandshakeState::kAborted);
  EXPECT_EQ(unstarted.TakeStatus(), Texts{transfer::kStatusAbortedAtPc});
}

}  // namespace
