// The simulated controller without a line: the reply script's grammar at
// its limits, how frames on the wire are checked, answered and kept, and
// that the sender takes every answer as the controller judged it.
#include "cli/simulated_controller.h"

#include <gtest/gtest.h>

#include <optional>

#include "support/message_setup.h"
#include "transfer/frames.h"
#include "transfer/handshake.h"
#include "transfer/scripted_line.h"

namespace {

using cli::ReplyAnswer;
using cli::ReplyScript;
using cli::ReplyStep;
using transfer::HandshakeState;
using transfer::ReplyCharacters;
using Bytes = std::vector<std::uint8_t>;

constexpr ReplyCharacters kQvm{.memoryFull = 19, .release = 17};

std::vector<ReplyAnswer> Parsed(const std::string& text) {
  std::string error;
  const std::optional<ReplyScript> script = ReplyScript::Parse(text, error);
  EXPECT_TRUE(script) << text << ": " << error;
  return script ? script->answers() : std::vector<ReplyAnswer>{};
}

TEST(ReplyScript, ItemsBecomeAnswersWithTheirPauses) {
  struct Case {
    const char* text;
    std::vector<ReplyAnswer> answers;
  };
  const Case cases[] = {
      {"", {}},
      {"21", {{{0, 21}}}},
      {"0,255", {{{0, 0}}, {{0, 255}}}},
      {" 6 , 24 ", {{{0, 6}}, {{0, 24}}}},
      {"19,/,17", {{{0, 19}, {300, 17}}}},
      {"19,/0,17,6", {{{0, 19}, {0, 17}}, {{0, 6}}}},
      {"19,/50,/,17", {{{0, 19}, {350, 17}}}},
      {"19,/60000,17", {{{0, 19}, {60000, 17}}}},
      {"21,19,/10,17,/20,6", {{{0, 21}}, {{0, 19}, {10, 17}, {20, 6}}}},
  };
  for (const Case& c : cases) EXPECT_EQ(Parsed(c.text), c.answers) << c.text;
}

TEST(ReplyScript, MalformedScriptsAreRefused) {
  for (const char* text : {"256", "-1", "6,,7", "6,", "x", "6;7", "/,6", "6,/", "6,/60001,7", "6,/x,7", "6,//,7",
                           "99999999999"}) {
    std::string error;
    EXPECT_FALSE(ReplyScript::Parse(text, error)) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
}

// An answer that the sender takes as accepted or repeated before its last
// byte would leave the bytes behind it to answer a later frame.
TEST(ReplyScript, AnswersDecidedBeforeTheirLastByteAreRefused) {
  struct Case {
    ReplyCharacters characters;
    const char* text;
    bool refused;
  };
  const Case cases[] = {
      {kQvm, "6,/,17", true},          {kQvm, "21,/,6", true},        {kQvm, "19,/,17,/0,6", true},
      {{}, "0,/,0,/,19", true},        {kQvm, "6,19,/,17", false},    {kQvm, "19,/,6,/,50,/,17", false},
      {kQvm, "0,/,0", false},          {{}, "0,/,0", false},          {kQvm, "24,/,6", false},
      {kQvm, "19", false},
  };
  for (const Case& c : cases) {
    std::string error;
    const std::optional<ReplyScript> script = ReplyScript::Parse(c.text, error);
    ASSERT_TRUE(script) << c.text;
    EXPECT_EQ(!cli::CheckScript(*script, c.characters).empty(), c.refused) << c.text;
  }
}

std::vector<std::uint8_t> Wire(const std::string& text, bool last) {
  return transfer::WireBytes({{text.begin(), text.end()}, last});
}

std::string Text(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

TEST(SimulatedController, FaultyFrameIsAskedForAgainWithoutUsingTheScript) {
  std::string error;
  cli::SimulatedController controller(*ReplyScript::Parse("24,/,6", error), kQvm);
  std::vector<std::uint8_t> faulty = Wire("%\r\n", false);
  faulty.back() ^= 1;  // checksum off by one bit
  auto answers = controller.Received(faulty);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_FALSE(answers[0].valid);
  EXPECT_EQ(answers[0].verdict, transfer::ReplyVerdict::kRepeat);
  EXPECT_EQ(answers[0].reply, (ReplyAnswer{{0, 21}}));
  EXPECT_EQ(cli::DescribeFrame(answers[0]), "Rahmen 1: 3 Bytes, fehlerhaft, Antwort 21");
  // The valid repeat gets the script's first answer, which stops the
  // sender: nothing is sent behind the 24, and nothing more is answered.
  answers = controller.Received(Wire("%\r\n", false));
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].reply, (ReplyAnswer{{0, 24}}));
  EXPECT_EQ(answers[0].verdict, transfer::ReplyVerdict::kStopped);
  EXPECT_EQ(answers[0].stopText, transfer::kStatusAbortedByMachine);
  EXPECT_TRUE(controller.stopped());
  EXPECT_TRUE(controller.Received(Wire("%\r\n", true)).empty());
  EXPECT_TRUE(controller.program().empty());
}

TEST(SimulatedController, KeepsTheAcceptedFramesAndFinishesWithTheLast) {
  std::string error;
  cli::SimulatedController controller(*ReplyScript::Parse("6,21,19,/,17", error), kQvm);
  // Two frames arriving in one read, the second split over two.
  std::vector<std::uint8_t> bytes = Wire("%\r\nN1\r\n", false);
  const std::vector<std::uint8_t> second = Wire("N2\r\n\r\n", true);
  bytes.insert(bytes.end(), second.begin(), second.begin() + 5);
  auto answers = controller.Received(bytes);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_TRUE(answers[0].accepted());
  answers = controller.Received({second.begin() + 5, second.end()});
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].number, 2);
  EXPECT_TRUE(answers[0].last);
  EXPECT_FALSE(answers[0].accepted());  // 21
  EXPECT_FALSE(controller.finished());
  answers = controller.Received(second);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].number, 2);  // the repeat keeps its number
  EXPECT_TRUE(answers[0].accepted());  // memory full, then the release
  EXPECT_EQ(cli::DescribeFrame(answers[0]),
            "Rahmen 2 (letzter): 6 Bytes, Pr\u00fcfsumme richtig, Antwort 19, nach 300 ms 17");
  EXPECT_TRUE(controller.finished());
  // A second sender's frame after the last one is neither answered nor kept.
  EXPECT_TRUE(controller.Received(Wire("%\r\nN9\r\n", true)).empty());
  EXPECT_EQ(Text(controller.program()), "%\r\nN1\r\nN2\r\n\r\n");
}

