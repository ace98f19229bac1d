#include "data/controllers.h"

#include <array>

namespace data {
namespace {

constexpr ControllerTraits Plain(std::string_view name, std::string_view prefix) { return {name, prefix}; }

// Types 1 and 2: signed jumps, centres relative, start in G54.
constexpr ControllerTraits Siemens(std::string_view name, std::string_view prefix) {
  ControllerTraits t{name, prefix};
  t.jumpSearch = JumpSearch::kSignedDirection;
  t.centreAlwaysRelative = true;
  t.startsInFirstZeroPoint = true;
  return t;
}

// Types 3 and 14: start in G54, no zero point to edit.
constexpr ControllerTraits Num(std::string_view name, std::string_view prefix) {
  ControllerTraits t{name, prefix};
  t.startsInFirstZeroPoint = true;
  t.zeroPointRows = ZeroPointRows::kNone;
  return t;
}

constexpr ControllerTraits HecklerKoch() {
  ControllerTraits t{"Heckler & Koch", "HK"};
  t.numberedParameters = true;
  t.dwellInTenths = true;
  return t;
}

constexpr ControllerTraits Emco() {
  ControllerTraits t{"EMCO TM 02", "Emco"};
  t.centreAlwaysRelative = true;
  t.zeroPointRows = ZeroPointRows::kAsShown;
  return t;
}

constexpr std::array<ControllerTraits, kControllerTypes> kControllers = {{
    Siemens("Siemens 810 M", "810"),
    Siemens("Siemens 3M", "3m"),
    Num("NUM 750/760", "Num"),
    HecklerKoch(),
    Plain("Bosch", "Bosc"),
    Plain("Grundig", "Grun"),
    Plain("Philips", "Phil"),
    Plain("Deckel", "Deck"),
    Plain("Heidenhain", "Hein"),
    Plain("CNI", "CNI"),
    Plain("Aciera", "Acie"),
    Plain("B&R Bohrauto.", "QVM"),
    Emco(),
    Num("NUM mit Wechs.", "NumW"),
    Plain("DIN 66025", "DIN"),
    Plain("Fagor 850 M", "FA50"),
    Plain("QVM", "QVM"),
    Plain("Kolt", "KOLT"),
}};

}  // namespace

bool IsKnownControllerType(int type) { return type >= 1 && type <= kControllerTypes; }

const ControllerTraits& TraitsOf(int type) {
  return kControllers[static_cast<std::size_t>((IsKnownControllerType(type) ? type : kDefaultControllerType) - 1)];
}

std::string ControllerDisplayName(int type) { return std::string(TraitsOf(type).displayName); }
std::string ControllerPrefix(int type) { return std::string(TraitsOf(type).prefix); }

std::string SettingsFileName(int type) { return ControllerPrefix(type) + "_ini.Dat"; }
std::string ToolFileName(int type) { return ControllerPrefix(type) + "_wkz.dat"; }
std::string ZeroPointFileName(int type) { return "Npv_" + ControllerPrefix(type) + ".dat"; }

}  // namespace data
