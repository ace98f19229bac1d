#include "transfer/frames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using transfer::Frame;
using transfer::PackFrames;

const std::string kHead = "%\r\n";
const std::string kEnd = "\r\n";

std::string Data(const Frame& frame) { return {frame.data.begin(), frame.data.end()}; }

std::vector<std::string> Datas(const std::vector<Frame>& frames) {
  std::vector<std::string> datas;
  for (const Frame& frame : frames) datas.push_back(Data(frame));
  return datas;
}

std::vector<bool> Lasts(const std::vector<Frame>& frames) {
  std::vector<bool> lasts;
  for (const Frame& frame : frames) lasts.push_back(frame.last);
  return lasts;
}

// A text of n characters without blanks or line ends.
std::string Text(std::size_t n, char c = 'X') { return std::string(n, c); }

std::vector<Frame> Pack(std::vector<std::string> texts) { return PackFrames(texts); }

TEST(FramesTest, ChecksumAndWireBytesOfLastAndOrdinaryFrames) {
  const std::vector<Frame> frames = Pack({"N0001G0X+0001.00", "N0002M30\r\n"});
  ASSERT_EQ(frames.size(), 1U);
  const std::string data = "%\r\nN0001G0X+0001.00\r\nN0002M30\r\n\r\n\r\n";
  EXPECT_EQ(Data(frames[0]), data);
  std::uint8_t sum = 34;
  for (const char c : data) sum ^= static_cast<std::uint8_t>(c);
  EXPECT_EQ(transfer::Checksum(frames[0].data), sum);
  std::vector<std::uint8_t> wire{2, 2, 2, 34};
  wire.insert(wire.end(), data.begin(), data.end());
  wire.insert(wire.end(), {0, 4, 4, 4, sum});
  EXPECT_EQ(transfer::WireBytes(frames[0]), wire);
  EXPECT_EQ(transfer::Checksum({}), 34);
  // Frames before the last end in three ETB instead.
  EXPECT_EQ(transfer::WireBytes({{'A', 'B'}, false}),
            (std::vector<std::uint8_t>{2, 2, 2, 34, 'A', 'B', 23, 23, 23, 34 ^ 'A' ^ 'B'}));
}

