// The per-user settings of the window (its room, the view's choices, the
// recent files): Qt's settings of organisation "RUR", application "rur".
#pragma once

#include <QSettings>

namespace app {

inline QSettings UserSettings() { return QSettings(QStringLiteral("RUR"), QStringLiteral("rur")); }

}  // namespace app
