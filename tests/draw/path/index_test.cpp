// The nearest drawn block to a point: ties go to the first drawn, the
// distance bound holds at its limit, and over generated stores the index
// answers exactly as a scan of every block does.
#include "draw/path/index.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

data::BlockRecord Move(int motion, long double x0, long double y0, long double x1, long double y1) {
  return {.startX = x0, .startY = y0, .endX = x1, .endY = y1, .mFlags = {}, .hasX = x0 != x1, .hasY = y0 != y1,
          .motion = static_cast<std::uint8_t>(motion)};
}

data::BlockStore StoreOf(std::initializer_list<data::BlockRecord> records) {
  data::BlockStore store;
  for (const data::BlockRecord& r : records) store.Append(r);
  return store;
}

// Every block looked at: the reference the index must agree with. The
// figures of all blocks, their distances from one point, then the nearest
// within a bound.
using Figures = std::vector<std::optional<draw::PathSegment>>;

Figures FiguresOf(const data::BlockStore& store, draw::SegmentOptions options) {
  Figures figures(static_cast<std::size_t>(store.count()) + 1);
  for (std::int32_t position = 1; position <= store.count(); ++position) {
    figures[static_cast<std::size_t>(position)] = draw::SegmentOf(store.At(position), options);
  }
  return figures;
}

std::vector<std::optional<double>> Distances(const Figures& figures, draw::PathPoint p) {
  std::vector<std::optional<double>> distances(figures.size());
  for (std::size_t position = 1; position < figures.size(); ++position) {
    if (figures[position]) distances[position] = draw::DistanceTo(*figures[position], p);
  }
  return distances;
}

std::optional<draw::PathHit> Scan(const std::vector<std::optional<double>>& distances, double maxDistance) {
  std::optional<draw::PathHit> best;
  for (std::size_t position = 1; position < distances.size(); ++position) {
    const std::optional<double> d = distances[position];
    if (d && *d <= maxDistance && (!best || *d < best->distance)) {
      best = draw::PathHit{static_cast<std::int32_t>(position), *d};
    }
  }
  return best;
}

std::int32_t PositionOf(const std::optional<draw::PathHit>& hit) { return hit ? hit->position : 0; }

TEST(PathIndex, EquallyNearBlocksGoToTheFirstDrawn) {
  const data::BlockRecord low = Move(1, 0, 0, 10, 0), high = Move(1, 10, 2, 0, 2);
  struct Case {
    data::BlockStore store;
    draw::PathPoint point;
    std::int32_t position;
  } cases[] = {
      {StoreOf({low, high}), {5, 1}, 1},
      {StoreOf({high, low}), {5, 1}, 1},
      {StoreOf({low, high}), {5, 1.5}, 2},
      {StoreOf({Move(1, 0, 0, 10, 0), Move(1, 10, 0, 10, 10)}), {10, 0}, 1},  // the joint of two moves
      {StoreOf({Move(0, 0, 0, 5, 5), low, low}), {3, 0}, 2},                   // a move drawn twice
  };
  for (const Case& c : cases) {
    const draw::PathIndex index(c.store);
    EXPECT_EQ(PositionOf(index.Nearest(c.point, kInfinity)), c.position);
  }
}

TEST(PathIndex, DistanceBoundHoldsAtItsLimit) {
  const data::BlockStore store = StoreOf({Move(1, 0, 0, 10, 0)});
  const draw::PathIndex index(store);
  EXPECT_EQ(PositionOf(index.Nearest({5, 1}, 1.0)), 1);
  EXPECT_EQ(index.Nearest({5, 1}, 1.0)->distance, 1.0);
  EXPECT_FALSE(index.Nearest({5, 1}, std::nextafter(1.0, 0.0)));
  EXPECT_EQ(PositionOf(index.Nearest({10, 0}, 0.0)), 1);
  EXPECT_FALSE(index.Nearest({5, 1}, -1.0));
  EXPECT_FALSE(index.Nearest({5, 1}, std::numeric_limits<double>::quiet_NaN()));
  EXPECT_FALSE(index.Nearest({kInfinity, 1}, kInfinity));
}

TEST(PathIndex, WhatIsNotDrawnIsNotFound) {
  data::BlockRecord dwell = Move(4, 0, 0, 10, 0);
  const data::BlockStore store = StoreOf({Move(0, 0, 0, 10, 0), Move(1, 10, 0, 10, 0), dwell});
  EXPECT_EQ(draw::PathIndex(store).SegmentCount(), 0u);
  EXPECT_FALSE(draw::PathIndex(store).Nearest({5, 0}, kInfinity));
  EXPECT_EQ(PositionOf(draw::PathIndex(store, {.includeRapids = true}).Nearest({5, 0}, kInfinity)), 1);
  EXPECT_FALSE(draw::PathIndex(data::BlockStore{}).Nearest({0, 0}, kInfinity));
}