// The sender and the simulated controller on one wire, in memory, each
// byte of an answer reaching the sender on its own (as after a pause): the
// two always agree on how the transfer ended and on the frames kept.
TEST(SimulatedController, TheSenderTakesEveryAnswerAsTheControllerJudgedIt) {
  struct Case {
    ReplyCharacters characters;
    const char* script;
    HandshakeState end;
    std::size_t framesKept;  // of five
  };
  const Case cases[] = {
      {{}, "0,/,0", HandshakeState::kFinished, 5},  // memory full at 0, released by 0
      {kQvm, "0,/,0", HandshakeState::kStopped, 0},  // 0 is no reply of the QVM
      {kQvm, "19,/,17", HandshakeState::kFinished, 5},
      {{}, "19,17", HandshakeState::kFinished, 5},  // confirmations where they are not memory full
      {kQvm, "6,19,/,6,/,17,21,24", HandshakeState::kStopped, 2},
      {kQvm, "6,19", HandshakeState::kPaused, 1},  // the release never comes
      {{.memoryFull = 20, .release = 22}, "6,22", HandshakeState::kStopped, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    testing_support::MessageSetup setup;
    const data::BlockStore store = testing_support::FeedMoves(60);
    std::vector<Bytes> frames;
    transfer::FrameSource reference(store, {}, std::nullopt, setup.messages);
    for (transfer::Frame frame; reference.Next(frame);) frames.push_back(frame.data);
    ASSERT_EQ(frames.size(), 5u);

    std::string error;
    const std::optional<ReplyScript> script = ReplyScript::Parse(c.script, error);
    ASSERT_TRUE(script);
    ASSERT_EQ(cli::CheckScript(*script, c.characters), "");
    cli::SimulatedController controller(*script, c.characters);
    transfer::FrameSource source(store, {}, std::nullopt, setup.messages);
    transfer::Handshake sender(source, c.characters);
    sender.Start();
    sender.Received(Bytes{6});
    while (!sender.Output().empty()) {
      const Bytes out(sender.Output().begin(), sender.Output().end());
      sender.Sent(out.size());
      for (const cli::FrameAnswer& answer : controller.Received(out)) {
        for (const ReplyStep& step : answer.reply) sender.Received(Bytes{step.byte});
      }
    }
    EXPECT_EQ(sender.state(), c.end);
    EXPECT_EQ(controller.finished(), c.end == HandshakeState::kFinished);
    EXPECT_EQ(controller.stopped(), c.end == HandshakeState::kStopped);
    Bytes kept;
    for (std::size_t k = 0; k < c.framesKept; ++k) kept.insert(kept.end(), frames[k].begin(), frames[k].end());
    EXPECT_EQ(controller.program(), kept);
  }
}

}  // namespace
