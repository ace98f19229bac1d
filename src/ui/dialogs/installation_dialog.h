// The installation dialog "Installationsroutine": the program directory,
// the serial-port parameters, the work-area size and Z zero offset (in the
// dimensions dialog) of the settings record in memory, and saving the
// settings as those of the QVM.
#pragma once

#include <QDialog>
#include <QString>

#include "data/data_directory.h"
#include "data/settings.h"

class QFrame;
class QLineEdit;
class QMenuBar;

namespace ui {

class ModalHost;
class QtSerialLine;
class DimensionsDialog;

// Longest program directory the panel's field takes.
inline constexpr int kDirectoryFieldLength = 80;

// The serial port as the dialog configures it: the line, and the
// parameters it was last configured with (the port component's present
// parameters, which are the defaults of a missing settings file).
struct PortAccess {
  QtSerialLine& line;
  data::PortParameters& present;
  // Whether transfers keep a byte trace, and its file; null: not offered.
  bool* trace = nullptr;
  QString traceFile = {};
};

class InstallationDialog : public QDialog {
  Q_OBJECT
 public:
  // settings is edited in place; files.directory is where "Speichern"
  // writes, files.dialogs reports a failed write.
  InstallationDialog(data::Settings& settings, data::DataFileLocation files, PortAccess port, ModalHost& host,
                     QWidget* parent = nullptr);

  // Closing the dialog, however it happens, closes the port the dialog
  // opened, so that it does not stay taken.
  void done(int result) override;

 signals:
  // "Speichern" names the controller the settings now belong to; the main
  // window shows it as its caption.
  void controllerNamed(const QString& displayName);

 private:
  void CreateMenu();
  void CreatePanel();
  // The menu's items and the directory panel's buttons.
  void OnProgramDirectory();
  void OnDirectoryOk();
  void OnPort();
  void OnDimensions();
  void OnSave();
  // Configures the port from the settings and opens it; a failure is silent.
  void OpenPort();

  data::Settings& settings_;
  data::DataFileLocation files_;
  PortAccess port_;
  ModalHost& host_;
  QMenuBar* menuBar_ = nullptr;
  QFrame* directoryPanel_ = nullptr;
  QLineEdit* directoryField_ = nullptr;
  DimensionsDialog* dimensionsDialog_ = nullptr;
};

}  // namespace ui
