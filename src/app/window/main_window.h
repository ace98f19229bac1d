// The main window "RUR": the program editor, the work-area picture, the
// command buttons and the start and end pictures. It holds the command state
// that every enabled button follows; each handler forwards to a core
// operation. Its widgets are private (their names: ui/component_names.h).
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <optional>

#include "draw/path/extent.h"
#include "draw/picture/surface.h"
#include "nc/import/gcode_import.h"
#include "ui/platform/qt_dialogs.h"
#include "window/command_state.h"
#include "workstation/workstation.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace ui {
class ModalHost;
class NcEditor;
class LineNumberDialog;
class PictureButton;
class PictureOverlay;
class ImportNotesWindow;
class TransferLogWindow;
class QtSerialLine;
class InstallationDialog;
class MessageWindow;
class ZeroPointDialog;
class ToolDialog;
class HelpWindow;
}  // namespace ui

namespace app {

class PathLink;
class ViewWindow;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // startProgram: a program file to load when the working state is first
  // entered (empty: none).
  MainWindow(ui::ModalHost& host, data::DataDirectorySource source, QString firstArgument,
             QString startProgram = QString(), QWidget* parent = nullptr);
  ~MainWindow() override;

  rur::Workstation& workstation() { return ws_; }
  bool programModified() const { return programModified_ != 0; }
  CommandState commandState() const { return state_; }
  // True while a drawing or a transfer runs.
  bool commandRunning() const { return Running(state_); }

  // What the work-area picture shows: nothing yet, the last drawing, or
  // the path a transfer sends.
  enum class PictureContent { kBlank, kDrawing, kSentPath };
  PictureContent pictureContent() const { return pictureContent_; }

  // The operator's commands, each the handler of its button or picture.
  void OnStartPicture();  // enters the working state
  void OnEndPicture();    // leaves it, after the save question
  void OnNewProgram();
  void OnLoad();
  void OnSave();  // asks for the file name
  void OnTools();
  void OnZeroPoints();
  void OnInstallation();
  void OnDraw();
  void OnSend();
  void OnAbort();
  void OnErrorSearch();
  void OnSendFrom();  // "Ab Satz senden"
  void OnTransferLog();  // shows the window "Protokoll"
  void OnClose();
  void OnEditorChanged();
  void OnEditorClicked();  // the draw command's rule is checked again
  // The window became active: the settings are read again, and the start
  // picture's hold on closing ends.
  void OnActivated();
  // Whether the window may close now (the save question may be asked).
  bool MayClose();
  // Closing is held while a drawing or transfer runs and right after the
  // start picture, until the window is next activated.
  bool ClosingHeld() const;

  // Loads a program file into the editor as "&Laden" does once its dialog
  // has named the file.
  void OpenProgram(const QString& path);

  // Opens and raises the path view "Ansicht" (F4, a double click on the
  // picture); the first time ever it docks at the right and the window
  // widens for it, or, on a screen too narrow for both, it floats.
  void OpenView();

 signals:
  // Every status text of a transfer, as it is shown (a later one replaces
  // it in the status line at once).
  void statusShown(const QString& text);
  // The picture was shown afresh: a drawing (clean: no message since it
  // started), the sent path (percentSent of it sent), or nothing.
  void drawingShown(bool clean);
  void sentPathShown(int percentSent);
  void pictureCleared();
  void commandStateChanged(app::CommandState state);

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  // Clicks on the work-area picture: a double click opens the path view, a
  // click picks the block drawn there.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateComponents();
  void CreateComponentsIn(QWidget* room);
  void CreateButtons(QWidget* room);
  void CreatePictures(QWidget* room);
  void AnchorComponents(QWidget* room);
  void CreateDialogs();
  void ConnectHandlers();
  void ConnectViewWindow();

  // The command state and what changes it; ShowCommands sets every
  // enabled flag from it.
  void SetCommandState(CommandState state);
  void ShowCommands();
  // An edited, new or loaded program is neither drawn clean nor sent.
  void ProgramChanged();
  void DrawOfferedByLines();

  void EnterWorkingState();
  // Loads the program named on the command line, the first time only.
  void OpenStartProgram();
  // The save question for a modified program; true when the program may go.
  bool AskToSaveChanges();
  void SaveAs();
  void SaveToProgramFile();  // under its name, or as SaveAs without one
  bool SaveEditorTo(const QString& path);
  void ShowProgramName(const QString& path);
  // Puts a loaded program file into the editor, not modified.
  void ShowLoadedProgram(const QString& path, const std::vector<std::string>& lines);
  void ShowStatus(const QString& text);
  void ShowWorkAreaHint(bool clean);
  void ShowPicture();
  void PickOnPicture(QPoint pixel);
  // The draw command on the editor's text; true after a clean run.
  bool DrawEditorProgram();
  // The send command from block `from` of the sent store (1: all of it).
  void Send(std::int64_t from);
  void TransferEnded();
  // Where the byte trace of a transfer goes: QVM_trace.txt in the data
  // directory, replaced by every transfer while the trace is on.
  std::string TraceFile() const;