// A program-like store: each move starts where the last ended (so joints
// tie), short feed moves and arcs of both senses, some long lines and
// large circles across the drawing, rapid moves, plunges, blocks that
// move nothing, dwells, and moves drawn twice. longShare: the share of
// long lines and large circles among the feed moves and arcs.
data::BlockStore GeneratedStore(int count, std::uint32_t seed, double spread, double longShare) {
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> unit(0.0, 1.0);
  data::BlockStore store;
  long double x = 0, y = 0;
  for (int n = 0; n < count; ++n) {
    const double kind = unit(random);
    data::BlockRecord r;
    if (kind < 0.05 && store.count() > 0) {
      r = store.At(1 + static_cast<std::int32_t>(unit(random) * store.count()) % store.count());
    } else if (kind < 0.35) {
      const double reach = unit(random) < longShare ? spread : 20.0;
      r = Move(1, x, y, x + (unit(random) - 0.5) * reach, y + (unit(random) - 0.5) * reach);
    } else if (kind < 0.65) {
      const double radius = unit(random) < longShare ? spread / 2 : 1 + 15 * unit(random);
      const double a0 = 2 * std::numbers::pi * unit(random), a1 = 2 * std::numbers::pi * unit(random);
      r = Move(unit(random) < 0.5 ? 2 : 3, x, y, 0, 0);
      r.centreX = x - radius * std::cos(a0);
      r.centreY = y - radius * std::sin(a0);
      r.endX = r.centreX + radius * std::cos(a1);
      r.endY = r.centreY + radius * std::sin(a1);
      r.radius = radius;
      r.hasX = r.hasY = 1;
    } else if (kind < 0.8) {
      r = Move(0, x, y, spread * unit(random), 0.75 * spread * unit(random));
    } else if (kind < 0.9) {
      r = Move(1, x, y, x, y);
      r.hasZ = 1;
    } else {
      r = Move(kind < 0.95 ? 1 : 4, x, y, x, y);
    }
    store.Append(r);
    x = r.endX, y = r.endY;
  }
  return store;
}

// Points over the area, every third one on the end of a block (a joint,
// where blocks tie), each with bounds from none to 0.
void ExpectAgreesWithScan(const data::BlockStore& store, draw::SegmentOptions options, std::uint32_t seed,
                          draw::PathBox area, int points) {
  const draw::PathIndex index(store, options);
  const Figures figures = FiguresOf(store, options);
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> x(area.minX, area.maxX), y(area.minY, area.maxY);
  std::uniform_int_distribution<std::int32_t> position(1, store.count());
  for (int n = 0; n < points; ++n) {
    const data::BlockRecord& r = store.At(position(random));
    const draw::PathPoint p = n % 3 == 0 ? draw::PathPoint{static_cast<double>(r.endX), static_cast<double>(r.endY)}
                                         : draw::PathPoint{x(random), y(random)};
    const auto distances = Distances(figures, p);
    for (const double bound : {kInfinity, 5.0, 0.5, 0.0}) {
      const auto expected = Scan(distances, bound);
      const auto found = index.Nearest(p, bound);
      ASSERT_EQ(PositionOf(found), PositionOf(expected)) << p.x << ", " << p.y << " within " << bound;
      if (found) {
        EXPECT_EQ(found->distance, expected->distance);
      }
    }
  }
}

TEST(PathIndex, AnswersAsAScanOfEveryBlock) {
  struct Case {
    int blocks;
    std::uint32_t seed;
    double spread, longShare;
    bool rapids;
  } cases[] = {{1500, 1, 400, 0.05, false},
               {1500, 2, 400, 0.05, true},
               {600, 3, 400, 0.6, false},
               {200, 4, 50, 0.05, false},
               {40, 5, 1e6, 0.05, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.seed);
    const data::BlockStore store = GeneratedStore(c.blocks, c.seed, c.spread, c.longShare);
    const draw::PathBox area{-0.1 * c.spread, -0.1 * c.spread, 1.1 * c.spread, 0.9 * c.spread};
    ExpectAgreesWithScan(store, {.includeRapids = c.rapids}, c.seed + 100, area, 2000);
  }
}

// Short moves packed in a square and many nearly whole circles round it:
// the circles are cut into many pieces, the short moves share cells.
TEST(PathIndex, LongFiguresAmongShortOnes) {
  data::BlockStore store;
  for (int n = 0; n < 1000; ++n) {
    const long double x = 150 + (n % 40) * 2.5L, y = 150 + (n / 40) * 4.0L;
    store.Append(Move(1, x, y, x + 2, y + 1));
  }
  for (int n = 0; n < 200; ++n) {
    // Nearly whole turns: clockwise to just above the start, counter-
    // clockwise to just below it.
    data::BlockRecord circle = Move(n % 2 == 0 ? 2 : 3, 400, 200, 400, n % 2 == 0 ? 200.001L : 199.999L);
    circle.centreX = 200 + n * 0.01L;
    circle.centreY = 200;
    circle.radius = std::hypot(200 - n * 0.01L, 0.001L);
    store.Append(circle);
  }
  ExpectAgreesWithScan(store, {}, 7, {-20, -20, 420, 420}, 1500);
}

TEST(PathIndex, DrawingWithoutExtentIsOneCell) {
  data::BlockRecord plunge = Move(1, 7, 7, 7, 7);
  plunge.hasZ = 1;
  const data::BlockStore store = StoreOf({plunge, plunge, plunge});
  const draw::PathIndex index(store);
  EXPECT_EQ(PositionOf(index.Nearest({10, 11}, 5.0)), 1);
  EXPECT_EQ(index.Nearest({10, 11}, 5.0)->distance, 5.0);
  EXPECT_FALSE(index.Nearest({10, 11}, 4.0));
}

}  // namespace
