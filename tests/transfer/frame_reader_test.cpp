// The controller's side of the wire: frames found in a byte stream, checked,
// and the stream taken up again after a broken one.
#include "transfer/frame_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "transfer/frames.h"

namespace {

using transfer::FrameReader;
using transfer::ReceivedFrame;
using Bytes = std::vector<std::uint8_t>;

Bytes Text(const std::string& text) { return {text.begin(), text.end()}; }

Bytes Wire(const std::string& data, bool last) { return transfer::WireBytes({Text(data), last}); }

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

std::vector<ReceivedFrame> Read(const Bytes& bytes) {
  FrameReader reader;
  std::vector<ReceivedFrame> frames;
  reader.Feed(bytes, frames);
  return frames;
}

// "valid data" or "INVALID data", with "(last)" for the last frame.
std::vector<std::string> Summary(const std::vector<ReceivedFrame>& frames) {
  std::vector<std::string> lines;
  for (const ReceivedFrame& f : frames) {
    lines.push_back(std::string(f.valid ? "valid " : "INVALID ") + std::string(f.data.begin(), f.data.end()) +
                    (f.last ? " (last)" : ""));
  }
  return lines;
}

using Lines = std::vector<std::string>;

TEST(FrameReaderTest, FramesAndTheLastFrame) {
  EXPECT_EQ(Summary(Read(Join({Wire("%\r\nN1\r\n", false), Wire("N2\r\n\r\n", true)}))),
            (Lines{"valid %\r\nN1\r\n", "valid N2\r\n\r\n (last)"}));
}

TEST(FrameReaderTest, WrongChecksumKeepsTheData) {
  Bytes wire = Wire("N1\r\n", false);
  wire.back() ^= 1;
  EXPECT_EQ(Summary(Read(Join({wire, Wire("N2", true)}))), (Lines{"INVALID N1\r\n", "valid N2 (last)"}));
}

TEST(FrameReaderTest, DataAtTheLimitAndOneBeyond) {
  const std::string full(256, 'A');
  EXPECT_EQ(Summary(Read(Wire(full, true))), (Lines{"valid " + full + " (last)"}));
  EXPECT_EQ(Summary(Read(Wire(full, false))), (Lines{"valid " + full}));
  // 257 bytes: broken at the 257th, then the next frame is found.
  const Bytes tooLong = Wire(full + "B", false);
  EXPECT_EQ(Summary(Read(Join({tooLong, Wire("N2", true)}))), (Lines{"INVALID " + full, "valid N2 (last)"}));
  // 256 bytes and two ETB that turn out not to end it.
  const Bytes twoEtb = Join({Bytes{2, 2, 2, 34}, Text(full), Bytes{23, 23, 'X'}, Wire("N2", true)});
  EXPECT_EQ(Summary(Read(twoEtb)), (Lines{"INVALID " + full + "\x17\x17", "valid N2 (last)"}));
  // A zero byte after 256 data bytes and an ETB: 257 data bytes.
  const Bytes zeroLate = Join({Bytes{2, 2, 2, 34}, Text(full), Bytes{23, 0, 4, 4, 4, 0}, Wire("N3", false)});
  EXPECT_EQ(Summary(Read(zeroLate)), (Lines{"INVALID " + full + "\x17", "valid N3"}));
}

TEST(FrameReaderTest, MissingEndMarkerIsReportedAndTheNextFrameFound) {
  const Bytes unended = Join({Bytes{2, 2, 2, 34}, Text(std::string(300, 'C'))});
  EXPECT_EQ(Summary(Read(Join({unended, Wire("N5", false)}))),
            (Lines{"INVALID " + std::string(256, 'C'), "valid N5"}));
}

TEST(FrameReaderTest, EtbAndEotInsideTheData) {
  // Up to two ETB in a row are data; EOT outside the end is data too.
  EXPECT_EQ(Summary(Read(Wire("A\x17" "B\x17\x17" "C\x04", false))), (Lines{"valid A\x17" "B\x17\x17" "C\x04"}));
}

TEST(FrameReaderTest, BrokenEndsAndStarts) {
  // A zero byte not followed by three EOT.
  EXPECT_EQ(Summary(Read(Join({Bytes{2, 2, 2, 34, 'A', 0, 4, 4, 23}, Wire("N6", false)}))),
            (Lines{"INVALID A", "valid N6"}));
  // Three STX without the double quote.
  EXPECT_EQ(Summary(Read(Join({Bytes{2, 2, 2, 'N'}, Wire("N7", false)}))), (Lines{"INVALID ", "valid N7"}));
  // The byte that breaks a frame may start the next.
  EXPECT_EQ(Summary(Read(Join({Bytes{2, 2, 2, 34, 'A', 0, 4}, Wire("N8", true)}))),
            (Lines{"INVALID A", "valid N8 (last)"}));
}

TEST(FrameReaderTest, BytesBeforeAFrameAreSkipped) {
  const Bytes junk{6, 'x', 2, 2, 'y', 2, 34, 0, 23, 23, 23, 4};
  EXPECT_EQ(Summary(Read(Join({junk, Wire("N9", false)}))), (Lines{"valid N9"}));
  // More than three STX: the frame starts at the quote after them.
  EXPECT_EQ(Summary(Read(Join({Bytes{2, 2}, Wire("N9", true)}))), (Lines{"valid N9 (last)"}));
  EXPECT_TRUE(Read(junk).empty());
}

TEST(FrameReaderTest, FramesSplitOverManyFeeds) {
  const Bytes wire = Join({Wire(std::string(256, 'D'), false), Wire("E\x17\x17" "F", false), Wire("G", true)});
  const auto atOnce = Summary(Read(wire));
  for (const std::size_t piece : {1U, 2U, 3U, 7U, 255U}) {
    FrameReader reader;
    std::vector<ReceivedFrame> frames;
    for (std::size_t at = 0; at < wire.size(); at += piece) {
      reader.Feed(std::span(wire).subspan(at, std::min(piece, wire.size() - at)), frames);
    }
    EXPECT_EQ(Summary(frames), atOnce) << "pieces of " << piece;
  }
  EXPECT_EQ(atOnce.size(), 3U);
}

TEST(FrameReaderTest, ResetForgetsAFrameBegun) {
  const Bytes wire = Wire("N1\r\n", false);
  FrameReader reader;
  std::vector<ReceivedFrame> frames;
  reader.Feed(std::span(wire).first(6), frames);
  reader.Reset();
  reader.Feed(std::span(wire).subspan(6), frames);
  EXPECT_TRUE(frames.empty());
  reader.Feed(wire, frames);
  EXPECT_EQ(Summary(frames), (Lines{"valid N1\r\n"}));
}

}  // namespace
