#include "nc/import/canned_cycles.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <utility>

namespace nc {
namespace {

// G73 backs off this far after each peck to break the chip; G83 comes
// back down to this far above the depth already drilled. 0.010 inch, the
// distance the common standard control uses, so that an imported program
// cuts as it did there; CAM programs carry no value of their own for it.
constexpr double kPeckClearance = 0.254;

// Most pecks (holes times pecks per hole) one block may drill: beyond it
// a tiny Q or a huge L would write out more blocks than a program holds.
constexpr double kMaxPecks = 10000.0;

// A peck count this close below a whole number is that number: R - Z
// over Q carries rounding (0.3 / 0.1 is 2.9999999999999996).
constexpr double kPeckTolerance = 1e-9;

struct CycleKind {
  int code;
  const char* name;
  bool pecks;
};

constexpr CycleKind kCycles[] = {
    {73, "Spanbruchzyklus G73", true}, {81, "Bohrzyklus G81", false},   {82, "Bohrzyklus G82", false},
    {83, "Tiefbohrzyklus G83", true},  {85, "Ausbohrzyklus G85", false}, {86, "Ausbohrzyklus G86", false},
    {89, "Ausbohrzyklus G89", false},
};

const CycleKind* FindCycle(int code) {
  for (const CycleKind& kind : kCycles) {
    if (kind.code == code) {
      return &kind;
    }
  }
  return nullptr;
}

// The shortest text that reads back as the value, in decimals while that
// stays short ("2", "0.0001", "1e+300", "5e-324", "inf").
std::string Number(double value) {
  char text[64];
  const double size = std::fabs(value);
  const bool decimals = size == 0.0 || (size >= 1e-6 && size < 1e15);
  const auto result = decimals ? std::to_chars(text, text + sizeof text, value, std::chars_format::fixed)
                               : std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

bool Finite(const CyclePoint& p) { return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z); }

// Appends moves, leaving out those to where the tool already stands.
class MoveWriter {
 public:
  MoveWriter(CyclePoint at, std::vector<CycleMove>& moves) : at_(at), moves_(moves) {}

  const CyclePoint& at() const { return at_; }
  void Rapid(CyclePoint to) { Move(CycleMoveKind::kRapid, to); }
  void Feed(CyclePoint to) { Move(CycleMoveKind::kFeed, to); }
  void RapidZ(double z) { Rapid({at_.x, at_.y, z}); }
  void FeedZ(double z) { Feed({at_.x, at_.y, z}); }
  void Dwell(const std::optional<double>& seconds) {
    if (seconds && *seconds > 0.0) {
      moves_.push_back({CycleMoveKind::kDwell, at_, *seconds});
    }
  }
  void Spindle(CycleMoveKind kind) { moves_.push_back({kind, at_, 0.0}); }

 private:
  void Move(CycleMoveKind kind, CyclePoint to) {
    if (to.x != at_.x || to.y != at_.y || to.z != at_.z) {
      moves_.push_back({kind, to, 0.0});
      at_ = to;
    }
  }

