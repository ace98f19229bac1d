// BlockImporter: the motions of a block (straight moves, arcs, the returns
// to the reference point and machine-coordinate moves) and how they are
// written.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

#include "nc/import/block_importer.h"
#include "nc/import/g_codes.h"

namespace nc::import {
namespace {

constexpr char kCentreLetters[] = "IJK";
constexpr double kPi = std::numbers::pi;
// Radii and distances below what the block text writes count as none.
constexpr double kMinRadius = 1e-4;
// A chord this short in the block text leaves the arc's sense to rounding.
constexpr double kVanishingChord = 1e-3;
// Within one degree of a half circle a centre worked out from the radius, as
// the dialect does, turns with every rounding of the end point (1e-4 more,
// so that an arc written as 179 degrees with four decimals is within).
constexpr double kHalfCircleBand = kPi / 180.0 + 1e-4;
constexpr double kChordError = 0.01;
constexpr long kMaxChords = 100000;

// A number too large for the block text, as readable as it goes.
std::string Shortest(double value) {
  if (std::fabs(value) < 1e20) return FormatNumber(value);
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ec == std::errc() ? result.ptr : buffer);
}

}  // namespace

std::array<int, 3> BlockImporter::PlaneAxes() const {
  if (plane_ == kG18) return {2, 0, 1};
  if (plane_ == kG19) return {1, 2, 0};
  return {0, 1, 2};
}

bool BlockImporter::Fits(char letter, double value) {
  if (FitsBlockText(value)) return true;
  return Refuse(std::string("Zahl passt nicht in den Satztext (h\xF6" "chstens 15 Stellen in 0,01 mm): ") + letter +
                Shortest(value));
}

bool BlockImporter::NeedFeed(const char* what) {
  if (feed_) return true;
  return Refuse(std::string(what) + " ohne Vorschub F");
}

bool BlockImporter::NotAtHome(const Given& given, const std::string& what) {
  for (std::size_t a = 0; a < 2; ++a) {
    if (atHome_[a] && !given[a]) {
      return Refuse(what + " nach G28/G30/G53: " + kAxisLetters[a] + " steht am Referenzpunkt, dessen Lage hier unbekannt ist");
    }
  }
  return true;
}

void BlockImporter::Emit(const std::string& code, bool move, bool rapid) {
  std::string text;
  const auto add = [&text](const std::string& word) {
    if (word.empty()) return;
    if (!text.empty()) text += ' ';
    text += word;
  };
  for (const std::string& w : pre_) add(w);
  add(code);
  for (const std::string& w : post_) add(w);
  pre_.clear();
  post_.clear();
  writer_.Line(std::move(text), move, rapid && !written_.compensated ? &written_ : nullptr);
  written_ = next_;
}

void BlockImporter::FlushSettings() {
  if (!pre_.empty() || !post_.empty()) Emit(std::string());
}

std::string BlockImporter::AxisWords(const Point& p, const Given& given) {
  std::string words;
  for (std::size_t a = 0; a < 3; ++a) {
    if (given[a]) words += std::string(" ") + kAxisLetters[a] + FormatNumber(p[a]);
  }
  return words;
}

std::string BlockImporter::CentreWords(PlanePoint centre, PlanePoint writtenStart) {
  if (traits_.centreAlwaysRelative) {
    return " I" + FormatNumber(centre.a - writtenStart.a) + " J" + FormatNumber(centre.b - writtenStart.b);
  }
  return " I" + FormatNumber(centre.a) + " J" + FormatNumber(centre.b);
}

void BlockImporter::MoveTo(const Point& p, const Given& given) {
  for (std::size_t a = 0; a < 3; ++a) {
    if (!given[a]) continue;
    position_[a] = {p[a], true};
    if (a < 2) atHome_[a] = false;
    next_.position[a] = p[a];
    next_.written[a] = true;
  }
  if (!given[2]) return;
  zAtSafeHeight_ = false;
  next_.atSafeHeight = false;
  highestZ_ = highestZ_ ? std::max(*highestZ_, p[2]) : p[2];
}

