// The program files last loaded or saved, kept per user in the Qt settings
// of "RUR"/"rur" across runs: newest first, each once, at most ten, only
// files that still exist. The load dialog offers them.
#pragma once

#include <QString>
#include <QStringList>

namespace app {

inline constexpr qsizetype kRecentFilesKept = 10;

// Puts the file (made absolute) first; the one that falls off the end and
// files that are gone are forgotten.
void RememberRecentFile(const QString& path);

// The remembered files that still exist, newest first.
QStringList RecentFiles();

// The folders of files, in their order, each once.
QStringList FoldersOf(const QStringList& files);

}  // namespace app