  CyclePoint at_;
  std::vector<CycleMove>& moves_;
};

// The moves of one hole from the R plane down and back to `clear`.
void DrillHole(int code, double r, double z, double clear, std::int64_t pecks, double q,
               const std::optional<double>& dwell, MoveWriter& out) {
  for (std::int64_t k = 1; k < pecks; ++k) {
    const double depth = r - static_cast<double>(k) * q;
    out.FeedZ(depth);
    if (code == 83) {
      out.RapidZ(r);
    }
    out.RapidZ(std::min(depth + kPeckClearance, r));
  }
  out.FeedZ(z);
  switch (code) {
    case 82:
      out.Dwell(dwell);
      break;
    case 85:
      out.FeedZ(r);
      break;
    case 86:
      out.Dwell(dwell);
      out.Spindle(CycleMoveKind::kSpindleStop);
      out.RapidZ(clear);
      out.Spindle(CycleMoveKind::kSpindleStart);
      break;
    case 89:
      out.Dwell(dwell);
      out.FeedZ(r);
      break;
    default:
      break;
  }
  out.RapidZ(clear);
}

}  // namespace

bool CannedCycles::Block(const CycleBlock& block, CyclePoint position, std::vector<CycleMove>& moves,
                         std::string& reason) {
  const int code = block.cycleCode != 0 ? block.cycleCode : code_;
  const CycleKind* kind = FindCycle(code);
  if (kind == nullptr) {
    reason = code == 0 ? "Kein Bohrzyklus in Kraft" : "Bohrzyklus G" + std::to_string(code) + " wird nicht \xFC" "bernommen";
    return false;
  }
  const std::string name = kind->name;
  const std::pair<const char*, const std::optional<double>*> words[] = {
      {"X", &block.x}, {"Y", &block.y}, {"Z", &block.z}, {"R", &block.r},
      {"Q", &block.q}, {"P", &block.p}, {"L", &block.repeats},
  };
  for (const auto& [letter, value] : words) {
    if (*value && !std::isfinite(**value)) {
      reason = name + ": " + letter + " ist keine endliche Zahl";
      return false;
    }
  }
  if (!Finite(position)) {
    reason = name + ": Position des Werkzeugs ist keine endliche Zahl";
    return false;
  }
  if (block.p && *block.p < 0.0) {
    reason = name + " mit P " + Number(*block.p) + ": Verweilzeit darf nicht negativ sein";
    return false;
  }
  const double repeats = block.repeats.value_or(1.0);
  if (repeats < 1.0 || repeats != std::floor(repeats)) {
    reason = name + " mit L " + Number(repeats) + ": Wiederholungen m\xFCssen eine ganze Zahl ab 1 sein";
    return false;
  }

  // The words in force after this block; committed only when it succeeds.
  const bool incremental = block.incremental;
  const std::optional<Word> z = block.z ? Word{*block.z, incremental} : z_;
  const std::optional<Word> r = block.r ? Word{*block.r, incremental} : r_;
  const std::optional<double> q = block.q ? block.q : q_;
  const std::optional<double> p = block.p ? block.p : p_;
  const double initialZ = active() ? initialZ_ : position.z;
  const auto commit = [&] {
    code_ = code;
    z_ = z;
    r_ = r;
    q_ = q;
    p_ = p;
    initialZ_ = initialZ;
  };
  if (!block.x && !block.y && !block.z && !block.r) {
    commit();
    return true;
  }

  if (!z) {
    reason = name + " ohne Z: Bohrtiefe fehlt";
    return false;
  }
  if (!r) {
    reason = name + " ohne R: R\xFC" "ckzugsebene fehlt";
    return false;
  }
  // A word written in the other distance mode would change its meaning.
  if (z->incremental != incremental || r->incremental != incremental) {
    reason = name + ": Wechsel zwischen G90 und G91 ohne neues Z und R";
    return false;
  }
  // Incremental: R from the Z where the cycle began, Z from R.
  const double rPlane = incremental ? initialZ + r->value : r->value;
  const double bottom = incremental ? rPlane + z->value : z->value;
  if (!std::isfinite(rPlane) || !std::isfinite(bottom)) {
    reason = name + ": R oder Z au\xDF" "erhalb des Zahlenbereichs";
    return false;
  }
  if (rPlane < bottom) {
    reason = name + ": R " + Number(rPlane) + " liegt unter der Bohrtiefe Z " + Number(bottom);
    return false;
  }

  double pecks = 1.0;
  if (kind->pecks) {
    if (!q) {
      reason = name + " ohne Q: Zustellung fehlt";
      return false;
    }
    if (!(*q > 0.0)) {
      reason = name + " mit Q " + Number(*q) + ": Zustellung muss gr\xF6\xDF" "er als 0 sein";
      return false;
    }
    const double depth = rPlane - bottom;
    pecks = std::max(1.0, std::ceil(depth / *q - kPeckTolerance));
    if (!(pecks <= kMaxPecks)) {
      reason = name + ": " + Number(pecks) + " Zustellungen f\xFCr ein Loch (Tiefe " + Number(depth) + " mm, Q " +
               Number(*q) + " mm), h\xF6" "chstens " + Number(kMaxPecks);
      return false;
    }
  }
  if (repeats * pecks > kMaxPecks) {
    reason = name + ": L " + Number(repeats) + " ergibt " + Number(repeats * pecks) +
             " Zustellungen in einem Satz, h\xF6" "chstens " + Number(kMaxPecks);
    return false;
  }

  // Hole n (from 1): incremental X and Y step from the position n times;
  // absolute ones name the same hole for every repeat.
  const auto hole = [&](double n) {
    if (incremental) {
      return CyclePoint{position.x + n * block.x.value_or(0.0), position.y + n * block.y.value_or(0.0), 0.0};
    }
    return CyclePoint{block.x.value_or(position.x), block.y.value_or(position.y), 0.0};
  };
  if (!Finite(hole(repeats))) {
    reason = name + ": X oder Y au\xDF" "erhalb des Zahlenbereichs";
    return false;
  }
  commit();

  // G98 goes back to where the cycle began, but never below R.
  const double clear = block.retractMode == 99 ? rPlane : std::max(initialZ, rPlane);
  MoveWriter out(position, moves);
  if (out.at().z < rPlane) {
    out.RapidZ(rPlane);
  }
  const auto holes = static_cast<std::int64_t>(repeats);
  for (std::int64_t n = 1; n <= holes; ++n) {
    const CyclePoint at = hole(static_cast<double>(n));
    out.Rapid({at.x, at.y, out.at().z});
    out.RapidZ(rPlane);
    DrillHole(code, rPlane, bottom, clear, static_cast<std::int64_t>(pecks), q.value_or(0.0), p, out);
  }
  return true;
}

void CannedCycles::End() { *this = CannedCycles{}; }

}  // namespace nc
