// BlockImporter: a block's G and M words, its modes and settings (units,
// plane, distance, zero point, feed, spindle, tool, correction, coolant,
// dwell, stops), and the checks that every word was used.
#include "nc/import/block_importer.h"

#include <cmath>

#include "nc/import/g_codes.h"

namespace nc::import {
namespace {

constexpr double kMaxFeed = 30000.0;
constexpr double kMaxSpindle = 999999.0;
constexpr double kMaxTool = 255.0;
constexpr double kMaxCorrection = 99.0;
// Far more than any drawing holds even split into parts; beyond it the
// import stops instead of filling the memory.
constexpr std::size_t kMaxOutputLines = 1'000'000;

std::size_t GroupIndex(GGroup group) { return static_cast<std::size_t>(group); }

bool Whole(double value) { return value == std::floor(value); }

std::string MName(int number) { return (number < 10 ? "M0" : "M") + std::to_string(number); }

}  // namespace

bool BlockImporter::Block(const SourceLine& line, const SourceBlock& block) {
  line_ = line.number;
  used_ = 0;
  named_ = {};
  pre_.clear();
  post_.clear();
  next_ = written_;
  notes_.BeginBlock();
  writer_.BeginBlock(line.number, block.number, line.comment);
  bool ok = Run(line, block);
  if (ok && writer_.lines() > kMaxOutputLines) ok = Refuse("Mehr als 1000000 Zeilen");
  notes_.EndBlock(writer_.EndBlock());
  return ok;
}

bool BlockImporter::Run(const SourceLine& line, const SourceBlock& b) {
  if (line.blockDelete) Note("/", "Satzausblendung \"/\" entfernt: der Satz wird immer ausgef\xFChrt");
  if (b.HasG(kG10)) {
    Note("G10", std::string(LookUpG(kG10).text));
    return true;
  }
  Words words;
  return SortGWords(b, words) && RefuseForeignLetters(b) && ApplyModes(words) && Feed(b) && Spindle(b) &&
         ToolChange(b) && MWords(b) && Compensation(b, words) && Dwell(b, words) && Motion(b, words) && Stops(b) &&
         CheckUsed(b);
}

bool BlockImporter::SortGWords(const SourceBlock& b, Words& words) {
  for (const int g : b.g) {
    const GCodeInfo info = LookUpG(g);
    if (!info.known) return Refuse(GName(g) + " wird nicht \xFC" "bernommen");
    if (info.action == WordAction::kRefuse) {
      return Refuse(info.text.front() == ' ' ? GName(g) + std::string(info.text) : std::string(info.text));
    }
    std::optional<int>& slot = words[GroupIndex(info.group)];
    if (slot && *slot != g) return Refuse(GName(*slot) + " und " + GName(g) + " im selben Satz");
    slot = g;
    if (info.action == WordAction::kDrop) Note(GName(g), std::string(info.text));
    if (g == 640) {  // G64's tolerances go with it
      Use('P');
      Use('Q');
    }
  }
  return true;
}

bool BlockImporter::RefuseForeignLetters(const SourceBlock& b) {
  static constexpr struct {
    char letter;
    const char* text;
  } kForeign[] = {
      {'A', "Drehachse A wird nicht \xFC" "bernommen"},  {'B', "Drehachse B wird nicht \xFC" "bernommen"},
      {'C', "Drehachse C wird nicht \xFC" "bernommen"},  {'E', "E (Extruder) wird nicht \xFC" "bernommen"},
      {'U', "Zusatzachse U wird nicht \xFC" "bernommen"}, {'V', "Zusatzachse V wird nicht \xFC" "bernommen"},
      {'W', "Zusatzachse W wird nicht \xFC" "bernommen"},
  };
  for (const auto& f : kForeign) {
    if (b.Has(f.letter)) return Refuse(f.text);
  }
  if (b.Has('H')) Use('H');
  if (b.Has('H') && !b.HasG(430)) {
    Note("H", "H (Werkzeugl\xE4ngenkorrektur) entfernt: die L\xE4nge kommt aus der Werkzeugdatei");
  }
  return true;
}

bool BlockImporter::ApplyModes(const Words& words) {
  if (const auto units = words[GroupIndex(GGroup::kUnits)]) {
    inch_ = *units == kG20;
    if (inch_) Note("G20", "G20: Zollma\xDF" "e in mm umgerechnet (X Y Z I J K R Q und der Vorschub F)");
    else Note("G21", "G21 entfernt: die Ma\xDF" "e sind hier immer mm");
  }
  if (const auto plane = words[GroupIndex(GGroup::kPlane)]) {
    plane_ = *plane;
    if (plane_ == kG17) Note("G17", "G17 entfernt: die Ebene X/Y gilt hier immer");
  }
  if (const auto distance = words[GroupIndex(GGroup::kDistance)]) {
    incremental_ = *distance == kG91;
    if (incremental_) Note("G91", "G91: inkrementelle Ma\xDF" "e in absolute umgerechnet");
  }
  if (const auto arc = words[GroupIndex(GGroup::kArcDistance)]) {
    arcAbsolute_ = *arc == kG901;
    Note("G90.1", "G90.1/G91.1 aufgenommen: die Kreismittelpunkte sind umgerechnet");
  }
  if (const auto retract = words[GroupIndex(GGroup::kRetract)]) retract_ = *retract;
  if (const auto zeroPoint = words[GroupIndex(GGroup::kZeroPoint)]) {
    pre_.push_back(GName(*zeroPoint));
    next_.zeroPoint = *zeroPoint / 10;
    writer_.ZeroPointSelected();
  }
  return true;
}

bool BlockImporter::Feed(const SourceBlock& b) {
  if (!b.Has('F')) return true;
  Use('F');
  const double f = Mm(*b['F']);
  const double written = AsWritten(f);
  if (!(written > 0.0) || written > kMaxFeed) {
    return Refuse("Vorschub F" + FormatNumber(f) + " mm/min liegt nicht \xFC" "ber 0 und bis 30000");
  }
  feed_ = f;
  if (next_.feed != written) post_.push_back("F" + FormatNumber(f));
  next_.feed = written;
  return true;
}

bool BlockImporter::Spindle(const SourceBlock& b) {
  if (!b.Has('S')) return true;
  Use('S');
  const double s = *b['S'];
  if (!(s >= 0.0 && s <= kMaxSpindle)) return Refuse("Drehzahl S" + FormatNumber(s) + " liegt nicht zwischen 0 und 999999");
  const long rounded = std::lround(s);
  if (static_cast<double>(rounded) != s) Note("S", "Drehzahl S auf ganze Umdrehungen je Minute gerundet");
  post_.push_back("S" + std::to_string(rounded));
  next_.spindle = rounded;
  return true;
}

bool BlockImporter::ToolChange(const SourceBlock& b) {
  if (b.Has('T')) {
    Use('T');
    const double t = *b['T'];
    if (!(t >= 0.0 && t <= kMaxTool && Whole(t))) return Refuse("Werkzeug T" + FormatNumber(t) + " ist keine Zahl von 0 bis 255");
    nextTool_ = static_cast<int>(t);
    if (!b.HasM(6)) {
      Note("T", "T ohne M6 vorgemerkt: das T wird erst mit dem n\xE4" "chsten M6 geschrieben (ein T allein wechselt hier das Werkzeug)");
    }
  }
  if (!b.HasM(6)) return true;
  if (!nextTool_) return Refuse("M6 ohne vorher programmiertes T");
  if (*nextTool_ == 0) {
    Note("M6T0", "M6 mit T0 (Werkzeug ablegen) entfernt");
    return true;
  }
  post_.push_back("T" + std::to_string(*nextTool_));
  post_.push_back("M06");
  next_.tool = *nextTool_;
  // The block's M words go out in ascending order: the spindle would start before the change.
  if (b.HasM(3) || b.HasM(4)) FlushSettings();
  return true;
}

bool BlockImporter::MWords(const SourceBlock& b) {
  std::optional<int> stop, spindle;
  bool coolantOn = false, coolantOff = false;
  for (const int m : b.m) {
    const MKind kind = KindOfM(m);
    std::optional<int>* group = kind == MKind::kStop || kind == MKind::kEnd ? &stop
                                : kind == MKind::kSpindle                   ? &spindle
                                                                            : nullptr;
    if (group != nullptr && *group && **group != m) return Refuse(MName(**group) + " und " + MName(m) + " im selben Satz");
    if (group != nullptr) *group = m;
    if (kind == MKind::kCoolant) (m == 9 ? coolantOff : coolantOn) = true;
    if (kind == MKind::kOther) {
      Note(MName(m), MName(m) + (m >= 100 ? " (Anwenderbefehl) entfernt" : " entfernt: hier ohne Bedeutung"));
    }
  }
  if (coolantOn && coolantOff) return Refuse("M09 mit M07 oder M08 im selben Satz");
  if (spindle) {
    post_.push_back(MName(*spindle));
    next_.spindleDirection = *spindle;
  }
  for (const int m : b.m) {
    if (KindOfM(m) != MKind::kCoolant) continue;
    post_.push_back(MName(m));
    if (m == 7) next_.mist = true;
    if (m == 8) next_.flood = true;
    if (m == 9) next_.mist = next_.flood = false;
  }
  return true;
}

bool BlockImporter::Compensation(const SourceBlock& b, const Words& words) {
  const std::optional<int> mode = words[GroupIndex(GGroup::kCompensation)];
  std::optional<int> d;
  if (b.Has('D')) {
    Use('D');
    const double value = *b['D'];
    if (!(value >= 0.0 && value <= kMaxCorrection && Whole(value))) {
      return Refuse("Korrektur D" + FormatNumber(value) + " ist keine Zahl von 0 bis 99");
    }
    d = static_cast<int>(value);
  }
  if (mode) {
    pre_.push_back(GName(*mode));
    next_.compensated = *mode != kG40;
  }
  if (mode && *mode != kG40) {
    Note("G41", "G41/G42: der Fr\xE4serradius kommt aus der Werkzeugdatei (Korrektur D)");
    if (!d && !next_.correction) {
      if (next_.tool < 1 || next_.tool > kMaxCorrection) return Refuse(GName(*mode) + " ohne D und ohne Werkzeug");
      d = next_.tool;
      Note("G41D", GName(*mode) + " ohne D: die Korrektur D mit der Nummer des Werkzeugs angenommen");
    }
  }
  if (!d) return true;
  // A D word needs a T in its block; T0 leaves the tool as it is.
  bool hasTool = false;
  for (const std::string& w : post_) hasTool = hasTool || w.front() == 'T';
  if (!hasTool) post_.push_back("T" + std::to_string(next_.tool));
  post_.push_back("D" + std::to_string(*d));
  next_.correction = *d;
  return true;
}

bool BlockImporter::Dwell(const SourceBlock& b, const Words& words) {
  if (words[GroupIndex(GGroup::kNonModal)] != kG4) return true;
  if (!b.Has('P')) return Refuse("G4 ohne P (Verweilzeit in Sekunden)");
  Use('P');
  const double seconds = *b['P'];
  Note("G4", std::string("G4 P in Sekunden (wie LinuxCNC und grbl) als G04 F in ") +
                 (traits_.dwellInTenths ? "Sekunden" : "Zehntelsekunden") + " geschrieben");
  FlushSettings();
  return DwellLine(seconds);
}

bool BlockImporter::DwellLine(double seconds) {
  constexpr double kMaxTenths = 30000.0;
  const double tenths = std::round(seconds * 10.0);
  if (!(seconds >= 0.0) || tenths > kMaxTenths) {
    return Refuse("Verweilzeit " + FormatNumber(seconds) + " s liegt nicht zwischen 0 und 3000 s");
  }
  if (std::fabs(seconds * 10.0 - tenths) > 1e-9) Note("G4round", "Verweilzeit auf 0,1 s gerundet");
  if (tenths == 0.0) {
    Note("G4zero", "Verweilzeit 0 entfernt");
    return true;
  }
  Emit("G04 F" + FormatNumber(traits_.dwellInTenths ? tenths / 10.0 : tenths));
  return true;
}

bool BlockImporter::Stops(const SourceBlock& b) {
  std::string code;
  for (const int m : b.m) {
    const MKind kind = KindOfM(m);
    if (kind == MKind::kStop || kind == MKind::kEnd) code += (code.empty() ? "" : " ") + MName(m);
  }
  if (!code.empty()) Emit(code);
  return true;
}

bool BlockImporter::CheckUsed(const SourceBlock& b) {
  static constexpr struct {
    char letter;
    const char* text;
  } kUnused[] = {
      {'X', "X ohne Bewegungsart (G0, G1, G2, G3 oder Bohrzyklus)"},
      {'Y', "Y ohne Bewegungsart (G0, G1, G2, G3 oder Bohrzyklus)"},
      {'Z', "Z ohne Bewegungsart (G0, G1, G2, G3 oder Bohrzyklus)"},
      {'I', "I geh\xF6rt zu keinem Kreisbogen dieser Ebene"},
      {'J', "J geh\xF6rt zu keinem Kreisbogen dieser Ebene"},
      {'K', "K geh\xF6rt zu keinem Kreisbogen dieser Ebene und keinem Bohrzyklus"},
      {'R', "R ohne Kreisbogen oder Bohrzyklus"},
      {'P', "P ohne G4, Bohrzyklus oder M98"},
      {'Q', "Q ohne Bohrzyklus"},
      {'L', "L ohne Bohrzyklus"},
  };
  for (const auto& u : kUnused) {
    if (b.Has(u.letter) && !Used(u.letter)) return Refuse(u.text);
  }
  return true;
}

bool BlockImporter::Finish(std::optional<double>& safeHeight) {
  safeHeight = highestZ_;
  if (firstRetract_ && !highestZ_) {
    line_ = *firstRetract_;
    return Refuse("Keine sichere H\xF6he f\xFCr den R\xFC" "ckzug: das Programm nennt kein Z");
  }
  for (const PendingHome& h : pendingHomes_) {
    if (h.z == *highestZ_) continue;
    line_ = h.line;
    return Refuse(h.what + " X/Y kann nicht entfallen: Z steht dort auf " + FormatNumber(h.z) +
                  ", nicht auf der sicheren H\xF6he " + FormatNumber(*highestZ_));
  }
  return true;
}

}  // namespace nc::import
