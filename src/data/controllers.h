// The controller table: the controller types the workstation knows, their
// display names and the prefixes that name every data file of a type.
#pragma once

#include <cstdint>
#include <string>

namespace data {

inline constexpr std::uint8_t kDefaultControllerType = 17;
inline constexpr std::uint8_t kControllerTypes = 18;

bool IsKnownControllerType(int type);

// Display name and file prefix of a type; a type outside 1..18 gets those
// of the default type 17.
std::string ControllerDisplayName(int type);
std::string ControllerPrefix(int type);

// The data file names of a type (bare names, to be put after the data directory).
std::string SettingsFileName(int type);   // P + "_ini.Dat"
std::string ToolFileName(int type);       // P + "_wkz.dat"
std::string ZeroPointFileName(int type);  // "Npv_" + P + ".dat"

}  // namespace data
