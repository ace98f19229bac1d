#include "main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "workstation/working_state.h"
#include "data/data_directory.h"
#include "data/files.h"
#include "data/program_file.h"
#include "ui/dialogs/import_notes_window.h"
#include "ui/dialogs/transfer_log_window.h"
#include "ui/dialogs/message_window.h"
#include "ui/platform/modal_host.h"
#include "ui/editor/nc_editor.h"
#include "ui/path_view/picture_button.h"
#include "ui/path_view/picture_overlay.h"
#include "ui/platform/qt_text.h"
#include "window/foreign_program_offers.h"
#include "window/path_link.h"
#include "window/recent_files.h"
#include "window/view_window.h"

namespace app {
namespace {

const char kSaveQuestion[] = "Programm %s wurde modifiziert. Sichern?";

// Paths stay in the file system's encoding inside the core; texts shown to
// the operator are Windows-1252.
std::string NativePath(const QString& path) { return path.toLocal8Bit().toStdString(); }
QString FromNative(const std::string& path) { return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size())); }
std::string Shown(const std::string& nativePath) { return ui::FromQt(FromNative(nativePath)); }

}  // namespace

MainWindow::MainWindow(ui::ModalHost& host, data::DataDirectorySource source, QString firstArgument,
                       QString startProgram, QWidget* parent)
    : QMainWindow(parent),
      host_(host),
      messageWindow_(new ui::MessageWindow(this)),
      dialogs_(host, *messageWindow_, this),
      ws_(dialogs_, pump_, std::move(source)),
      firstArgument_(std::move(firstArgument)),
      startProgram_(std::move(startProgram)) {
  CreateComponents();
  CreateDialogs();
  ConnectHandlers();
  link_ = new PathLink(ws_, *editor_, this);
  viewWindow_ = new ViewWindow(ws_, *link_, this);
  ConnectViewWindow();
  importNotes_ = new ui::ImportNotesWindow(this);
  connect(importNotes_, &ui::ImportNotesWindow::lineChosen, editor_, &ui::NcEditor::MoveToLine);
  transferLog_ = new ui::TransferLogWindow(this);
  // A message of a drawing shows over the picture of this drawing so far,
  // without the marks of the picture before.
  dialogs_.SetBeforeMessage([this] {
    if (state_ != CommandState::kDrawing) return;
    ShowRaster();
    if (pictureMarks_ != nullptr) pictureMarks_->Clear();
  });
  ShowCommands();
  CreateKeys();
  RestoreRoom();
}

// The view goes first: it shows the workstation's stores.
MainWindow::~MainWindow() { delete viewWindow_; }

void MainWindow::ConnectHandlers() {
  connect(startPicture_, &ui::PictureButton::clicked, this, &MainWindow::OnStartPicture);
  connect(endPicture_, &ui::PictureButton::clicked, this, &MainWindow::OnEndPicture);
  connect(newButton_, &QPushButton::clicked, this, &MainWindow::OnNewProgram);
  connect(loadButton_, &QPushButton::clicked, this, &MainWindow::OnLoad);
  connect(saveButton_, &QPushButton::clicked, this, &MainWindow::OnSave);
  connect(closeButton_, &QPushButton::clicked, this, &MainWindow::OnClose);
  connect(drawButton_, &QPushButton::clicked, this, &MainWindow::OnDraw);
  connect(abortButton_, &QPushButton::clicked, this, &MainWindow::OnAbort);
  connect(sendButton_, &QPushButton::clicked, this, &MainWindow::OnSend);
  connect(toolsButton_, &QPushButton::clicked, this, &MainWindow::OnTools);
  connect(zeroPointsButton_, &QPushButton::clicked, this, &MainWindow::OnZeroPoints);
  connect(installationButton_, &QPushButton::clicked, this, &MainWindow::OnInstallation);
  connect(errorSearchButton_, &QPushButton::clicked, this, &MainWindow::OnErrorSearch);
  connect(sendFromButton_, &QPushButton::clicked, this, &MainWindow::OnSendFrom);
  connect(transferLogButton_, &QPushButton::clicked, this, &MainWindow::OnTransferLog);
  connect(editor_, &QPlainTextEdit::textChanged, this, &MainWindow::OnEditorChanged);
  connect(editor_, &ui::NcEditor::clicked, this, &MainWindow::OnEditorClicked);
}

