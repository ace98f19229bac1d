// The main window "RUR": the program editor, the work-area picture, the
// command buttons and the start and end pictures. It holds the editor and
// enable rules; every operation on programs, drawing and transfer is a
// core operation that a slot forwards to.
#pragma once

#include <QString>
#include <QWidget>

#include "nc/import/gcode_import.h"
#include "workstation/workstation.h"
#include "ui/platform/qt_dialogs.h"

class QCheckBox;
class QFileDialog;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace ui {
class ModalHost;
class NcEditor;
class LineNumberDialog;
class PictureButton;
class ImportNotesWindow;
class QtSerialLine;
class TForm2;
class Tform3;
class TForm4;
class Twerkzeug;
}  // namespace ui

namespace app {

class ViewWindow;

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  // startProgram: a program file to load when the working state is first
  // entered (empty: none).
  MainWindow(ui::ModalHost& host, data::DataDirectorySource source, QString firstArgument,
             QString startProgram = QString(), QWidget* parent = nullptr);
  ~MainWindow() override;

  rur::Workstation& workstation() { return ws_; }
  bool programModified() const { return programModified_ != 0; }
  // True while a drawing or a transfer runs.
  bool commandRunning() const { return commandRunning_; }

  // What the work-area picture shows: nothing yet, the last drawing, or
  // the path a transfer sends.
  enum class PictureContent { kBlank, kDrawing, kSentPath };
  PictureContent pictureContent() const { return pictureContent_; }

  // Puts a transfer's status text into the status line `meldung`.
  void ShowStatus(const QString& text);

  // Handlers, named after the components they belong to.
  void FormActivate();
  void Init_form();
  void Image1Click();
  void Image2Click();
  void neuesClick();
  void ladenClick();
  void speichernClick();
  void SaveAs1Click();
  void Save1Click();
  bool Clearload();
  void showeditorChange();
  void showeditorClick();
  void SchnittstelleClick();
  void nullpunktClick();
  void WerkzeugtasteClick();
  void beendenClick();
  bool FormCloseQuery();
  void FormClose();
  void simuliereClick();
  void AbbruchClick();
  void sendenClick();
  void fehlersucheClick();

  // Loads a program file into the editor as "&Laden" does once its dialog
  // has named the file.
  void OpenProgram(const QString& path);

  // Components (objectName = the member's name).
  ui::NcEditor* showeditor = nullptr;
  QPlainTextEdit* simArray = nullptr;
  QFrame* Panel4 = nullptr;
  QLabel* Image0 = nullptr;
  QLabel* Panel2 = nullptr;
  QFrame* Panel1 = nullptr;
  QLabel* meldung = nullptr;
  QProgressBar* OvcMeter1 = nullptr;
  QPushButton* neues = nullptr;
  QPushButton* laden = nullptr;
  QPushButton* speichern = nullptr;
  QPushButton* abbruch = nullptr;
  QPushButton* Schnittstelle = nullptr;
  QPushButton* Werkzeugtaste = nullptr;
  QPushButton* nullpunkt = nullptr;
  QPushButton* fehlersuche = nullptr;
  QPushButton* simuliere = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QPushButton* senden = nullptr;
  QPushButton* beenden = nullptr;
  ui::PictureButton* ende = nullptr;
  ui::PictureButton* Image2 = nullptr;
  QFileDialog* OpenDialog1 = nullptr;
  QFileDialog* SaveDialog1 = nullptr;
  ui::QtSerialLine* ApdComPort1 = nullptr;  // the serial port
  ui::TForm2* Form2 = nullptr;              // installation dialog
  ui::Twerkzeug* werkzeug = nullptr;        // tool table dialog
  ui::TForm4* Form4 = nullptr;              // zero-point dialog
  ui::LineNumberDialog* Eingeben = nullptr;  // the error search's input dialog
  ViewWindow* Ansicht = nullptr;             // the path view window
  ui::ImportNotesWindow* Import = nullptr;   // the notes of the last import

 signals:
  // Every status text of a transfer, as it is shown (a later one replaces
  // it in the status line at once).
  void statusShown(const QString& text);
  // The picture was shown afresh (see pictureContent()).
  void pictureShown();

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void CreateComponents();
  void CreateDialogs();
  void ConnectHandlers();
  void SetEnabled(std::initializer_list<QWidget*> widgets, bool enabled);
  void EnableSimulateByLines();
  void ShowProgramName(const QString& path);
  void ShowWorkAreaHint(bool clean);
  // Loads the program named on the command line, the first time only.
  void OpenStartProgram();
  bool SaveEditorTo(const QString& path);
  void ShowPicture();
  void TransferEnded();
  // Puts a loaded program file into the editor, not modified.
  void ShowLoadedProgram(const QString& path, const std::vector<std::string>& lines);
  // The draw command on the editor's text; true after a clean run.
  bool DrawEditorProgram();

  // The import of standard G-code on loading (main_window_import.cpp).
  enum class ImportChoice { kNotOffered, kDeclined, kRefused, kImported, kPartLoaded };
  ImportChoice OfferImport(const QString& path, const std::vector<std::string>& lines);
  void ShowImportRefusal(const nc::ImportResult& result);
  bool SplitImport(const QString& path, const nc::ImportResult& result);
  void ReplaceEditorText(const std::vector<std::string>& lines);
  // After an import: drawn once; a path outside the work area is offered
  // a shifted zero point.
  void AfterImport(ImportChoice choice);
  void OfferZeroPointShift();

  ui::ModalHost& host_;
  ui::Tform3* form3_;
  ui::QtDialogs dialogs_;
  ui::QtEventPump pump_;
  rur::Workstation ws_;
  QString firstArgument_;
  QString workAreaHint_;  // the status line's hint of the last drawing, if any
  QString startProgram_;  // loaded by the first Init_form, then empty
  std::uint8_t programModified_ = 0;
  bool closeConfirmed_ = false;
  // A drawing or a transfer runs: the window stays open, and activating it
  // does not end the run's hold on closing.
  bool commandRunning_ = false;
  PictureContent pictureContent_ = PictureContent::kBlank;
  // Blocks of the last import's program in the editor (0: none); one that
  // the block store cannot hold is not drawn after the import.
  std::int64_t importedBlocks_ = 0;
};

}  // namespace app
