// Shared set-up of the radius compensation tests: drawn blocks built by
// hand as the drawing fills them (straight moves with radius 0, arcs with
// their centre and radius), the pass run over them, and expected blocks.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "data/block_record.h"
#include "geometry/arc_geometry.h"
#include "geometry/compensation.h"
#include "support/message_setup.h"

namespace compensation_test {

inline constexpr std::uint8_t kG40 = 40, kG41 = 41, kG42 = 42;
// Lines are circles of radius 1,000,000 inside the pass: their moved points
// are off by some 1e-5 mm from the exact ones.
inline constexpr long double kLineTolerance = 1e-3L;

// Appends blocks, each starting where the one before ended.
class Program {
 public:
  Program(data::BlockStore& store, long double x, long double y) : store_(store), x_(x), y_(y) {}

  data::BlockRecord& Line(long double x, long double y, std::uint8_t compensation) {
    data::BlockRecord& b = Next(x, y, compensation);
    b.motion = data::kFeed;
    return b;
  }
  data::BlockRecord& Arc(long double x, long double y, long double cx, long double cy, std::uint8_t motion,
                         std::uint8_t compensation) {
    data::BlockRecord& b = Next(x, y, compensation);
    b.motion = motion;
    b.centreX = cx;
    b.centreY = cy;
    b.radius = std::hypot(x - cx, y - cy);
    b.arcSpan = static_cast<std::uint8_t>(geometry::ArcSpanOf(b));
    return b;
  }
  // A block that does not move in X or Y (here an M8).
  data::BlockRecord& Still(std::uint8_t compensation) {
    data::BlockRecord& b = Next(x_, y_, compensation);
    b.motion = data::kFeed;
    b.mFlags[8] = 1;
    return b;
  }

 private:
  data::BlockRecord& Next(long double x, long double y, std::uint8_t compensation) {
    store_.Append({.startX = x_, .startY = y_, .endX = x, .endY = y, .feed = 100.0L, .mFlags = {}, .hasX = x != x_,
                   .hasY = y != y_, .compensation = compensation, .toolSlot = 1, .tool = 1});
    data::BlockRecord& stored = store_.At(store_.count());
    stored.listingLine = store_.count();
    x_ = x;
    y_ = y;
    return stored;
  }

  data::BlockStore& store_;
  long double x_, y_;
};

// An expected output block; centre and radius are checked for arcs only.
struct Expected {
  std::uint8_t motion;
  long double sx, sy, ex, ey;
  long double cx = 0.0L, cy = 0.0L, radius = 0.0L;
};

inline Expected Move(long double sx, long double sy, long double ex, long double ey) {
  return {data::kFeed, sx, sy, ex, ey};
}
inline Expected ArcBlock(std::uint8_t motion, long double cx, long double cy, long double r, long double sx,
                       long double sy, long double ex, long double ey) {
  return {motion, sx, sy, ex, ey, cx, cy, r};
}

class CompensationTest : public ::testing::Test {
 protected:
  void SetToolRadius(long double radius, int slot = 1) {
    tools[static_cast<std::size_t>(slot)].radiusCorrection = radius;
  }
  Program Start(long double x, long double y) { return Program(programmed, x, y); }
  bool Run() { return geometry::Compensate(programmed, tools, 3.0L, setup.messages, out); }

  std::vector<std::string> Shown() const { return testing_support::ShownTexts(setup.dialogs); }
  std::vector<int> Motions() const {
    std::vector<int> motions;
    for (std::int32_t i = 1; i <= out.count(); ++i) motions.push_back(out.At(i).motion);
    return motions;
  }

  void ExpectBlocks(const std::vector<Expected>& expected, long double tolerance = kLineTolerance) const {
    ASSERT_EQ(out.count(), static_cast<std::int32_t>(expected.size()));
    const auto near = [tolerance](long double actual, long double wanted) {
      EXPECT_NEAR(static_cast<double>(actual), static_cast<double>(wanted), static_cast<double>(tolerance));
    };
    for (std::int32_t i = 1; i <= out.count(); ++i) {
      const data::BlockRecord& b = out.At(i);
      const Expected& e = expected[static_cast<std::size_t>(i - 1)];
      SCOPED_TRACE("output block " + std::to_string(i));
      EXPECT_EQ(b.marker, 0);
      EXPECT_EQ(b.motion, e.motion);
      near(b.startX, e.sx);
      near(b.startY, e.sy);
      near(b.endX, e.ex);
      near(b.endY, e.ey);
      if (e.motion == data::kClockwise || e.motion == data::kCounterClockwise) {
        near(b.centreX, e.cx);
        near(b.centreY, e.cy);
        near(b.radius, e.radius);
      }
    }
  }

  testing_support::MessageSetup setup;
  data::ToolTable tools{};
  data::BlockStore programmed;
  data::BlockStore out{data::kMaxCompensatedBlocks};
};

}  // namespace compensation_test