  // Feedback around the commands (main_window_feedback.cpp): what a new
  // program, a loaded one and a drawing clear, the picture as a message
  // finds it, the program line a message names, and why closing waits.
  void ClearFeedback();
  void ClearStatus();  // back to its first text
  void ClearPicture();
  void ShowRaster();
  void FollowMessage();
  void SayWhyNotClosing();
  QString placeShown_;  // the status line's name of the last line a message named

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
  ui::MessageWindow* messageWindow_;
  ui::QtDialogs dialogs_;
  ui::QtEventPump pump_;
  rur::Workstation ws_;
  QString firstArgument_;
  QString workAreaHint_;  // the status line's hint of the last drawing, if any
  QString startProgram_;  // loaded on first entering the working state, then empty
  std::uint8_t programModified_ = 0;
  bool closeConfirmed_ = false;
  CommandState state_ = CommandState::kNotWorking;
  bool drawOffered_ = false;
  bool traceBytes_ = false;  // chosen in the port dialog, off at every start
  PictureContent pictureContent_ = PictureContent::kBlank;
  // Blocks of the last import's program in the editor (0: none); one that
  // the block store cannot hold is not drawn after the import.
  std::int64_t importedBlocks_ = 0;

  // Components, by role (their names: ui::kMainWindowNames).
  QLabel* programName_ = nullptr;
  QCheckBox* blockSkipBox_ = nullptr;
  ui::NcEditor* editor_ = nullptr;
  QPlainTextEdit* listingText_ = nullptr;
  QLabel* statusLine_ = nullptr;
  QLabel* picture_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  QLabel* transferFigures_ = nullptr;
  QPushButton* transferLogButton_ = nullptr;
  QPushButton* newButton_ = nullptr;
  QPushButton* loadButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  QPushButton* toolsButton_ = nullptr;
  QPushButton* zeroPointsButton_ = nullptr;
  QPushButton* installationButton_ = nullptr;
  QPushButton* drawButton_ = nullptr;
  QPushButton* sendButton_ = nullptr;
  QPushButton* abortButton_ = nullptr;
  QPushButton* errorSearchButton_ = nullptr;
  QPushButton* sendFromButton_ = nullptr;
  QPushButton* closeButton_ = nullptr;
  ui::PictureButton* startPicture_ = nullptr;
  ui::PictureButton* endPicture_ = nullptr;
  ui::QtSerialLine* serialLine_ = nullptr;
  ui::InstallationDialog* installationDialog_ = nullptr;
  ui::ToolDialog* toolDialog_ = nullptr;
  ui::ZeroPointDialog* zeroPointDialog_ = nullptr;
  ui::LineNumberDialog* lineNumberDialog_ = nullptr;
  ui::LineNumberDialog* sendFromDialog_ = nullptr;
  ui::ImportNotesWindow* importNotes_ = nullptr;
  ui::TransferLogWindow* transferLog_ = nullptr;
  PathLink* link_ = nullptr;  // the drawing and the editor's lines
  ViewWindow* viewWindow_ = nullptr;

  // The work area's frame and the path's box over the picture (main_window_marks.cpp).
  void ShowPictureMarks();
  ui::PictureOverlay* pictureMarks_ = nullptr;
  std::optional<draw::PixelFrame> sentPathBox_;  // measured once a transfer
  draw::PathExtent drawingExtent_;               // of the last drawing, measured once

  // Room: the window's size, place and docked view, kept per user (main_window_room.cpp).
  void RestoreRoom();
  void SaveRoom();
  void PlaceViewFirstTime();
  bool viewPlaced_ = false;  // the view was docked or floated once

  // Keys, help page, focus and title mark (main_window_keys.cpp); the file
  // dialogs, made for each use (main_window_files.cpp).
  void CreateKeys();
  void OpenHelp();
  void FocusForState(CommandState state);
  void SetProgramModified(std::uint8_t modified);  // and the title's "*"
  void ShowTitle();
  void ShowControllerName(const QString& name);
  enum class FileUse { kLoad, kSave, kFirstPart };
  // The path chosen in a program file dialog, empty when cancelled;
  // suggested: the first part's path (kFirstPart).
  QString ChooseProgramFile(FileUse use, const QString& suggested = QString());
  QString titleName_ = QStringLiteral("RUR");  // or the controller the installation dialog names
  QString fileFolder_;                         // where the next file dialog opens
  bool focusOnWork_ = false;                   // the focus was put for the working state
  QPointer<QWidget> focusBeforeRun_;           // where the focus was when a drawing or transfer began
  ui::HelpWindow* helpWindow_ = nullptr;       // made at the first F1
};

}  // namespace app
