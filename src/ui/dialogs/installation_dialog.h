// The installation dialog "Installationsroutine": the program directory,
// the serial-port parameters, the work-area size and Z zero offset (in the
// dimensions dialog) of the settings record in memory, and saving the
// settings as those of the QVM.
#pragma once

#include <QDialog>

#include "data/data_directory.h"
#include "data/settings.h"

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenuBar;
class QPushButton;

namespace ui {

class ModalHost;
class QtSerialLine;
class TForm5;

// Longest program directory the panel's field takes.
inline constexpr int kDirectoryFieldLength = 80;

// The serial port as the dialog configures it: the line, and the
// parameters it was last configured with (the port component's present
// parameters, which are the defaults of a missing settings file).
struct PortAccess {
  QtSerialLine& line;
  data::PortParameters& present;
};

class TForm2 : public QDialog {
  Q_OBJECT
 public:
  // settings is edited in place; files.directory is where "Speichern"
  // writes, files.dialogs reports a failed write.
  TForm2(data::Settings& settings, data::DataFileLocation files, PortAccess port, ModalHost& host,
         QWidget* parent = nullptr);

  // Closing the dialog, however it happens, closes the port the dialog
  // opened, so that it does not stay taken.
  void done(int result) override;

  // Handlers, named after their components.
  void DatenUnterverzeichnis1Click();
  void BitBtn3Click();  // panel OK
  void BitBtn4Click();  // panel Abbruch
  void Schnittstelle1Click();
  void NullPunktZ1Click();
  void Speichern1Click();
  void Ende1Click();
  // Configures the port from the settings and opens it; a failure is silent.
  void OpenComPort();

  // Components (objectName = the member's name).
  QMenuBar* MainMenu1 = nullptr;
  QAction* DatenUnterverzeichnis1 = nullptr;
  QAction* Schnittstelle1 = nullptr;
  QAction* Steuerung1 = nullptr;
  QAction* NullPunktZ1 = nullptr;
  QAction* Speichern1 = nullptr;
  QAction* Ende1 = nullptr;
  QFrame* Panel1 = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QPushButton* BitBtn3 = nullptr;
  QPushButton* BitBtn4 = nullptr;
  TForm5* Form5 = nullptr;  // the dimensions dialog

 signals:
  // "Speichern" names the controller the settings now belong to; the main
  // window shows it as its caption.
  void controllerNamed(const QString& displayName);

 private:
  void CreateMenu();
  void CreatePanel();

  data::Settings& settings_;
  data::DataFileLocation files_;
  PortAccess port_;
  ModalHost& host_;
};

}  // namespace ui