bool BlockImporter::Target(const SourceBlock& b, Point& target, Given& given) {
  for (std::size_t a = 0; a < 3; ++a) {
    const char letter = kAxisLetters[a];
    target[a] = position_[a].value;
    given[a] = false;
    if (!b.Has(letter)) continue;
    Use(letter);
    named_[a] = true;
    double v = Mm(*b[letter]);
    if (incremental_) {
      if (v == 0.0 && !position_[a].known) continue;  // stays where it is, wherever that is
      if (!position_[a].known) {
        return Refuse(std::string(1, letter) + " inkrementell (G91), bevor " + letter + " absolut programmiert ist");
      }
      v += position_[a].value;
    }
    if (!Fits(letter, v)) return false;
    target[a] = v;
    given[a] = true;
  }
  return true;
}

bool BlockImporter::Motion(const SourceBlock& b, const Words& words) {
  const std::optional<int> word = words[static_cast<std::size_t>(GGroup::kMotion)];
  const std::optional<int> nonModal = words[static_cast<std::size_t>(GGroup::kNonModal)];
  if (word) {
    if (cycles_.active() && !IsCycle(*word)) cycles_.End();
    motion_ = *word;
  }
  bool ok = true;
  if (nonModal == kG28 || nonModal == kG30) {
    if (word) return Refuse(GName(*nonModal) + " und " + GName(*word) + " im selben Satz");
    ok = Home(b, *nonModal);
  } else if (nonModal == kG53) {
    ok = MachineCoordinates(b);
  } else if (IsCycle(motion_)) {
    ok = Cycle(b, word && IsCycle(*word) ? word : std::nullopt);
  } else if (motion_ == kG0 || motion_ == kG1) {
    ok = Straight(b, motion_ == kG0);
  } else if (motion_ == kG2 || motion_ == kG3) {
    ok = Arc(b, motion_ == kG2);
  }
  if (ok) FlushSettings();
  return ok;
}

bool BlockImporter::Straight(const SourceBlock& b, bool rapid) {
  Point target;
  Given given;
  if (!Target(b, target, given)) return false;
  if (!given[0] && !given[1] && !given[2]) return true;
  if (!rapid && (!NeedFeed("G1") || !NotAtHome(given, "G1"))) return false;
  const std::string code = (rapid ? "G00" : "G01") + AxisWords(target, given);
  MoveTo(target, given);
  Emit(code, true, rapid);
  return true;
}

bool BlockImporter::Arc(const SourceBlock& b, bool clockwise) {
  const std::array<int, 3> axes = PlaneAxes();
  const auto ia = static_cast<std::size_t>(axes[0]), ib = static_cast<std::size_t>(axes[1]);
  const char ca = kCentreLetters[ia], cb = kCentreLetters[ib];
  Point target;
  Given given;
  if (!Target(b, target, given)) return false;
  const bool hasR = b.Has('R'), hasCentre = b.Has(ca) || b.Has(cb);
  if (!given[0] && !given[1] && !given[2] && !hasR && !hasCentre) return true;
  if (!NeedFeed(clockwise ? "G2" : "G3")) return false;
  if (!position_[ia].known || !position_[ib].known) return Refuse("Kreisbogen, bevor sein Startpunkt bekannt ist");
  const PlanePoint start{position_[ia].value, position_[ib].value}, end{target[ia], target[ib]};
  PlanePoint centre;
  std::optional<double> radius;
  if (hasR) {
    Use('R');
    if (hasCentre) return Refuse("Kreisbogen mit R und Mittelpunkt zugleich");
    radius = Mm(*b['R']);
    if (std::fabs(*radius) < kMinRadius) return Refuse("Kreisbogen mit Radius 0");
    if (Distance(start, end) <= kSamePoint) return Refuse("Kreisbogen mit R, dessen Endpunkt sein Startpunkt ist");
    if (!CentreFromRadius(start, end, *radius, clockwise, centre)) {
      return Refuse("Radius R" + FormatNumber(*radius) + " kleiner als die halbe Sehne " + FormatNumber(Distance(start, end) / 2.0));
    }
  } else {
    if (!hasCentre) return Refuse("Kreisbogen ohne Mittelpunkt und ohne R");
    Use(ca);
    Use(cb);
    const double oa = Mm(b[ca].value_or(0.0)), ob = Mm(b[cb].value_or(0.0));
    if (arcAbsolute_ && (!b.Has(ca) || !b.Has(cb))) return Refuse("Kreisbogen in G90.1 ohne beide Mittelpunktsw\xF6rter");
    centre = arcAbsolute_ ? PlanePoint{oa, ob} : PlanePoint{start.a + oa, start.b + ob};
  }
  const char cn = kCentreLetters[static_cast<std::size_t>(axes[2])];
  if (b.Has(cn) && *b[cn] == 0.0) {
    Use(cn);
    Note("centre0", std::string(1, cn) + "0 im Kreisbogen der Ebene " + GName(plane_) + " entfernt");
  }
  if (!Fits(ca, centre.a) || !Fits(cb, centre.b)) return false;
  const double rs = Distance(centre, start), re = Distance(centre, end);
  if (rs < kMinRadius || re < kMinRadius) return Refuse("Kreisbogen mit Radius 0");
  if (std::fabs(rs - re) > RadiusTolerance(std::max(rs, re))) {
    return Refuse("Endpunkt nicht auf dem Kreis: Radius am Anfang " + FormatNumber(rs) + " mm, am Ende " +
                  FormatNumber(re) + " mm (erlaubt sind 0,01 mm und 0,1 %)");
  }
  const bool full = !hasR && Distance(start, end) <= kSamePoint;
  const double sweep = Sweep(start, end, centre, clockwise, full);
  if (plane_ != kG17) return ArcAsChords(start, end, centre, sweep, target, given);
  return ArcInPlane(start, end, centre, sweep, target, given, clockwise, radius);
}

