#include "main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "workstation/working_state.h"
#include "data/data_directory.h"
#include "data/files.h"
#include "data/program_file.h"
#include "draw/picture/surface.h"
#include "ui/dialogs/import_notes_window.h"
#include "ui/dialogs/message_window.h"
#include "ui/platform/modal_host.h"
#include "ui/editor/nc_editor.h"
#include "ui/path_view/picture_button.h"
#include "ui/platform/qt_text.h"
#include "window/foreign_program_offers.h"
#include "window/view_window.h"

namespace app {
namespace {

const char kOpenTitle[] = "Programm Öffnen";
const char kOpenFilter[] = "ZEP-Programme (%*.)|%*|Fremd-Programme (*.CNC)|*.CNC|Alle Dateien (*.*)|*.*|";
const char kSaveFilter[] = "ZEP CNC-Programme %*.|%*|Fremd CNC-Programme *.CNC|*.CNC|Alle Dateien *.*|*.*";
const char kSaveQuestion[] = "Programm %s wurde modifiziert. Sichern?";

// Turns a filter of "description|pattern|..." pairs into Qt's name filters.
QStringList NameFilters(const char* pairs) {
  const QStringList parts = QString::fromUtf8(pairs).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    filters << parts[i] + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
  }
  return filters;
}

// Paths stay in the file system's encoding inside the core; texts shown to
// the operator are Windows-1252.
std::string NativePath(const QString& path) { return path.toLocal8Bit().toStdString(); }
QString FromNative(const std::string& path) { return QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size())); }
std::string Shown(const std::string& nativePath) { return ui::FromQt(FromNative(nativePath)); }

}  // namespace

MainWindow::MainWindow(ui::ModalHost& host, data::DataDirectorySource source, QString firstArgument,
                       QString startProgram, QWidget* parent)
    : QWidget(parent),
      host_(host),
      form3_(new ui::Tform3(this)),
      dialogs_(host, *form3_, this),
      ws_(dialogs_, pump_, std::move(source)),
      firstArgument_(std::move(firstArgument)),
      startProgram_(std::move(startProgram)) {
  setObjectName(QStringLiteral("Form1"));
  CreateComponents();
  CreateDialogs();
  ConnectHandlers();
  FormCreate();
  Ansicht = new ViewWindow(*this);
  Import = new ui::ImportNotesWindow(this);
  connect(Import, &ui::ImportNotesWindow::lineChosen, showeditor, &ui::NcEditor::MoveToLine);
}

// The view goes first: it reads the workstation and the editor.
MainWindow::~MainWindow() { delete Ansicht; }

void MainWindow::FormCreate() {
  ws_.settings.controllerType = data::kDefaultControllerType;
  ende->move(Image2->pos());
  for (QWidget* w : std::initializer_list<QWidget*>{
           neues, laden, speichern, abbruch, Schnittstelle, Werkzeugtaste, nullpunkt, fehlersuche,
           simuliere, senden, showeditor, CheckBox1}) {
    w->setEnabled(false);
  }
  Image2->hide();
}

void MainWindow::ConnectHandlers() {
  connect(ende, &ui::PictureButton::clicked, this, &MainWindow::Image1Click);
  connect(Image2, &ui::PictureButton::clicked, this, &MainWindow::Image2Click);
  connect(neues, &QPushButton::clicked, this, &MainWindow::neuesClick);
  connect(laden, &QPushButton::clicked, this, &MainWindow::ladenClick);
  connect(speichern, &QPushButton::clicked, this, &MainWindow::speichernClick);
  connect(beenden, &QPushButton::clicked, this, &MainWindow::beendenClick);
  connect(simuliere, &QPushButton::clicked, this, &MainWindow::simuliereClick);
  connect(abbruch, &QPushButton::clicked, this, &MainWindow::AbbruchClick);
  connect(senden, &QPushButton::clicked, this, &MainWindow::sendenClick);
  connect(Werkzeugtaste, &QPushButton::clicked, this, &MainWindow::WerkzeugtasteClick);
  connect(nullpunkt, &QPushButton::clicked, this, &MainWindow::nullpunktClick);
  connect(Schnittstelle, &QPushButton::clicked, this, &MainWindow::SchnittstelleClick);
  connect(fehlersuche, &QPushButton::clicked, this, &MainWindow::fehlersucheClick);
  connect(showeditor, &QPlainTextEdit::textChanged, this, &MainWindow::showeditorChange);
  connect(showeditor, &ui::NcEditor::clicked, this, &MainWindow::showeditorClick);
}

