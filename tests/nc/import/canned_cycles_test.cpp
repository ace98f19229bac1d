// Drilling cycles: the moves each cycle writes out per hole (pecks, dwells,
// spindle, retract levels), words kept from block to block, incremental
// holes with repeats, and the refusals that keep endless or exploding
// output and wrong depths out of a program.
#include "nc/import/canned_cycles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

// The blocks name only the words they carry; the others stay empty.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace {

using nc::CycleBlock;
using nc::CycleMove;
using nc::CycleMoveKind;
using nc::CyclePoint;

// "r(x,y,z)" rapid, "f(x,y,z)" feed, "d(s)" dwell, "s-"/"s+" spindle stop/start,
// values to the micrometre.
std::string Text(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", v);
  std::string s = text;
  s.erase(s.find_last_not_of('0') + 1);
  if (s.back() == '.') {
    s.pop_back();
  }
  return s == "-0" ? "0" : s;
}

std::string Describe(const std::vector<CycleMove>& moves) {
  std::string out;
  for (const CycleMove& m : moves) {
    out += out.empty() ? "" : " ";
    switch (m.kind) {
      case CycleMoveKind::kRapid:
      case CycleMoveKind::kFeed:
        out += (m.kind == CycleMoveKind::kRapid ? "r(" : "f(") + Text(m.to.x) + "," + Text(m.to.y) + "," +
               Text(m.to.z) + ")";
        break;
      case CycleMoveKind::kDwell:
        out += "d(" + Text(m.seconds) + ")";
        break;
      case CycleMoveKind::kSpindleStop:
        out += "s-";
        break;
      case CycleMoveKind::kSpindleStart:
        out += "s+";
        break;
    }
  }
  return out;
}

// One block after an optional End(); `expected` is the moves, or "!" and
// the start of the refusal.
struct Step {
  CycleBlock block;
  const char* expected;
  bool endFirst = false;
};