// Where texts fall against the 256-byte frame ("%" CR LF takes 3 bytes, so
// a first text of t characters brings the frame to 3 + t + 2), and where the
// closing CR LF and the last mark go: blanks and empty texts add nothing, a
// frame of 253 has no room for the closing CR LF, one filled exactly by the
// last text closes the stream without it, one byte beyond starts the next.
TEST(FramesTest, TextsAtTheFrameLimit) {
  using Texts = std::vector<std::string>;
  struct Case {
    const char* name;
    Texts texts;
    Texts datas;
    std::vector<bool> lasts;
  };
  const Case cases[] = {
      {"blanks and empty texts", {"N0001 G0", "", "  ", "N0002G1", ""}, {"%\r\nN0001G0\r\nN0002G1\r\n\r\n"}, {true}},
      {"no texts", {}, {"%\r\n\r\n"}, {true}},
      {"only empty texts", {"", ""}, {"%\r\n\r\n"}, {true}},
      {"253 with more", {Text(250), "N2"}, {kHead + Text(250) + kEnd, "N2\r\n\r\n"}, {false, true}},
      {"253 last", {Text(250)}, {kHead + Text(250) + kEnd, kEnd}, {false, true}},
      {"256 with more", {Text(251), "N2"}, {kHead + Text(251) + kEnd, "N2\r\n\r\n"}, {false, true}},
      {"256 last", {Text(251)}, {kHead + Text(251) + kEnd}, {true}},
      {"257", {Text(252)}, {kHead, Text(252) + kEnd + kEnd}, {false, true}},
      {"254 fill an empty frame",
       {Text(251), Text(254, 'Y'), "N3"},
       {kHead + Text(251) + kEnd, Text(254, 'Y') + kEnd, "N3\r\n\r\n"},
       {false, false, true}},
      {"254 last", {Text(251), Text(254, 'Y')}, {kHead + Text(251) + kEnd, Text(254, 'Y') + kEnd}, {false, true}},
      {"256 then only empty texts", {Text(251), "", " "}, {kHead + Text(251) + kEnd, kEnd}, {false, true}},
      // A text that fills a frame exactly with its CR LF stays whole, also
      // with a line end inside: it starts the next frame, not its lines.
      {"256 with a line end inside",
       {Text(100), Text(120, 'A') + kEnd + Text(132, 'B'), "N3"},
       {kHead + Text(100) + kEnd, Text(120, 'A') + kEnd + Text(132, 'B') + kEnd, "N3\r\n\r\n"},
       {false, false, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<Frame> frames = Pack(c.texts);
    EXPECT_EQ(Datas(frames), c.datas);
    EXPECT_EQ(Lasts(frames), c.lasts);
    for (const Frame& frame : frames) EXPECT_LE(frame.data.size(), 256U);
  }
  EXPECT_EQ(Datas({transfer::EmptyProgramFrame()}), Texts{"%\r\n\r\n"});
  EXPECT_TRUE(transfer::EmptyProgramFrame().last);
}

// 30 M lines of 10 bytes each, then a main line of 16.
std::string ManyMLines() {
  std::string text;
  for (int k = 10; k < 40; ++k) text += "N0002M" + std::to_string(k) + "\r\n";
  return text + "N0002G0X+0001.00";
}

TEST(FramesTest, LongTextIsCutAtItsLineEnds) {
  const std::vector<Frame> frames = Pack({Text(200), ManyMLines()});
  // 205 bytes leave room for 5 M lines; the next 25 fill 250 bytes, and the
  // main line with its CR LF does not fit behind them.
  const std::string lines = ManyMLines();
  EXPECT_EQ(Datas(frames), (std::vector<std::string>{kHead + Text(200) + kEnd + lines.substr(0, 50),
                                                     lines.substr(50, 250), "N0002G0X+0001.00\r\n\r\n"}));
  EXPECT_EQ(Lasts(frames), (std::vector<bool>{false, false, true}));
}

TEST(FramesTest, LongTextEndingInALineEndKeepsItsEmptyLine) {
  const std::string text = ManyMLines().substr(0, 300);  // the M lines alone
  const std::vector<Frame> frames = Pack({text, "N3"});
  std::string stream;
  for (const Frame& frame : frames) stream += Data(frame);
  EXPECT_EQ(stream, kHead + text + kEnd + "N3" + kEnd + kEnd);
  for (const Frame& frame : frames) EXPECT_EQ(Data(frame).substr(frame.data.size() - 2), kEnd);
}

TEST(FramesTest, LineLongerThanAFrameRunsOnAtTheFrameBoundary) {
  const std::string line = Text(600);
  const std::vector<Frame> frames = Pack({"N1", line});
  EXPECT_EQ(Datas(frames), (std::vector<std::string>{kHead + "N1\r\n" + Text(249), Text(256), Text(95) + kEnd + kEnd}));
  // Ending exactly at a frame boundary on the last block: that frame is the last.
  const std::vector<Frame> exact = Pack({Text(251), Text(510)});
  EXPECT_EQ(Datas(exact), (std::vector<std::string>{kHead + Text(251) + kEnd, Text(256), Text(254) + kEnd}));
  EXPECT_EQ(Lasts(exact), (std::vector<bool>{false, false, true}));
}

TEST(FramesTest, NoFrameAfterTheLastBlock) {
  std::vector<Frame> frames;
  transfer::FramePacker packer;
  packer.Add("N1", true, frames);
  packer.Add("N2", true, frames);
  EXPECT_EQ(Datas(frames), (std::vector<std::string>{"%\r\nN1\r\n\r\n"}));
}

}  // namespace