void MainWindow::SetEnabled(std::initializer_list<QWidget*> widgets, bool enabled) {
  for (QWidget* w : widgets) w->setEnabled(enabled);
}

void MainWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void MainWindow::FormActivate() {
  ws_.LoadSettingsAtActivation();
  // Closing is allowed again (the start picture's hold ends here); a stop
  // the operator asked for stays asked. A drawing or transfer that really
  // runs keeps its hold: activating the window in between (after a message
  // window, say) must not let it be closed under the run.
  if (ws_.phase == data::RunPhase::kRunning && !commandRunning_) ws_.phase = data::RunPhase::kIdle;
}

void MainWindow::Image1Click() {
  ende->hide();
  Image2->show();
  Init_form();
  // Closing is refused from here until the window is next activated.
  ws_.phase = data::RunPhase::kRunning;
  beenden->setEnabled(false);
}

void MainWindow::Init_form() {
  ende->move(Image2->pos());
  fehlersuche->setEnabled(false);
  SetEnabled({laden, neues, speichern, nullpunkt, Schnittstelle, Werkzeugtaste, abbruch, showeditor, CheckBox1}, true);
  SetEnabled({senden, simuliere}, false);
  programModified_ = 0;
  ws_.phase = data::RunPhase::kIdle;
  if (!rur::EnterWorkingState(ws_, ui::FromQt(firstArgument_))) {
    dialogs_.Warning(rur::kTablesFailed);
    QCoreApplication::exit(1);
    return;
  }
  simArray->clear();
  OpenDialog1->setDirectory(
      FromNative(data::ProgramFolderToOffer(ws_.settings.programDirectory, ws_.dataDirectory)));
  OpenStartProgram();
}

void MainWindow::OpenStartProgram() {
  if (startProgram_.isEmpty()) return;
  const QString path = QFileInfo(startProgram_).absoluteFilePath();
  startProgram_.clear();
  OpenProgram(path);
}

void MainWindow::Image2Click() {
  neuesClick();
  if (programModified_ != 0) return;
  Image2->hide();
  ende->show();
  SetEnabled({fehlersuche, laden, neues, speichern, nullpunkt, Schnittstelle, Werkzeugtaste, abbruch,
              showeditor, senden, simuliere, CheckBox1},
             false);
  beenden->setEnabled(true);
  ws_.phase = data::RunPhase::kIdle;
}

bool MainWindow::Clearload() {
  if (programModified_ == 0) return true;
  std::string text = kSaveQuestion;
  text.replace(text.find("%s"), 2, "Editor " + Shown(ws_.mainProgramFile));
  switch (dialogs_.AskSave(text)) {
    case data::SaveAnswer::Cancel: return false;
    case data::SaveAnswer::No: return true;
    case data::SaveAnswer::Yes:
      if (!ws_.mainProgramFile.empty()) {
        Save1Click();
      } else {
        SaveAs1Click();
      }
      return !showeditor->document()->isModified();
    default: return false;
  }
}

void MainWindow::neuesClick() {
  if (programModified_ != 0 && !Clearload()) return;
  simArray->document()->setModified(false);
  Panel2->setText(QStringLiteral("Programm: "));
  ws_.mainProgramFile.clear();
  simArray->clear();
  ws_.listing.Clear();
  showeditor->clear();
  Import->Clear();
  ws_.messages.errorFlag = 0;
  programModified_ = 0;
  SetEnabled({senden, simuliere}, false);
}

void MainWindow::ladenClick() {
  if (programModified_ != 0 && !Clearload()) return;
  OpenDialog1->setWindowTitle(QString::fromUtf8(kOpenTitle));
  OpenDialog1->setNameFilters(NameFilters(kOpenFilter));
  OpenDialog1->selectNameFilter(OpenDialog1->nameFilters().value(0));
  if (host_.Exec(*OpenDialog1) != QDialog::Accepted || OpenDialog1->selectedFiles().isEmpty()) return;
  OpenProgram(OpenDialog1->selectedFiles().first());
}

