// The offers made when a program from another control is loaded into the
// editor: its lower case turned into capitals, and a "%1" header line
// where it has none. Each is asked once per load and made as one edit of
// the editor (undoable), nothing is written to the file.
#pragma once

#include <string>
#include <vector>

namespace ui {
class NcEditor;
class QtDialogs;
}  // namespace ui

namespace app {

inline constexpr char kLowerCaseQuestion[] =
    "Das Programm enth\xE4lt Kleinbuchstaben. In Gro\xDF" "buchstaben umwandeln?";
inline constexpr char kHeaderQuestion[] = "Das Programm hat keinen Programmkopf. \"%1\" als erste Zeile einf\xFCgen?";

// lines: the program as just loaded into the editor. True when the
// operator accepted a change and the editor's text was edited.
bool OfferForeignProgramFixes(ui::NcEditor& editor, ui::QtDialogs& dialogs, std::vector<std::string> lines);

}  // namespace app