bool BlockImporter::ArcInPlane(PlanePoint start, PlanePoint end, PlanePoint centre, double sweep, const Point& target,
                               const Given& given, bool clockwise, std::optional<double> radius) {
  const std::string word = clockwise ? "G02" : "G03";
  const Given plane{true, true, given[2]};
  const PlanePoint writtenStart{AsWritten(start.a), AsWritten(start.b)};
  const PlanePoint writtenEnd{AsWritten(end.a), AsWritten(end.b)};
  const bool full = std::fabs(sweep) >= 2.0 * kPi;
  if (!full && Distance(writtenStart, writtenEnd) < kVanishingChord) {
    if (std::fabs(sweep) < kPi) {
      Note("arcline", "Kreisbogen mit einer Sehne unter 0,001 mm als Gerade geschrieben");
      const std::string code = "G01" + AxisWords(target, plane);
      MoveTo(target, plane);
      Emit(code, true);
      return true;
    }
    Note("arcfull", "Kreisbogen, dessen Endpunkt weniger als 0,001 mm vor dem Startpunkt liegt, als Vollkreis geschrieben");
  }
  if (full || Distance(writtenStart, writtenEnd) < kVanishingChord) {
    // The dialect's full circle: its end point is its start point.
    const Point closed{start.a, start.b, target[2]};
    const std::string code = word + AxisWords(closed, plane) + CentreWords(centre, writtenStart);
    MoveTo(target, plane);
    Emit(code, true);
    return true;
  }
  if (std::fabs(std::fabs(sweep) - kPi) <= kHalfCircleBand) {
    Note("split", "Kreisbogen nahe am Halbkreis (bis 1\xB0 daneben) in zwei B\xF6gen geteilt");
    if (given[2] && !position_[2].known) return Refuse("Schraubenlinie, bevor Z bekannt ist");
    const double rm = (Distance(centre, start) + Distance(centre, end)) / 2.0;
    const PlanePoint m = Turned(centre, start, rm, sweep / 2.0);
    const Point middle{m.a, m.b, given[2] ? (position_[2].value + target[2]) / 2.0 : target[2]};
    const std::string first = word + AxisWords(middle, plane) + CentreWords(centre, writtenStart);
    MoveTo(middle, plane);
    Emit(first, true);
    const std::string second = word + AxisWords(target, plane) + CentreWords(centre, {AsWritten(m.a), AsWritten(m.b)});
    MoveTo(target, plane);
    Emit(second, true);
    return true;
  }
  std::string code = word + AxisWords(target, plane);
  if (radius) {
    if (!Fits('R', *radius)) return false;
    code += " R" + FormatNumber(*radius);
  } else {
    code += CentreWords(centre, writtenStart);
  }
  MoveTo(target, plane);
  Emit(code, true);
  return true;
}

