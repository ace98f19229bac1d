// The simulated controller without a line: the reply script's grammar at
// its limits, and how frames on the wire are checked, answered and kept.
#include "cli/simulated_controller.h"

#include <gtest/gtest.h>

#include "transfer/frames.h"

namespace {

using cli::ReplyAnswer;
using cli::ReplyScript;
using cli::ReplyStep;

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

TEST(ReplyScript, AnswersAreUsedInTurnThenSixForEveryFrame) {
  std::string error;
  ReplyScript script = *ReplyScript::Parse("21,19,/,17", error);
  EXPECT_EQ(script.NextAnswer(), (ReplyAnswer{{0, 21}}));
  EXPECT_EQ(script.NextAnswer(), (ReplyAnswer{{0, 19}, {300, 17}}));
  EXPECT_EQ(script.NextAnswer(), (ReplyAnswer{{0, 6}}));
  EXPECT_EQ(script.NextAnswer(), (ReplyAnswer{{0, 6}}));
}

std::vector<std::uint8_t> Wire(const std::string& text, bool last) {
  return transfer::WireBytes({{text.begin(), text.end()}, last});
}

std::string Text(const std::vector<std::uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

TEST(SimulatedController, FaultyFrameIsAskedForAgainWithoutUsingTheScript) {
  std::string error;
  cli::SimulatedController controller(*ReplyScript::Parse("24", error));
  std::vector<std::uint8_t> faulty = Wire("%\r\n", false);
  faulty.back() ^= 1;  // checksum off by one bit
  auto answers = controller.Received(faulty);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_FALSE(answers[0].valid);
  EXPECT_FALSE(answers[0].accepted);
  EXPECT_EQ(answers[0].reply, (ReplyAnswer{{0, 21}}));
  EXPECT_EQ(cli::DescribeFrame(answers[0]), "Rahmen 1: 3 Bytes, fehlerhaft, Antwort 21");
  // The valid repeat gets the script's first answer.
  answers = controller.Received(Wire("%\r\n", false));
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].reply, (ReplyAnswer{{0, 24}}));
  EXPECT_FALSE(answers[0].accepted);
  EXPECT_TRUE(controller.program().empty());
}

TEST(SimulatedController, KeepsTheAcceptedFramesAndFinishesWithTheLast) {
  std::string error;
  cli::SimulatedController controller(*ReplyScript::Parse("6,21,19,/,17", error));
  // Two frames arriving in one read, the second split over two.
  std::vector<std::uint8_t> bytes = Wire("%\r\nN1\r\n", false);
  const std::vector<std::uint8_t> second = Wire("N2\r\n\r\n", true);
  bytes.insert(bytes.end(), second.begin(), second.begin() + 5);
  auto answers = controller.Received(bytes);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_TRUE(answers[0].accepted);
  answers = controller.Received({second.begin() + 5, second.end()});
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].number, 2);
  EXPECT_TRUE(answers[0].last);
  EXPECT_FALSE(answers[0].accepted);  // 21
  EXPECT_FALSE(controller.finished());
  answers = controller.Received(second);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].number, 2);  // the repeat keeps its number
  EXPECT_TRUE(answers[0].accepted);  // memory full, then the release
  EXPECT_EQ(cli::DescribeFrame(answers[0]),
            "Rahmen 2 (letzter): 6 Bytes, Pr\u00fcfsumme richtig, Antwort 19, nach 300 ms 17");
  EXPECT_TRUE(controller.finished());
  EXPECT_EQ(Text(controller.program()), "%\r\nN1\r\nN2\r\n\r\n");
}

TEST(SimulatedController, ConfirmationsAreTheBytesTheSenderAccepts) {
  for (int byte = 0; byte < 256; ++byte) {
    const bool confirms = byte == 6 || byte == 17 || byte == 19 || byte == 50;
    EXPECT_EQ(cli::ConfirmsFrame(static_cast<std::uint8_t>(byte)), confirms) << byte;
  }
}

}  // namespace
