// The import of standard G-code in the main window: a loaded program that
// shows a sign of it is offered the import once; the imported program
// replaces the editor's text (one undoable edit, nothing written), the
// window "Import" lists what was changed or refused, a program too long
// for the block store may be split into part files, and a path outside the
// work area is offered a shifted zero point G54.
#include <QFileInfo>
#include <QPushButton>
#include <QTextCursor>

#include "data/program_file.h"
#include "main_window.h"
#include "nc/import/standard_signs.h"
#include "ui/dialogs/import_notes_window.h"
#include "ui/platform/modal_host.h"
#include "ui/editor/nc_editor.h"
#include "ui/platform/qt_text.h"
#include "ui/dialogs/zero_point_dialog.h"
#include "window/gcode_import_offer.h"
#include "window/recent_files.h"
#include "workstation/import_outcome.h"
#include "workstation/zero_point_offer.h"

namespace app {
namespace {

std::string NativePath(const QString& path) { return path.toLocal8Bit().toStdString(); }
QString FromNative(const std::string& path) {
  return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
}

const nc::ImportNote* FirstRefusal(const nc::ImportResult& result) {
  for (const nc::ImportNote& note : result.notes) {
    if (note.kind == nc::ImportNoteKind::kRefusal) return &note;
  }
  return nullptr;
}

}  // namespace

MainWindow::ImportChoice MainWindow::OfferImport(const QString& path, const std::vector<std::string>& lines) {
  const data::ProgramText text(lines);
  const std::optional<nc::StandardSign> sign = nc::FirstStandardSign(text);
  if (!sign) return ImportChoice::kNotOffered;
  if (!dialogs_.Ask(ImportQuestion(*sign))) return ImportChoice::kDeclined;
  nc::ImportOptions options;
  options.controllerType = ws_.settings().controllerType;
  options.programNumber = nc::ProgramNumberOfFileName(ui::FromQt(QFileInfo(path).fileName()));
  const nc::ImportResult result = nc::ImportProgram(text.Bytes(), options);
  if (!result.ok) {
    ShowImportRefusal(result);
    return ImportChoice::kRefused;
  }
  importedBlocks_ = result.blocks;
  if (result.parts.size() > 1 && dialogs_.Ask(SplitQuestion(result)) && SplitImport(path, result)) {
    return ImportChoice::kPartLoaded;
  }
  ReplaceEditorText(result.program.lines);
  importNotes_->ShowNotes(ui::ToQt(ImportSummary(result)), rur::ImportNoteLines(result));
  return ImportChoice::kImported;
}

void MainWindow::ShowImportRefusal(const nc::ImportResult& result) {
  const nc::ImportNote* refusal = FirstRefusal(result);
  dialogs_.Warning(ImportRefusedText(refusal != nullptr ? nc::DescribeImportNote(*refusal) : std::string()));
  importNotes_->ShowNotes(ui::ToQt(ImportSummary(result)), rur::ImportNoteLines(result));
}

// Asks for the first part's name, writes every part and loads the first;
// false (the whole program goes into the editor) when no name was given or
// a part could not be written.
bool MainWindow::SplitImport(const QString& path, const nc::ImportResult& result) {
  const QString folder = QFileInfo(path).absolutePath();
  const QString suggested = folder + QStringLiteral("/%") + ui::ToQt(result.program.lines.empty() ? "1" :
                                                                      result.program.lines.front().substr(1));
  const QString chosen = ChooseProgramFile(FileUse::kFirstPart, suggested);
  if (chosen.isEmpty()) return false;
  const std::string first = NativePath(chosen);
  std::vector<std::string> names;
  for (std::size_t k = 1; k <= result.parts.size(); ++k) {
    const std::string name = rur::PartFileName(first, k);
    if (!data::SaveProgramText(name, rur::ProgramTextOf(result.parts[k - 1]))) {
      dialogs_.Warning(data::ProgramSaveError(ui::FromQt(FromNative(name))));
      return false;
    }
    names.push_back(name);
  }
  ShowLoadedProgram(FromNative(first), result.parts.front().lines);
  RememberRecentFile(FromNative(first));
  importNotes_->ShowNotes(ui::ToQt(ImportSummary(result)), rur::ImportNoteLines(result, &result.parts.front()));
  for (std::size_t k = 0; k < names.size(); ++k) {
    importNotes_->AppendLine(QStringLiteral("Teil %1: %2").arg(k + 1).arg(FromNative(names[k])));
  }
  importedBlocks_ = static_cast<std::int64_t>(result.parts.front().lines.size());
  return true;
}

// One edit of the whole text: one undo step takes it back.
void MainWindow::ReplaceEditorText(const std::vector<std::string>& lines) {
  QStringList text;
  text.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) text << ui::ToQt(line);
  QTextCursor cursor(editor_->document());
  cursor.select(QTextCursor::Document);
  cursor.insertText(text.join(QLatin1Char('\n')));
  editor_->MoveToLine(1);
}

void MainWindow::AfterImport(ImportChoice choice) {
  if (choice != ImportChoice::kImported && choice != ImportChoice::kPartLoaded) return;
  if (importedBlocks_ > data::kMaxStoredBlocks) return;  // a drawing would stop at the full store
  if (DrawEditorProgram()) OfferZeroPointShift();
}

void MainWindow::OfferZeroPointShift() {
  std::vector<std::string> lines;
  for (const QString& line : editor_->Lines()) lines.push_back(ui::FromQt(line));
  const std::optional<rur::ZeroPointOffer> offer = rur::OfferZeroPointShift(ws_, data::ProgramText(lines));
  if (!offer || !dialogs_.Ask(offer->question)) return;
  const bool saved = rur::AcceptZeroPointShift(ws_, *offer, [this] {
    zeroPointDialog_->PrepareToShow();
    return host_.Exec(*zeroPointDialog_) == QDialog::Accepted;
  });
  if (saved) DrawEditorProgram();  // the path where the new zero point puts it
}

}  // namespace app