bool BlockImporter::ArcAsChords(PlanePoint start, PlanePoint end, PlanePoint centre, double sweep, const Point& target,
                                const Given& given) {
  const std::array<int, 3> axes = PlaneAxes();
  const auto ia = static_cast<std::size_t>(axes[0]), ib = static_cast<std::size_t>(axes[1]),
             in = static_cast<std::size_t>(axes[2]);
  if (given[in] && !position_[in].known) return Refuse("Schraubenlinie, bevor ihre Achse bekannt ist");
  const double rs = Distance(centre, start), re = Distance(centre, end);
  const long count = ChordCount(std::max(rs, re), sweep, kChordError);
  if (count > kMaxChords) return Refuse("Kreisbogen braucht mehr als 100000 Geraden");
  Note("chords", "Kreisb\xF6gen in G18/G19 als Geraden geschrieben (h\xF6" "chstens 0,01 mm neben dem Bogen)");
  Given chordAxes{};
  chordAxes[ia] = chordAxes[ib] = true;
  chordAxes[in] = given[in];
  const double startN = position_[in].value;
  for (long k = 1; k <= count; ++k) {
    Point p = target;
    if (k < count) {
      const double f = static_cast<double>(k) / static_cast<double>(count);
      const PlanePoint q = Turned(centre, start, rs + (re - rs) * f, sweep * f);
      p[ia] = q.a;
      p[ib] = q.b;
      if (given[in]) p[in] = startN + (target[in] - startN) * f;
    }
    if (!Fits(kAxisLetters[ia], p[ia]) || !Fits(kAxisLetters[ib], p[ib])) return false;
    const std::string code = "G01" + AxisWords(p, chordAxes);
    MoveTo(p, chordAxes);
    Emit(code, true);
  }
  return true;
}

bool BlockImporter::Home(const SourceBlock& b, int code) {
  const std::string what = GName(code);
  Point target;
  Given given;
  if (!Target(b, target, given)) return false;
  bool moves = false;
  for (std::size_t a = 0; a < 3; ++a) {
    if (given[a] && (!position_[a].known || position_[a].value != target[a])) moves = true;
  }
  if (moves) {
    Note(what + "via", what + ": die Fahrt zum Zwischenpunkt als Eilgang geschrieben");
    const std::string line = "G00" + AxisWords(target, given);
    MoveTo(target, given);
    Emit(line, true, true);
  }
  const bool all = !named_[0] && !named_[1] && !named_[2];
  return HomeAxes(all || named_[2], all || named_[0] || named_[1], what);
}

bool BlockImporter::MachineCoordinates(const SourceBlock& b) {
  if (motion_ != kG0 && motion_ != kG1) return Refuse("G53 nur mit G0 oder G1");
  for (const char letter : {'X', 'Y', 'Z'}) {
    if (b.Has(letter)) Use(letter);
  }
  if (!b.Has('X') && !b.Has('Y') && !b.Has('Z')) {
    Note("G53", "G53 ohne Achsen entfernt");
    return true;
  }
  if (b.Has('Z') && *b['Z'] < 0.0) {
    return Refuse("G53 Z" + FormatNumber(Mm(*b['Z'])) + ": Maschinenkoordinaten unter dem Referenzpunkt sind hier unbekannt");
  }
  return HomeAxes(b.Has('Z'), b.Has('X') || b.Has('Y'), "G53");
}

bool BlockImporter::HomeAxes(bool z, bool xy, const std::string& what) {
  if (z) {
    Note(what + "Z", what + " Z: Eilgang auf die sichere H\xF6he (das h\xF6" "chste Z des Programms)");
    if (!firstRetract_) firstRetract_ = line_;
    next_.written[2] = true;
    next_.atSafeHeight = true;
    Emit(std::string("G00 Z") + kSafeHeight, true, true);
    position_[2].known = false;
    zAtSafeHeight_ = true;
  }
  if (!xy) return true;
  if (!zAtSafeHeight_) {
    if (!position_[2].known) return Refuse(what + " X/Y: Z steht nicht auf der sicheren H\xF6he");
    pendingHomes_.push_back({line_, position_[2].value, what});
  }
  Note(what + "XY", what + " X/Y entfernt: Z steht dort auf der sicheren H\xF6he");
  position_[0].known = position_[1].known = false;
  atHome_[0] = atHome_[1] = true;
  return true;
}

}  // namespace nc::import
