#include "transfer/block_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace {

using transfer::ConversionMemory;
using transfer::ConversionSettings;
using transfer::ConvertBlock;

data::BlockRecord Move(std::uint8_t motion) { return {.mFlags = {}, .motion = motion}; }

data::BlockRecord MoveTo(std::uint8_t motion, long double x, long double y) {
  return {.endX = x, .endY = y, .mFlags = {}, .hasX = 1, .hasY = 1, .motion = motion};
}

std::string Convert(const data::BlockRecord& block, std::int32_t number, const ConversionSettings& settings = {}) {
  ConversionMemory fresh;
  return ConvertBlock(block, number, settings, fresh);
}

data::BlockRecord With(data::BlockRecord block, auto&& change) {
  change(block);
  return block;
}

// One block, numbered, converted with fresh memory: the words, the lines
// before the main line in their order, and the settings. How each number
// is written: FormatNumberTest; whole programs: the golden convert cases.
TEST(ConvertBlockTest, TextOfOneBlock) {
  using B = data::BlockRecord&;
  const ConversionSettings scaled{true, 0.0L}, offset{false, 2.5L};
  const data::BlockRecord g1 = MoveTo(data::kFeed, 1, 1);
  const auto zAt = [](long double z) { return [z](B b) { b.hasZ = 1, b.endZ = z; }; };
  struct Case {
    data::BlockRecord block;
    std::int32_t number;
    ConversionSettings settings;
    const char* text;
  };
  const Case cases[] = {
      {MoveTo(data::kFeed, 10, -2.5), 7, {}, "N0007G1X+0010.00Y-0002.50"},
      // A motion the controller has no word for: the axes without a G word.
      {MoveTo(7, 1, 2), 1, {}, "N0001X+0001.00Y+0002.00"},
      // Centre words follow the arc motion, also without an axis.
      {With(Move(data::kCounterClockwise), [](B b) { b.centreX = -1, b.centreY = 2; }), 1, {},
       "N0001I-0001.00J+0002.00"},
      {Move(data::kFeed), 1, {}, ""},
      // Block numbers are store positions in four places or more.
      {MoveTo(data::kFeed, 0, 0), 9999, {}, "N9999G1X-0000.00Y-0000.00"},
      {MoveTo(data::kFeed, 0, 0), 63998, {}, "N63998G1X-0000.00Y-0000.00"},
      // M lines ascend from M0 to M99.
      {With(g1, [](B b) { b.mFlags[99] = b.mFlags[8] = b.mFlags[3] = b.mFlags[0] = 1; }), 5, {},
       "N0005M0\r\nN0005M3\r\nN0005M8\r\nN0005M99\r\nN0005G1X+0001.00Y+0001.00"},
      // Dwell lines: for a G4 block, and for one the drawing records with
      // its motion kept and Dwell holding the time.
      {With(Move(data::kDwell), [](B b) { b.dwell = 50; }), 5, {}, "N0005G4F0050\r\n"},
      {With(Move(data::kDwell), [](B b) { b.dwell = 50, b.hasX = 1, b.endX = 1; }), 5, {},
       "N0005G4F0050\r\nN0005X+0001.00"},
      {With(Move(data::kFeed), [](B b) { b.dwell = 20; }), 6, {}, "N0006G4F0020\r\n"},
      {With(Move(data::kFeed), [](B b) { b.dwell = 20, b.hasY = 1, b.endY = 2; }), 6, {},
       "N0006G4F0020\r\nN0006G1Y+0002.00"},
      {Move(data::kDwell), 6, {}, "N0006G4F0000\r\n"},
      {With(MoveTo(data::kFeed, 1, 2), [](B b) { b.dwell = 3, b.tool = 4, b.mFlags[5] = 1, b.feed = 6; }), 1, {},
       "N0001G4F0003\r\nN0001T0004\r\nN0001M5\r\nN0001F0006\r\nN0001G1X+0001.00Y+0002.00"},
      // Scaled integers.
      {With(MoveTo(data::kRapid, 0, 0), [](B b) { b.tool = 3, b.feed = 150.4L, b.dwell = 50; }), 12, scaled,
       "N12G4F50\r\nN12T3\r\nN12F150\r\nN12G0X-0Y-0"},
      // The zero offset is added to Z only.
      {With(g1, zAt(-5)), 1, offset, "N0001G1X+0001.00Y+0001.00Z-0002.50"},
      {With(g1, zAt(-2.5L)), 1, offset, "N0001G1X+0001.00Y+0001.00Z-0000.00"},
      {With(g1, zAt(-2.5L)), 1, {true, 2.5L}, "N1G1X+100Y+100Z-0"},
  };
  for (const Case& c : cases) EXPECT_EQ(Convert(c.block, c.number, c.settings), c.text);
}

