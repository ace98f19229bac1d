// The main window's keys: the key of each command button, as the window
// binds it and as hints, the help page and the manual name it. A key runs
// its command exactly as a click on the button does.
#pragma once

#include <QKeyCombination>
#include <array>

#include "ui/component_names.h"

namespace app {

struct CommandKey {
  const char* button;  // the command button's component name
  QKeyCombination key;
  const char* keyName;  // as the hint shows it: "Strg+N", "F9"
};

inline constexpr std::array<CommandKey, 12> kCommandKeys{{
    {ui::kMainWindowNames.newButton, Qt::CTRL | Qt::Key_N, "Strg+N"},
    {ui::kMainWindowNames.loadButton, Qt::CTRL | Qt::Key_O, "Strg+O"},
    {ui::kMainWindowNames.saveButton, Qt::CTRL | Qt::Key_S, "Strg+S"},
    {ui::kMainWindowNames.toolsButton, QKeyCombination(Qt::Key_F5), "F5"},
    {ui::kMainWindowNames.zeroPointsButton, QKeyCombination(Qt::Key_F6), "F6"},
    {ui::kMainWindowNames.installationButton, QKeyCombination(Qt::Key_F7), "F7"},
    {ui::kMainWindowNames.errorSearchButton, QKeyCombination(Qt::Key_F8), "F8"},
    {ui::kMainWindowNames.drawButton, QKeyCombination(Qt::Key_F9), "F9"},
    {ui::kMainWindowNames.sendButton, QKeyCombination(Qt::Key_F10), "F10"},
    {ui::kMainWindowNames.sendFromButton, QKeyCombination(Qt::Key_F11), "F11"},
    {ui::kMainWindowNames.transferLogButton, QKeyCombination(Qt::Key_F12), "F12"},
    {ui::kMainWindowNames.abortButton, QKeyCombination(Qt::Key_Escape), "Esc"},
}};

// Opens the help page "Hilfe" (F4, beside it, opens the path view).
inline constexpr QKeyCombination kHelpKey{Qt::Key_F1};

}  // namespace app
