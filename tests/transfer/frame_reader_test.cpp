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

// What the reader makes of a byte stream read at once: frames checked, the
// data kept when broken, and the next frame found behind a broken one.
TEST(FrameReaderTest, FramesFoundInAStream) {
  const std::string full(256, 'A');
  const Bytes start{2, 2, 2, 34};
  Bytes badSum = Wire("N1\r\n", false);
  badSum.back() ^= 1;
  const Bytes junk{6, 'x', 2, 2, 'y', 2, 34, 0, 23, 23, 23, 4};
  struct Case {
    const char* name;
    Bytes bytes;
    Lines frames;
  };
  const Case cases[] = {
      {"frames and the last frame", Join({Wire("%\r\nN1\r\n", false), Wire("N2\r\n\r\n", true)}),
       {"valid %\r\nN1\r\n", "valid N2\r\n\r\n (last)"}},
      {"wrong checksum keeps the data", Join({badSum, Wire("N2", true)}), {"INVALID N1\r\n", "valid N2 (last)"}},
      {"256 bytes, last", Wire(full, true), {"valid " + full + " (last)"}},
      {"256 bytes", Wire(full, false), {"valid " + full}},
      {"257 bytes: broken at the 257th", Join({Wire(full + "B", false), Wire("N2", true)}),
       {"INVALID " + full, "valid N2 (last)"}},
      {"256 bytes and two ETB that do not end it", Join({start, Text(full), Bytes{23, 23, 'X'}, Wire("N2", true)}),
       {"INVALID " + full + "\x17\x17", "valid N2 (last)"}},
      {"a zero byte after 256 bytes and an ETB", Join({start, Text(full), Bytes{23, 0, 4, 4, 4, 0}, Wire("N3", false)}),
       {"INVALID " + full + "\x17", "valid N3"}},
      {"missing end marker", Join({start, Text(std::string(300, 'C')), Wire("N5", false)}),
       {"INVALID " + std::string(256, 'C'), "valid N5"}},
      // Up to two ETB in a row are data; EOT outside the end is data too.
      {"ETB and EOT inside the data", Wire("A\x17" "B\x17\x17" "C\x04", false), {"valid A\x17" "B\x17\x17" "C\x04"}},
      {"a zero byte not followed by three EOT", Join({Bytes{2, 2, 2, 34, 'A', 0, 4, 4, 23}, Wire("N6", false)}),
       {"INVALID A", "valid N6"}},
      {"three STX without the double quote", Join({Bytes{2, 2, 2, 'N'}, Wire("N7", false)}), {"INVALID ", "valid N7"}},
      {"the byte that breaks a frame starts the next", Join({Bytes{2, 2, 2, 34, 'A', 0, 4}, Wire("N8", true)}),
       {"INVALID A", "valid N8 (last)"}},
      {"bytes before a frame are skipped", Join({junk, Wire("N9", false)}), {"valid N9"}},
      {"only bytes before a frame", junk, {}},
      {"more than three STX", Join({Bytes{2, 2}, Wire("N9", true)}), {"valid N9 (last)"}},
  };
  for (const Case& c : cases) EXPECT_EQ(Summary(Read(c.bytes)), c.frames) << c.name;
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