struct Case {
  const char* what;
  CyclePoint start;
  std::vector<Step> steps;
};

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(CannedCycles, MovesOfEveryCycleAndTheWordsInForce) {
  const Case cases[] = {
      {"G83 Q 2 from R 0 to Z -6: three pecks, each re-entry 0.254 above the last depth",
       {0, 0, 10},
       {{{.cycleCode = 83, .x = 5, .y = 5, .z = -6, .r = 0, .q = 2},
         "r(5,5,10) r(5,5,0) f(5,5,-2) r(5,5,0) r(5,5,-1.746) f(5,5,-4) r(5,5,0) r(5,5,-3.746) f(5,5,-6) "
         "r(5,5,10)"}}},
      {"G83 with Q the whole depth: one peck",
       {0, 0, 10},
       {{{.cycleCode = 83, .z = -6, .r = 0, .q = 6}, "r(0,0,0) f(0,0,-6) r(0,0,10)"}}},
      {"G83 with Q below the clearance: the re-entry stays at R (0.3 / 0.1 is no fourth peck)",
       {0, 0, 0},
       {{{.cycleCode = 83, .z = -0.3, .r = 0, .q = 0.1, .retractMode = 99},
         "f(0,0,-0.1) r(0,0,0) f(0,0,-0.2) r(0,0,0) f(0,0,-0.3) r(0,0,0)"}}},
      {"G73 from R 0 to Z -2.1 with Q 0.7: three pecks (2.1 / 0.7 is 3.0000000000000004)",
       {0, 0, 0},
       {{{.cycleCode = 73, .z = -2.1, .r = 0, .q = 0.7, .retractMode = 99},
         "f(0,0,-0.7) r(0,0,-0.446) f(0,0,-1.4) r(0,0,-1.146) f(0,0,-2.1) r(0,0,0)"}}},
      {"G73 backs off 0.254 after each peck, never above R",
       {0, 0, 5},
       {{{.cycleCode = 73, .z = -5, .r = 1, .q = 2},
         "r(0,0,1) f(0,0,-1) r(0,0,-0.746) f(0,0,-3) r(0,0,-2.746) f(0,0,-5) r(0,0,5)"},
        {{.cycleCode = 73, .z = 0.8, .r = 1, .q = 0.1, .retractMode = 99}, "r(0,0,1) f(0,0,0.9) r(0,0,1) f(0,0,0.8) r(0,0,1)"}}},
      {"G82 and G89 dwell at the bottom, G85 and G89 feed out to R; no P or P 0: no dwell",
       {0, 0, 3},
       {{{.cycleCode = 82, .z = -1, .r = 2, .p = 1.5}, "r(0,0,2) f(0,0,-1) d(1.5) r(0,0,3)"},
        {{.cycleCode = 89, .x = 1, .p = 0.5}, "r(1,0,3) r(1,0,2) f(1,0,-1) d(0.5) f(1,0,2) r(1,0,3)"},
        {{.cycleCode = 85, .x = 2}, "r(2,0,3) r(2,0,2) f(2,0,-1) f(2,0,2) r(2,0,3)"},
        {{.cycleCode = 82, .z = -1, .r = 2}, "r(2,0,2) f(2,0,-1) r(2,0,3)", true},
        {{.cycleCode = 82, .x = 1, .p = 0}, "r(1,0,3) r(1,0,2) f(1,0,-1) r(1,0,3)"}}},
      {"G86 stops the spindle at the bottom and starts it after the rapid out",
       {0, 0, 3},
       {{{.cycleCode = 86, .z = -1, .r = 2, .retractMode = 99}, "r(0,0,2) f(0,0,-1) s- r(0,0,2) s+"},
        {{.cycleCode = 86, .z = 2, .r = 2}, "s- s+", true}}},  // R = Z at the start: nothing moves
      {"G98 above R back to the start, G99 to R",
       {0, 0, 10},
       {{{.cycleCode = 81, .x = 1, .z = -1, .r = 2}, "r(1,0,10) r(1,0,2) f(1,0,-1) r(1,0,10)"},
        {{.cycleCode = 81, .x = 1, .z = -1, .r = 2, .retractMode = 99}, "r(1,0,2) f(1,0,-1) r(1,0,2)", true}}},
      {"G98 starting at R", {0, 0, 2}, {{{.cycleCode = 81, .x = 1, .z = -1, .r = 2}, "r(1,0,2) f(1,0,-1) r(1,0,2)"}}},
      {"G98 starting below R: up to R first, back to R",
       {0, 0, 0},
       {{{.cycleCode = 81, .x = 1, .z = -1, .r = 2}, "r(0,0,2) r(1,0,2) f(1,0,-1) r(1,0,2)"}}},
      {"G99 starting below R",
       {0, 0, 0},
       {{{.cycleCode = 81, .x = 1, .z = -1, .r = 2, .retractMode = 99}, "r(0,0,2) r(1,0,2) f(1,0,-1) r(1,0,2)"}}},
      {"G98 keeps the level where the cycle began, also after G99 holes and a new cycle code",
       {0, 0, 10},
       {{{.cycleCode = 81, .x = 1, .z = -1, .r = 2, .retractMode = 99}, "r(1,0,10) r(1,0,2) f(1,0,-1) r(1,0,2)"},
        {{.x = 2}, "r(2,0,2) f(2,0,-1) r(2,0,10)"},
        {{.cycleCode = 83, .y = 1, .q = 5}, "r(2,1,10) r(2,1,2) f(2,1,-1) r(2,1,10)"}}},
      {"words stay: X or Y alone drills there, R alone at the new R, Q or P alone drills nothing",
       {0, 0, 5},
       {{{.cycleCode = 81, .z = -1, .r = 2, .retractMode = 99}, "r(0,0,2) f(0,0,-1) r(0,0,2)"},
        {{.y = 4, .retractMode = 99}, "r(0,4,2) f(0,4,-1) r(0,4,2)"},
        {{.r = 3, .retractMode = 99}, "r(0,4,3) f(0,4,-1) r(0,4,3)"},
        {{.q = 1, .p = 2}, ""},
        {{.cycleCode = 83, .x = 1, .retractMode = 99}, "r(1,4,3) f(1,4,2) r(1,4,3) r(1,4,2.254) f(1,4,1) r(1,4,3) "
                                                       "r(1,4,1.254) f(1,4,0) r(1,4,3) r(1,4,0.254) f(1,4,-1) r(1,4,3)"},
        {{.cycleCode = 82}, ""},
        {{.x = 0}, "r(0,4,3) f(0,4,-1) d(2) r(0,4,5)"}}},
      {"G91: X and Y step from the position, R from where the cycle began, Z from R; L 3 three holes",
       {1, 1, 10},
       {{{.cycleCode = 81, .x = 10, .y = 5, .z = -3, .r = -8, .repeats = 3, .incremental = true},
         "r(11,6,10) r(11,6,2) f(11,6,-1) r(11,6,10) r(21,11,10) r(21,11,2) f(21,11,-1) r(21,11,10) "
         "r(31,16,10) r(31,16,2) f(31,16,-1) r(31,16,10)"},
        {{.x = -1, .incremental = true, .retractMode = 99}, "r(30,16,10) r(30,16,2) f(30,16,-1) r(30,16,2)"},
        {{.y = 1, .r = -9, .incremental = true, .retractMode = 99}, "r(30,17,2) r(30,17,1) f(30,17,-2) r(30,17,1)"}}},
      {"G90 with L 2 drills the same hole twice",
       {0, 0, 5},
       {{{.cycleCode = 81, .x = 3, .z = -1, .r = 2, .repeats = 2},
         "r(3,0,5) r(3,0,2) f(3,0,-1) r(3,0,5) r(3,0,2) f(3,0,-1) r(3,0,5)"}}},
      {"End() forgets the cycle and its words",
       {0, 0, 5},
       {{{.cycleCode = 81, .z = -1, .r = 2}, "r(0,0,2) f(0,0,-1) r(0,0,5)"},
        {{.x = 1}, "!Kein Bohrzyklus in Kraft", true},
        {{.cycleCode = 81, .x = 1, .r = 2}, "!Bohrzyklus G81 ohne Z: Bohrtiefe fehlt"},
        {{.cycleCode = 81, .x = 1, .z = -1}, "!Bohrzyklus G81 ohne R: R\xFC" "ckzugsebene fehlt"},
        {{.cycleCode = 83, .q = 1.5}, "", true},  // a cycle code without X, Y, Z or R drills nothing
        {{.x = 1, .z = -1, .r = 2}, "r(1,0,5) r(1,0,2) f(1,0,0.5) r(1,0,2) r(1,0,0.754) f(1,0,-1) r(1,0,5)"},
        {{.cycleCode = 73, .z = -1, .r = 2}, "!Spanbruchzyklus G73 ohne Q: Zustellung fehlt", true}}},
      {"a refusal appends nothing and keeps the words in force",
       {0, 0, 5},
       {{{.cycleCode = 83, .z = -1, .r = 2, .q = 3, .retractMode = 99}, "r(0,0,2) f(0,0,-1) r(0,0,2)"},
        {{.x = 1, .z = 3}, "!Tiefbohrzyklus G83: R 2 liegt unter der Bohrtiefe Z 3"},
        {{.x = 1, .q = 0}, "!Tiefbohrzyklus G83 mit Q 0: Zustellung muss gr\xF6\xDF" "er als 0 sein"},
        {{.x = 1, .incremental = true}, "!Tiefbohrzyklus G83: Wechsel zwischen G90 und G91 ohne neues Z und R"},
        {{.x = 2, .retractMode = 99}, "r(2,0,2) f(2,0,-1) r(2,0,2)"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    nc::CannedCycles cycles;
    CyclePoint at = c.start;
    for (const Step& step : c.steps) {
      if (step.endFirst) {
        cycles.End();
        EXPECT_FALSE(cycles.active());
      }
      std::vector<CycleMove> moves;
      std::string reason;
      const bool ok = cycles.Block(step.block, at, moves, reason);
      if (step.expected[0] == '!') {
        EXPECT_FALSE(ok) << step.expected;
        EXPECT_EQ(reason, step.expected + 1);
        EXPECT_TRUE(moves.empty());
        continue;
      }
      ASSERT_TRUE(ok) << reason;
      EXPECT_EQ(Describe(moves), step.expected);
      EXPECT_TRUE(cycles.active());
      for (const CycleMove& m : moves) {
        if (m.kind == CycleMoveKind::kRapid || m.kind == CycleMoveKind::kFeed) {
          at = m.to;
        }
      }
    }
  }
}

TEST(CannedCycles, RefusesWhatWouldNotEndOrWouldExplode) {
  struct Refusal {
    CycleBlock block;
    const char* reason;  // "" : accepted
  };
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Refusal cases[] = {
      {{.cycleCode = 83, .z = -6, .r = 0, .q = 0}, "Tiefbohrzyklus G83 mit Q 0: Zustellung muss gr\xF6\xDF" "er als 0 sein"},
      {{.cycleCode = 73, .z = -6, .r = 0, .q = -2}, "Spanbruchzyklus G73 mit Q -2: Zustellung muss gr\xF6\xDF" "er als 0 sein"},
      {{.cycleCode = 83, .z = -6, .r = 0}, "Tiefbohrzyklus G83 ohne Q: Zustellung fehlt"},
      // 10,000 pecks for one hole are drilled, one more is refused.
      {{.cycleCode = 83, .z = -1, .r = 0, .q = 0.0001}, ""},
      {{.cycleCode = 83, .z = -1.0001, .r = 0, .q = 0.0001},
       "Tiefbohrzyklus G83: 10001 Zustellungen f\xFCr ein Loch (Tiefe 1.0001 mm, Q 0.0001 mm), h\xF6" "chstens 10000"},
      {{.cycleCode = 73, .z = -1, .r = 0, .q = 5e-324},
       "Spanbruchzyklus G73: inf Zustellungen f\xFCr ein Loch (Tiefe 1 mm, Q 5e-324 mm), h\xF6" "chstens 10000"},
      {{.cycleCode = 81, .z = -1, .r = 0, .repeats = 10000}, ""},
      {{.cycleCode = 81, .z = -1, .r = 0, .repeats = 10001},
       "Bohrzyklus G81: L 10001 ergibt 10001 Zustellungen in einem Satz, h\xF6" "chstens 10000"},
      {{.cycleCode = 83, .z = -2, .r = 0, .q = 1, .repeats = 5001},
       "Tiefbohrzyklus G83: L 5001 ergibt 10002 Zustellungen in einem Satz, h\xF6" "chstens 10000"},
      {{.cycleCode = 81, .z = -1, .r = 0, .repeats = 1}, ""},
      {{.cycleCode = 81, .z = -1, .r = 0, .repeats = 0},
       "Bohrzyklus G81 mit L 0: Wiederholungen m\xFCssen eine ganze Zahl ab 1 sein"},
      {{.cycleCode = 81, .z = -1, .r = 0, .repeats = 2.5},
       "Bohrzyklus G81 mit L 2.5: Wiederholungen m\xFCssen eine ganze Zahl ab 1 sein"},
      {{.cycleCode = 81, .z = -1, .r = 0, .repeats = -1},
       "Bohrzyklus G81 mit L -1: Wiederholungen m\xFCssen eine ganze Zahl ab 1 sein"},
      {{.cycleCode = 82, .z = -1, .r = 0, .p = -0.001}, "Bohrzyklus G82 mit P -0.001: Verweilzeit darf nicht negativ sein"},
      {{.cycleCode = 82, .z = -1, .r = 0, .p = -0.0}, ""},
      {{.cycleCode = 81, .z = 0, .r = -0.001}, "Bohrzyklus G81: R -0.001 liegt unter der Bohrtiefe Z 0"},
      {{.cycleCode = 81, .x = 1, .z = 0, .r = 0}, ""},
      {{.cycleCode = 81, .z = -1, .r = 0, .q = -1}, ""},  // Q means nothing to G81
      {{.cycleCode = 81, .x = nan, .z = -1, .r = 0}, "Bohrzyklus G81: X ist keine endliche Zahl"},
      {{.cycleCode = 89, .z = -1, .r = 0, .p = kInf}, "Ausbohrzyklus G89: P ist keine endliche Zahl"},
      {{.cycleCode = 81, .z = -1, .r = 0, .repeats = kInf}, "Bohrzyklus G81: L ist keine endliche Zahl"},
      {{.cycleCode = 81, .z = -1e308, .r = -1e308, .incremental = true}, "Bohrzyklus G81: R oder Z au\xDF" "erhalb des Zahlenbereichs"},
      {{.cycleCode = 81, .x = 1e308, .z = -1, .r = 0, .repeats = 2, .incremental = true},
       "Bohrzyklus G81: X oder Y au\xDF" "erhalb des Zahlenbereichs"},
      {{.cycleCode = 84, .z = -1, .r = 0}, "Bohrzyklus G84 wird nicht \xFC" "bernommen"},
  };
  for (const Refusal& c : cases) {
    nc::CannedCycles cycles;
    std::vector<CycleMove> moves;
    std::string reason;
    const bool ok = cycles.Block(c.block, {0, 0, 0}, moves, reason);
    EXPECT_EQ(ok, c.reason[0] == '\0') << reason;
    EXPECT_EQ(reason, c.reason);
    EXPECT_EQ(moves.empty(), !ok);
    EXPECT_EQ(cycles.active(), ok);
  }

  // The 10,000 pecks at the limit descend one by one and end exactly at Z.
  nc::CannedCycles cycles;
  std::vector<CycleMove> moves;
  std::string reason;
  ASSERT_TRUE(cycles.Block({.cycleCode = 83, .z = -1, .r = 0, .q = 0.0001}, {0, 0, 0}, moves, reason));
  std::vector<double> bottoms;
  for (const CycleMove& m : moves) {
    if (m.kind == CycleMoveKind::kFeed) {
      EXPECT_TRUE(bottoms.empty() || m.to.z < bottoms.back());
      bottoms.push_back(m.to.z);
    }
  }
  ASSERT_EQ(bottoms.size(), 10000u);
  EXPECT_EQ(bottoms.back(), -1.0);
  EXPECT_NEAR(bottoms[9998], -0.9999, 1e-12);
}

}  // namespace
