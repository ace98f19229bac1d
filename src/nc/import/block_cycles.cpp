// BlockImporter: the drilling cycles, handed to CannedCycles block by
// block, and their moves written as dialect lines.
#include <cmath>

#include "nc/import/block_importer.h"
#include "nc/import/g_codes.h"

namespace nc::import {
namespace {

// Pecks shorter than this (and more repeats than this) make a program no
// machine runs; refused before the cycle is worked out.
constexpr double kMinPeck = 1e-3;
constexpr double kMaxRepeats = 1000.0;

}  // namespace

bool BlockImporter::Cycle(const SourceBlock& b, std::optional<int> named) {
  static constexpr char kCycleLetters[] = "XYZRQPLK";
  bool drills = named.has_value();
  for (const char* c = kCycleLetters; *c != '\0'; ++c) drills = drills || b.Has(*c);
  if (!drills) return true;
  if (next_.compensated) return Refuse("Bohrzyklus unter Fr\xE4serradiuskorrektur G41/G42");
  if (plane_ != kG17) return Refuse("Bohrzyklus au\xDF" "erhalb der Ebene G17");
  if (!NeedFeed(GName(motion_).c_str())) return false;
  for (std::size_t a = 0; a < 3; ++a) {
    const bool placed = a < 2 && b.Has(kAxisLetters[a]) && !incremental_;
    if (!position_[a].known && !placed) return Refuse("Bohrzyklus, bevor X, Y und Z bekannt sind");
  }
  if (b.Has('L') && b.Has('K')) return Refuse("Bohrzyklus mit L und K zugleich");
  CycleBlock cycle;
  cycle.cycleCode = named ? *named / 10 : 0;
  std::optional<double>* mm[] = {&cycle.x, &cycle.y, &cycle.z, &cycle.r, &cycle.q};
  for (std::size_t k = 0; k < 5; ++k) {
    const char letter = "XYZRQ"[k];
    if (!b.Has(letter)) continue;
    Use(letter);
    *mm[k] = Mm(*b[letter]);
    if (!Fits(letter, **mm[k])) return false;
  }
  if (b.Has('P')) Use('P'), cycle.p = *b['P'];
  for (const char letter : {'L', 'K'}) {
    if (b.Has(letter)) Use(letter), cycle.repeats = *b[letter];
  }
  if (cycle.q && *cycle.q > 0.0 && *cycle.q < kMinPeck) return Refuse("Zustellung Q unter 0,001 mm");
  if (cycle.repeats && *cycle.repeats > kMaxRepeats) return Refuse("Bohrzyklus mit mehr als 1000 Wiederholungen");
  cycle.incremental = incremental_;
  cycle.retractMode = retract_ / 10;
  std::vector<CycleMove> moves;
  std::string reason;
  const CyclePoint at{position_[0].value, position_[1].value, position_[2].value};
  if (!cycles_.Block(cycle, at, moves, reason)) return Refuse(reason);
  Note("cycle" + GName(motion_), GName(motion_) + " als einzelne Bewegungen geschrieben");
  return CycleMoves(moves);
}

bool BlockImporter::CycleMoves(const std::vector<CycleMove>& moves) {
  for (const CycleMove& move : moves) {
    switch (move.kind) {
      case CycleMoveKind::kRapid:
      case CycleMoveKind::kFeed: {
        const Point p{move.to.x, move.to.y, move.to.z};
        Given given{};
        for (std::size_t a = 0; a < 3; ++a) given[a] = !position_[a].known || std::fabs(position_[a].value - p[a]) > kSamePoint;
        if (!given[0] && !given[1] && !given[2]) break;
        for (std::size_t a = 0; a < 3; ++a) {
          if (given[a] && !Fits(kAxisLetters[a], p[a])) return false;
        }
        const bool rapid = move.kind == CycleMoveKind::kRapid;
        const std::string code = (rapid ? "G00" : "G01") + AxisWords(p, given);
        MoveTo(p, given);
        Emit(code, true, rapid);
        break;
      }
      case CycleMoveKind::kDwell:
        if (!DwellLine(move.seconds)) return false;
        break;
      case CycleMoveKind::kSpindleStop:
        stoppedDirection_ = next_.spindleDirection;
        next_.spindleDirection = 5;
        Emit("M05");
        break;
      case CycleMoveKind::kSpindleStart:
        if (stoppedDirection_ != 3 && stoppedDirection_ != 4) return Refuse("G86 ohne laufende Spindel");
        next_.spindleDirection = stoppedDirection_;
        Emit(stoppedDirection_ == 3 ? "M03" : "M04");
        break;
    }
  }
  return true;
}

}  // namespace nc::import
