// The texts of the import of standard G-code in the main window: the
// question on loading, the split of a program too long for the block
// store, the refusal and the summary above the window "Import".
#pragma once

#include <string>

#include "nc/import/gcode_import.h"
#include "nc/import/standard_signs.h"

namespace app {

inline constexpr char kImportQuestion[] = "Programm aus Standard-G-Code \xFC" "bernehmen?";
inline constexpr char kFirstPartTitle[] = "Ersten Teil speichern unter";

// The sign found, then kImportQuestion.
std::string ImportQuestion(const nc::StandardSign& sign);
// Whether to split into the result's parts.
std::string SplitQuestion(const nc::ImportResult& result);
// The box after a refused import, naming the first refusal.
std::string ImportRefusedText(const std::string& firstRefusal);
// The line above the list of notes.
std::string ImportSummary(const nc::ImportResult& result);

}  // namespace app
