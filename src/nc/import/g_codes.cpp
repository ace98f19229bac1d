#include "nc/import/g_codes.h"

namespace nc::import {
namespace {

struct Entry {
  int tenths;
  GGroup group;
  WordAction action;
  std::string_view text;
};

constexpr std::string_view kShiftNoZeroPoint =
    " w\xE4hlt keinen Nullpunkt (G59 ist hier eine programmierbare Verschiebung): nicht \xFC" "bernommen";

constexpr Entry kGCodes[] = {
    {0, GGroup::kMotion, WordAction::kConvert, {}},
    {10, GGroup::kMotion, WordAction::kConvert, {}},
    {20, GGroup::kMotion, WordAction::kConvert, {}},
    {30, GGroup::kMotion, WordAction::kConvert, {}},
    {40, GGroup::kNonModal, WordAction::kConvert, {}},
    {100, GGroup::kNonModal, WordAction::kDrop, "G10 (Werkzeug- oder Nullpunktdaten setzen) mit der ganzen Zeile entfernt"},
    {170, GGroup::kPlane, WordAction::kConvert, {}},
    {180, GGroup::kPlane, WordAction::kConvert, {}},
    {190, GGroup::kPlane, WordAction::kConvert, {}},
    {200, GGroup::kUnits, WordAction::kConvert, {}},
    {210, GGroup::kUnits, WordAction::kConvert, {}},
    {280, GGroup::kNonModal, WordAction::kConvert, {}},
    {281, GGroup::kNonModal, WordAction::kDrop, "G28.1 (Referenzpunkt speichern) entfernt"},
    {282, GGroup::kNonModal, WordAction::kRefuse, "G28.2 (Referenzfahrt) wird nicht \xFC" "bernommen"},
    {283, GGroup::kNonModal, WordAction::kRefuse, "G28.3 (Position setzen) wird nicht \xFC" "bernommen"},
    {300, GGroup::kNonModal, WordAction::kConvert, {}},
    {301, GGroup::kNonModal, WordAction::kDrop, "G30.1 (Referenzpunkt speichern) entfernt"},
    {400, GGroup::kCompensation, WordAction::kConvert, {}},
    {410, GGroup::kCompensation, WordAction::kConvert, {}},
    {420, GGroup::kCompensation, WordAction::kConvert, {}},
    {430, GGroup::kLength, WordAction::kDrop, "G43 H (Werkzeugl\xE4ngenkorrektur) entfernt: die L\xE4nge kommt aus der Werkzeugdatei"},
    {490, GGroup::kLength, WordAction::kDrop, "G49 (Werkzeugl\xE4ngenkorrektur aus) entfernt"},
    {530, GGroup::kNonModal, WordAction::kConvert, {}},
    {540, GGroup::kZeroPoint, WordAction::kConvert, {}},
    {550, GGroup::kZeroPoint, WordAction::kConvert, {}},
    {560, GGroup::kZeroPoint, WordAction::kConvert, {}},
    {570, GGroup::kZeroPoint, WordAction::kConvert, {}},
    {580, GGroup::kZeroPoint, WordAction::kConvert, {}},
    {590, GGroup::kZeroPoint, WordAction::kRefuse, kShiftNoZeroPoint},
    {591, GGroup::kZeroPoint, WordAction::kRefuse, kShiftNoZeroPoint},
    {592, GGroup::kZeroPoint, WordAction::kRefuse, kShiftNoZeroPoint},
    {593, GGroup::kZeroPoint, WordAction::kRefuse, kShiftNoZeroPoint},
    {610, GGroup::kPath, WordAction::kDrop, "G61 (genauer Halt) entfernt"},
    {611, GGroup::kPath, WordAction::kDrop, "G61.1 (genauer Halt) entfernt"},
    {640, GGroup::kPath, WordAction::kDrop, "G64 (Bahnsteuerung) mit seinem P und Q entfernt"},
    {730, GGroup::kMotion, WordAction::kConvert, {}},
    {800, GGroup::kMotion, WordAction::kConvert, {}},
    {810, GGroup::kMotion, WordAction::kConvert, {}},
    {820, GGroup::kMotion, WordAction::kConvert, {}},
    {830, GGroup::kMotion, WordAction::kConvert, {}},
    {840, GGroup::kMotion, WordAction::kRefuse, "Gewindebohrzyklus G84 wird nicht \xFC" "bernommen"},
    {850, GGroup::kMotion, WordAction::kConvert, {}},
    {860, GGroup::kMotion, WordAction::kConvert, {}},
    {870, GGroup::kMotion, WordAction::kRefuse, "R\xFC" "ckw\xE4rts-Ausdrehzyklus G87 wird nicht \xFC" "bernommen"},
    {880, GGroup::kMotion, WordAction::kRefuse, "Ausdrehzyklus G88 wird nicht \xFC" "bernommen"},
    {890, GGroup::kMotion, WordAction::kConvert, {}},
    {900, GGroup::kDistance, WordAction::kConvert, {}},
    {901, GGroup::kArcDistance, WordAction::kConvert, {}},
    {910, GGroup::kDistance, WordAction::kConvert, {}},
    {911, GGroup::kArcDistance, WordAction::kConvert, {}},
    {920, GGroup::kNonModal, WordAction::kRefuse, "G92 (Koordinaten setzen) wird nicht \xFC" "bernommen"},
    {921, GGroup::kNonModal, WordAction::kRefuse, "G92.1 (Koordinaten zur\xFC" "cksetzen) wird nicht \xFC" "bernommen"},
    {930, GGroup::kFeedMode, WordAction::kRefuse, "G93 (Vorschub als reziproke Zeit) wird nicht \xFC" "bernommen"},
    {940, GGroup::kFeedMode, WordAction::kDrop, "G94 entfernt: der Vorschub gilt hier immer in mm/min"},
    {950, GGroup::kFeedMode, WordAction::kRefuse, "G95 (Vorschub je Umdrehung) wird nicht \xFC" "bernommen"},
    {960, GGroup::kSpindleMode, WordAction::kRefuse, "G96 (konstante Schnittgeschwindigkeit) wird nicht \xFC" "bernommen"},
    {970, GGroup::kSpindleMode, WordAction::kDrop, "G97 entfernt: die Drehzahl gilt hier immer in 1/min"},
    {980, GGroup::kRetract, WordAction::kConvert, {}},
    {990, GGroup::kRetract, WordAction::kConvert, {}},
};

}  // namespace

GCodeInfo LookUpG(int tenths) {
  for (const Entry& e : kGCodes) {
    if (e.tenths == tenths) return {true, e.group, e.action, e.text};
  }
  return {};
}

std::string GName(int tenths) {
  std::string name = "G" + std::to_string(tenths / 10);
  if (tenths % 10 != 0) name += "." + std::to_string(tenths % 10);
  return name;
}

bool IsCycle(int tenths) {
  switch (tenths) {
    case 730: case 810: case 820: case 830: case 850: case 860: case 890:
      return true;
    default:
      return false;
  }
}

MKind KindOfM(int number) {
  switch (number) {
    case 0: case 1: return MKind::kStop;
    case 2: case 30: return MKind::kEnd;
    case 3: case 4: case 5: return MKind::kSpindle;
    case 6: return MKind::kToolChange;
    case 7: case 8: case 9: return MKind::kCoolant;
    case 98: return MKind::kCall;
    case 99: return MKind::kReturn;
    default: return MKind::kOther;
  }
}

}  // namespace nc::import