// The texts of a run of blocks with one memory, as a transfer sends them.
std::vector<std::string> Transfer(const std::vector<data::BlockRecord>& blocks, ConversionMemory& memory) {
  std::vector<std::string> texts;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    texts.push_back(ConvertBlock(blocks[i], static_cast<std::int32_t>(i + 1), {}, memory));
  }
  return texts;
}

data::BlockRecord WithTool(std::uint8_t tool) { return {.mFlags = {}, .tool = tool}; }
data::BlockRecord WithFeed(long double feed) { return {.feed = feed, .mFlags = {}}; }

TEST(ConvertBlockTest, ToolIsSentWhenItChanges) {
  ConversionMemory memory;
  const std::vector<data::BlockRecord> blocks{WithTool(0), WithTool(2), WithTool(2), WithTool(0), WithTool(200)};
  EXPECT_EQ(Transfer(blocks, memory),
            (std::vector<std::string>{"", "N0002T0002\r\n", "", "N0004T0000\r\n", "N0005T0200\r\n"}));
  EXPECT_EQ(memory.lastTool, 200);
  // The same tool again in the next transfer: sent once more.
  ConversionMemory fresh;
  EXPECT_EQ(Transfer({WithTool(200), WithTool(200)}, fresh), (std::vector<std::string>{"N0001T0200\r\n", ""}));
}

TEST(ConvertBlockTest, FeedIsSentWhenItChanges) {
  ConversionMemory memory;
  const std::vector<data::BlockRecord> blocks{WithFeed(0), WithFeed(150.4L), WithFeed(150.4L), WithFeed(150.5L),
                                              WithFeed(0)};
  EXPECT_EQ(Transfer(blocks, memory), (std::vector<std::string>{"", "N0002F0150\r\n", "", "N0004F0151\r\n",
                                                                "N0005F0000\r\n"}));
  EXPECT_EQ(memory.lastFeed, 0.0L);
}

}  // namespace

namespace {

// Only the numbers the text writes count: an axis without its flag, the
// centre of a straight move.
TEST(UnwritableNumberTest, NamesTheFirstWordTheTextCannotHold) {
  const long double inf = std::numeric_limits<long double>::infinity();
  data::BlockRecord arc = MoveTo(data::kClockwise, 1, 2);
  EXPECT_EQ(transfer::UnwritableNumber(arc, {}), "");
  arc.centreY = -1e13L;
  EXPECT_EQ(transfer::UnwritableNumber(arc, {}), "J-10000000000000.00");
  arc.endY = std::numeric_limits<long double>::quiet_NaN();
  EXPECT_EQ(transfer::UnwritableNumber(arc, {.scaled = true}), "Y nicht endlich");
  data::BlockRecord line = MoveTo(data::kFeed, 1, 2);
  line.centreX = inf;
  line.endZ = 9999999999999.99L;  // Z is not written
  EXPECT_EQ(transfer::UnwritableNumber(line, {}), "");
  line.hasZ = 1;
  EXPECT_EQ(transfer::UnwritableNumber(line, {}), "");
  EXPECT_EQ(transfer::UnwritableNumber(line, {.zZeroOffset = 0.01L}), "Z+10000000000000.00");
  line.hasZ = 0;
  line.feed = 1e15L;
  EXPECT_EQ(transfer::UnwritableNumber(line, {.scaled = true}), "F1000000000000000");
}

}  // namespace