void MainWindow::SetCommandState(CommandState state) {
  if (Running(state) && !Running(state_)) focusBeforeRun_ = QApplication::focusWidget();
  state_ = state;
  ShowCommands();
}

void MainWindow::ShowCommands() {
  const OfferedCommands on = CommandsIn(state_, drawOffered_);
  for (QWidget* w : {newButton_, loadButton_, saveButton_, toolsButton_, zeroPointsButton_, installationButton_}) {
    w->setEnabled(on.programCommands);
  }
  abortButton_->setEnabled(on.abort);
  editor_->setEnabled(on.editor);
  blockSkipBox_->setEnabled(on.blockSkip);
  drawButton_->setEnabled(on.draw);
  sendButton_->setEnabled(on.send);
  errorSearchButton_->setEnabled(on.errorSearch);
  sendFromButton_->setEnabled(on.sendFrom);
  closeButton_->setEnabled(on.close);
  startPicture_->setEnabled(on.startPicture);
  endPicture_->setEnabled(on.endPicture);
  startPicture_->setHidden(on.working);
  endPicture_->setHidden(!on.working);
  emit commandStateChanged(state_);
}

void MainWindow::ProgramChanged() {
  if (state_ == CommandState::kDrawnClean || state_ == CommandState::kSent) state_ = CommandState::kIdle;
}

void MainWindow::DrawOfferedByLines() {
  // While a transfer runs the editor stays usable, but drawing stays off:
  // a drawing would rebuild the blocks under the transfer.
  if (!commandRunning()) drawOffered_ = editor_->LineCount() > 3;
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) OnActivated();
}

void MainWindow::OnActivated() {
  ws_.LoadSettingsAtActivation();
  // Closing is allowed again (the start picture's hold ends here); a stop
  // the operator asked for stays asked. A drawing or transfer that really
  // runs keeps its hold: activating the window in between (after a message
  // window, say) must not let it be closed under the run.
  if (!commandRunning()) ws_.ReleaseClosingHold();
}

void MainWindow::OnStartPicture() {
  EnterWorkingState();
  // Closing is refused from here until the window is next activated.
  ws_.HoldClosing();
}

void MainWindow::EnterWorkingState() {
  drawOffered_ = false;
  SetCommandState(CommandState::kIdle);
  SetProgramModified(0);
  if (!rur::EnterWorkingState(ws_, ui::FromQt(firstArgument_))) {
    dialogs_.Warning(rur::kTablesFailed);
    QCoreApplication::exit(1);
    return;
  }
  listingText_->clear();
  fileFolder_ = FromNative(data::ProgramFolderToOffer(ws_.settings().programDirectory, ws_.dataDirectory()));
  OpenStartProgram();
}

void MainWindow::OpenStartProgram() {
  if (startProgram_.isEmpty()) return;
  const QString path = QFileInfo(startProgram_).absoluteFilePath();
  startProgram_.clear();
  OpenProgram(path);
}

void MainWindow::OnEndPicture() {
  OnNewProgram();
  if (programModified_ != 0) return;
  drawOffered_ = false;
  SetCommandState(CommandState::kNotWorking);
  rur::LeaveWorkingState(ws_);
}

bool MainWindow::AskToSaveChanges() {
  if (programModified_ == 0) return true;
  std::string text = kSaveQuestion;
  text.replace(text.find("%s"), 2, "Editor " + Shown(ws_.mainProgramFile()));
  switch (dialogs_.AskSave(text)) {
    case data::SaveAnswer::Cancel: return false;
    case data::SaveAnswer::No: return true;
    case data::SaveAnswer::Yes:
      SaveToProgramFile();
      return !editor_->document()->isModified();
    default: return false;
  }
}

void MainWindow::OnNewProgram() {
  if (programModified_ != 0 && !AskToSaveChanges()) return;
  listingText_->document()->setModified(false);
  programName_->setText(QStringLiteral("Programm: "));
  ws_.ReplaceProgram({});
  listingText_->clear();
  editor_->clear();
  importNotes_->Clear();
  ws_.BeginCommand();
  SetProgramModified(0);
  drawOffered_ = false;
  ProgramChanged();
  ShowCommands();
  ClearFeedback();
  ClearPicture();
}

