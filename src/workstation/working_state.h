// Entering the working state (after the start picture): settings,
// zero points and tool table read with a warning for each missing file, the
// NC tables created, and the run state reset.
#pragma once

#include <string>
#include <string_view>

#include "workstation/workstation.h"

namespace rur {

inline constexpr char kSettingsMissing[] = "Initialisierungsdatei nicht vorhanden oder defekt!";
inline constexpr char kZeroPointsMissing[] =
    "Nullpunktverschiebungsdatei nicht vorhanden!\n\rBitte NPV-Datei erstellen! ";
inline constexpr char kToolsMissing[] = "Werkzeugdatei nicht vorhanden!\n\rBitte WKZ-Datei erstellen!";
inline constexpr char kTablesFailed[] =
    "Kann die interne Variablen nicht initialisieren!\n\rAusf\xFChrung abgebrochen! ";

// A warning about a data file that is missing: the text, then the file's
// full path and the data directory, each on a line of its own
// ("Datei: ...", "Datenverzeichnis: ...").
std::string MissingFileWarning(std::string_view text, const std::string& dataDirectory, const std::string& fileName);

// Reads the zero points and the tool table of the settings' controller
// type, with a warning for each file that is missing (or, for the tool
// table, cannot be read), naming the file and the data directory.
void ReadMachineFiles(Workstation& ws);

// Returns false when the NC tables could not be created (the caller then
// shows kTablesFailed and ends the program). No command runs from here on
// (the phase is idle), and no message shown before counts as an error.
bool EnterWorkingState(Workstation& ws, std::string_view firstArgument);

// Leaving the working state (the end picture): no command runs any more,
// and the window may be closed (the phase is idle).
void LeaveWorkingState(Workstation& ws);

}  // namespace rur
