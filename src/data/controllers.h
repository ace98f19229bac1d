// The controller table: the controller types the workstation knows, their
// display names, the prefixes that name every data file of a type, and
// every rule of the drawing and the dialogs that differs by type.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace data {

inline constexpr std::uint8_t kDefaultControllerType = 17;
inline constexpr std::uint8_t kControllerTypes = 18;

// How a jump "@100 K..." finds its label.
enum class JumpSearch : std::uint8_t {
  kWholeProgram,     // anywhere in the executing program; a negative target finds nothing
  kSignedDirection,  // a positive target searches forward from the jump, a negative one backward
};

// Rows of the zero-point dialog that may be edited.
enum class ZeroPointRows : std::uint8_t {
  kAllButLast,  // G54..G57
  kNone,
  kAsShown,  // the rows the dialog shows at the moment
};

struct ControllerTraits {
  std::string_view displayName;
  std::string_view prefix;  // names the data files of the type
  JumpSearch jumpSearch = JumpSearch::kWholeProgram;
  bool centreAlwaysRelative = false;    // I, J, K count from the start point also in G90
  bool startsInFirstZeroPoint = false;  // a run starts in G54 instead of G53
  bool numberedParameters = false;      // R0..R10 start holding their own number, R100.. unset
  bool dwellInTenths = false;           // a dwell F word counts tenths of the unit
  ZeroPointRows zeroPointRows = ZeroPointRows::kAllButLast;
};

bool IsKnownControllerType(int type);

// The traits of a type; a type outside 1..18 gets those of the default type 17.
const ControllerTraits& TraitsOf(int type);

std::string ControllerDisplayName(int type);
std::string ControllerPrefix(int type);

// The data file names of a type (bare names, to be put after the data directory).
std::string SettingsFileName(int type);   // P + "_ini.Dat"
std::string ToolFileName(int type);       // P + "_wkz.dat"
std::string ZeroPointFileName(int type);  // "Npv_" + P + ".dat"

}  // namespace data
