#include "data/controllers.h"

#include <array>
#include <string_view>

namespace data {
namespace {

struct Controller {
  std::string_view displayName;
  std::string_view prefix;
};

constexpr std::array<Controller, kControllerTypes> kControllers = {{
    {"Siemens 810 M", "810"}, {"Siemens 3M", "3m"},       {"NUM 750/760", "Num"},
    {"Heckler & Koch", "HK"}, {"Bosch", "Bosc"},          {"Grundig", "Grun"},
    {"Philips", "Phil"},      {"Deckel", "Deck"},         {"Heidenhain", "Hein"},
    {"CNI", "CNI"},           {"Aciera", "Acie"},         {"B&R Bohrauto.", "QVM"},
    {"EMCO TM 02", "Emco"},   {"NUM mit Wechs.", "NumW"}, {"DIN 66025", "DIN"},
    {"Fagor 850 M", "FA50"},  {"QVM", "QVM"},             {"Kolt", "KOLT"},
}};

const Controller& Lookup(int type) {
  return kControllers[(IsKnownControllerType(type) ? type : kDefaultControllerType) - 1];
}

}  // namespace

bool IsKnownControllerType(int type) { return type >= 1 && type <= kControllerTypes; }

std::string ControllerDisplayName(int type) { return std::string(Lookup(type).displayName); }
std::string ControllerPrefix(int type) { return std::string(Lookup(type).prefix); }

std::string SettingsFileName(int type) { return ControllerPrefix(type) + "_ini.Dat"; }
std::string ToolFileName(int type) { return ControllerPrefix(type) + "_wkz.dat"; }
std::string ZeroPointFileName(int type) { return "Npv_" + ControllerPrefix(type) + ".dat"; }

}  // namespace data
