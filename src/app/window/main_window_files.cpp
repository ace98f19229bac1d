// The main window's file dialogs for program files. Each is made for one
// use and deleted after it: a dialog kept between uses would go on
// watching every folder it had shown (the idle window then takes CPU), and
// a popup of it left open would swallow the next click. The next dialog
// opens in the folder the last one ended in; the load dialog offers the
// recent files.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <memory>

#include "main_window.h"
#include "ui/component_names.h"
#include "ui/platform/modal_host.h"
#include "window/gcode_import_offer.h"
#include "window/recent_files.h"

namespace app {
namespace {

const char kOpenTitle[] = "Programm Öffnen";
const char kOpenFilter[] = "ZEP-Programme (%*.)|%*|Fremd-Programme (*.CNC)|*.CNC|Alle Dateien (*.*)|*.*|";
const char kSaveFilter[] = "ZEP CNC-Programme %*.|%*|Fremd CNC-Programme *.CNC|*.CNC|Alle Dateien *.*|*.*";

// Turns a filter of "description|pattern|..." pairs into Qt's name filters.
QStringList NameFilters(const char* pairs) {
  const QStringList parts = QString::fromUtf8(pairs).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    filters << parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
  }
  return filters;
}

QString FromNative(const std::string& path) {
  return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
}

std::unique_ptr<QFileDialog> MakeDialog(QWidget* parent, const char* name, bool save) {
  auto dialog = std::make_unique<QFileDialog>(parent);
  ui::Named(dialog.get(), name);
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setNameFilters(NameFilters(save ? kSaveFilter : kOpenFilter));
  dialog->selectNameFilter(dialog->nameFilters().value(0));
  return dialog;
}

}  // namespace

QString MainWindow::ChooseProgramFile(FileUse use, const QString& suggested) {
  const ui::MainWindowNames& names = ui::kMainWindowNames;
  const bool save = use != FileUse::kLoad;
  std::unique_ptr<QFileDialog> dialog = MakeDialog(this, save ? names.saveDialog : names.openDialog, save);
  // The name alone goes into the name field, its folder is the dialog's.
  QString name;
  QString folder = fileFolder_;
  if (use == FileUse::kLoad) {
    dialog->setWindowTitle(QString::fromUtf8(kOpenTitle));
    // The folders of the recent files in the history; the newest of them
    // chosen already when it lies where the dialog opens.
    const QStringList recent = RecentFiles();
    dialog->setHistory(FoldersOf(recent));
    if (!recent.isEmpty() && QFileInfo(recent.first()).absolutePath() == QDir(folder).absolutePath()) {
      name = QFileInfo(recent.first()).fileName();
    }
  } else {
    if (use == FileUse::kFirstPart) dialog->setWindowTitle(QString::fromLatin1(kFirstPartTitle));
    const QString program = use == FileUse::kFirstPart ? suggested : FromNative(ws_.mainProgramFile());
    if (!program.isEmpty()) {
      folder = QFileInfo(program).absolutePath();
      name = QFileInfo(program).fileName();
    }
  }
  if (!folder.isEmpty()) dialog->setDirectory(folder);
  if (!name.isEmpty()) dialog->selectFile(name);

  const bool chosen = host_.Exec(*dialog) == QDialog::Accepted && !dialog->selectedFiles().isEmpty();
  const QString path = chosen ? dialog->selectedFiles().first() : QString();
  fileFolder_ = chosen ? QFileInfo(path).absolutePath() : dialog->directory().absolutePath();
  return path;
}

}  // namespace app