void MainWindow::OnLoad() {
  if (programModified_ != 0 && !AskToSaveChanges()) return;
  const QString path = ChooseProgramFile(FileUse::kLoad);
  if (!path.isEmpty()) OpenProgram(path);
}

void MainWindow::OpenProgram(const QString& path) {
  std::vector<std::string> lines;
  const data::ProgramLoad result = data::LoadProgramText(NativePath(path), lines);
  if (result != data::ProgramLoad::Ok) {
    dialogs_.Warning(data::ProgramLoadError(result, ui::FromQt(path)));
    return;
  }
  ShowLoadedProgram(path, lines);
  RememberRecentFile(path);
  const ImportChoice choice = OfferImport(path, lines);
  bool edited = choice == ImportChoice::kImported;
  if (choice == ImportChoice::kNotOffered || choice == ImportChoice::kDeclined) {
    edited = OfferForeignProgramFixes(*editor_, dialogs_, std::move(lines));
  }

  ws_.BeginCommand();
  SetProgramModified(edited ? 1 : 0);
  drawOffered_ = true;
  ProgramChanged();
  ShowCommands();
  ClearFeedback();
  ClearPicture();
  AfterImport(choice);
}

void MainWindow::ShowLoadedProgram(const QString& path, const std::vector<std::string>& lines) {
  listingText_->document()->setModified(false);
  ShowProgramName(path);
  ws_.ReplaceProgram(NativePath(path));
  listingText_->clear();
  importNotes_->Clear();
  importedBlocks_ = 0;
  QStringList text;
  text.reserve(static_cast<qsizetype>(lines.size()));
  for (const auto& line : lines) text << ui::ToQt(line);
  editor_->setPlainText(text.join(QLatin1Char('\n')));
  editor_->document()->setModified(false);
}

void MainWindow::OnSave() { SaveAs(); }

void MainWindow::SaveAs() {
  const QString path = ChooseProgramFile(FileUse::kSave);
  if (path.isEmpty() || !SaveEditorTo(path)) return;
  ws_.NameMainProgram(NativePath(path));
  ShowProgramName(path);
  SetProgramModified(0);
}

void MainWindow::SaveToProgramFile() {
  if (ws_.mainProgramFile().empty()) {
    SaveAs();
    return;
  }
  SaveEditorTo(FromNative(ws_.mainProgramFile()));
}

bool MainWindow::SaveEditorTo(const QString& path) {
  std::vector<std::string> lines;
  for (const QString& line : editor_->Lines()) lines.push_back(ui::FromQt(line));
  if (!data::SaveProgramText(NativePath(path), lines)) {
    dialogs_.Warning(data::ProgramSaveError(ui::FromQt(path)));
    return false;
  }
  editor_->document()->setModified(false);
  RememberRecentFile(path);
  return true;
}

void MainWindow::ShowProgramName(const QString& path) {
  programName_->setText(QStringLiteral("Programm: ") + QFileInfo(path).fileName());
}

void MainWindow::OnEditorChanged() {
  SetProgramModified(1);
  ProgramChanged();
  DrawOfferedByLines();
  ShowCommands();
}

void MainWindow::OnEditorClicked() {
  DrawOfferedByLines();
  ShowCommands();
}

void MainWindow::OnClose() {
  if (programModified_ != 0 && !AskToSaveChanges()) return;
  closeConfirmed_ = true;
  close();
  closeConfirmed_ = false;
}

// Also after an abort, until the run has actually ended.
bool MainWindow::ClosingHeld() const { return ws_.phase() == data::RunPhase::kRunning || commandRunning(); }

bool MainWindow::MayClose() {
  if (ClosingHeld()) return false;
  if (programModified_ == 1 && !closeConfirmed_) return AskToSaveChanges();
  return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (ClosingHeld()) SayWhyNotClosing();  // a cancelled save question needs no word
  if (!MayClose()) {
    event->ignore();
    return;
  }
  ws_.ClearListing();
  SaveRoom();
  event->accept();
}

}  // namespace app
