#include "window/recent_files.h"

#include <QFileInfo>

#include "window/user_settings.h"

namespace app {
namespace {

const char kRecentFilesKey[] = "Programme/Zuletzt";

}  // namespace

QStringList RecentFiles() {
  QStringList files;
  for (const QString& file : UserSettings().value(QLatin1String(kRecentFilesKey)).toStringList()) {
    if (QFileInfo(file).isFile() && !files.contains(file)) files << file;
  }
  return files.mid(0, kRecentFilesKept);
}

void RememberRecentFile(const QString& path) {
  const QString file = QFileInfo(path).absoluteFilePath();
  QStringList files = RecentFiles();
  files.removeAll(file);
  files.prepend(file);
  UserSettings().setValue(QLatin1String(kRecentFilesKey), files.mid(0, kRecentFilesKept));
}

QStringList FoldersOf(const QStringList& files) {
  QStringList folders;
  for (const QString& file : files) {
    const QString folder = QFileInfo(file).absolutePath();
    if (!folders.contains(folder)) folders << folder;
  }
  return folders;
}

}  // namespace app