void MainWindow::OpenProgram(const QString& path) {
  std::vector<std::string> lines;
  const data::ProgramLoad result = data::LoadProgramText(NativePath(path), lines);
  if (result != data::ProgramLoad::Ok) {
    dialogs_.Warning(data::ProgramLoadError(result, ui::FromQt(path)));
    return;
  }
  ShowLoadedProgram(path, lines);
  const ImportChoice choice = OfferImport(path, lines);
  bool edited = choice == ImportChoice::kImported;
  if (choice == ImportChoice::kNotOffered || choice == ImportChoice::kDeclined) {
    edited = OfferForeignProgramFixes(*showeditor, dialogs_, std::move(lines));
  }

  ws_.messages.errorFlag = 0;
  programModified_ = edited ? 1 : 0;
  simuliere->setEnabled(true);
  senden->setEnabled(false);
  draw::ClearPicture(ws_.raster);
  pictureContent_ = PictureContent::kBlank;
  ShowPicture();
  fehlersuche->setEnabled(false);
  AfterImport(choice);
}

void MainWindow::ShowLoadedProgram(const QString& path, const std::vector<std::string>& lines) {
  simArray->document()->setModified(false);
  ShowProgramName(path);
  ws_.mainProgramFile = NativePath(path);
  simArray->clear();
  ws_.listing.Clear();
  Import->Clear();
  importedBlocks_ = 0;
  QStringList text;
  text.reserve(static_cast<qsizetype>(lines.size()));
  for (const auto& line : lines) text << ui::ToQt(line);
  showeditor->setPlainText(text.join(QLatin1Char('\n')));
  showeditor->document()->setModified(false);
}

void MainWindow::speichernClick() { SaveAs1Click(); }

void MainWindow::SaveAs1Click() {
  SaveDialog1->setNameFilters(NameFilters(kSaveFilter));
  SaveDialog1->selectFile(FromNative(ws_.mainProgramFile));
  if (host_.Exec(*SaveDialog1) != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty()) return;
  const QString path = SaveDialog1->selectedFiles().first();
  if (!SaveEditorTo(path)) return;
  ws_.mainProgramFile = NativePath(path);
  ShowProgramName(path);
  programModified_ = 0;
}

void MainWindow::Save1Click() {
  if (ws_.mainProgramFile.empty()) {
    SaveAs1Click();
    return;
  }
  SaveEditorTo(FromNative(ws_.mainProgramFile));
}

bool MainWindow::SaveEditorTo(const QString& path) {
  std::vector<std::string> lines;
  for (const QString& line : showeditor->Lines()) lines.push_back(ui::FromQt(line));
  if (!data::SaveProgramText(NativePath(path), lines)) {
    dialogs_.Warning(data::ProgramSaveError(ui::FromQt(path)));
    return false;
  }
  showeditor->document()->setModified(false);
  return true;
}

void MainWindow::ShowProgramName(const QString& path) {
  Panel2->setText(QStringLiteral("Programm: ") + QFileInfo(path).fileName());
}

void MainWindow::EnableSimulateByLines() {
  // While a transfer runs the editor stays usable, but drawing stays off:
  // a drawing would rebuild the blocks under the transfer.
  if (commandRunning_) return;
  simuliere->setEnabled(showeditor->LineCount() > 3);
}

void MainWindow::showeditorChange() {
  programModified_ = 1;
  SetEnabled({senden, fehlersuche}, false);
  EnableSimulateByLines();
}

void MainWindow::showeditorClick() { EnableSimulateByLines(); }

void MainWindow::beendenClick() {
  if (programModified_ != 0 && !Clearload()) return;
  closeConfirmed_ = true;
  close();
  closeConfirmed_ = false;
}

bool MainWindow::FormCloseQuery() {
  // Also after an abort, until the run has actually ended.
  if (ws_.phase == data::RunPhase::kRunning || commandRunning_) return false;
  if (programModified_ == 1 && !closeConfirmed_) return Clearload();
  return true;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

void MainWindow::FormClose() { ws_.listing.Clear(); }

}  // namespace app
