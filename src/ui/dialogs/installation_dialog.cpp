#include "ui/dialogs/installation_dialog.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QFont>
#include <QMenuBar>
#include <QPushButton>

#include "data/controllers.h"
#include "data/files.h"
#include "ui/dialogs/dimensions_dialog.h"
#include "ui/platform/modal_host.h"
#include "ui/dialogs/port_dialog.h"
#include "ui/platform/qt_serial_line.h"
#include "ui/platform/qt_text.h"

namespace ui {
namespace {

// Texts shown to the operator are Windows-1252; paths are in the file
// system's encoding.
std::string Shown(const std::string& nativePath) {
  return FromQt(QString::fromLocal8Bit(nativePath.data(), static_cast<qsizetype>(nativePath.size())));
}

}  // namespace

TForm2::TForm2(data::Settings& settings, data::DataFileLocation files, PortAccess port, ModalHost& host,
               QWidget* parent)
    : QDialog(parent), settings_(settings), files_(files), port_(port), host_(host) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("Installationsroutine"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(451, 275);
  CreateMenu();
  CreatePanel();
  Form5 = new TForm5(settings_, this);
}

void TForm2::CreateMenu() {
  MainMenu1 = new QMenuBar(this);
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  MainMenu1->setNativeMenuBar(false);
  // All six items must show in the dialog's 451 pixels: none may hide behind
  // the overflow arrow (least of all "Speichern" and "Ende").
  QFont menuFont = MainMenu1->font();
  menuFont.setPixelSize(11);
  MainMenu1->setFont(menuFont);
  MainMenu1->setStyleSheet(
      QStringLiteral("QMenuBar { spacing: 0px; } QMenuBar::item { padding: 2px 4px; background: transparent; }"
                     " QMenuBar::item:selected { background: palette(highlight); color: palette(highlighted-text); }"));
  auto item = [this](const char* name, const char* caption, void (TForm2::*handler)()) {
    QAction* action = MainMenu1->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    if (handler != nullptr) connect(action, &QAction::triggered, this, handler);
    return action;
  };
  DatenUnterverzeichnis1 = item("DatenUnterverzeichnis1", "Daten-Unterverzeichnis", &TForm2::DatenUnterverzeichnis1Click);
  Schnittstelle1 = item("Schnittstelle1", "Schnittstelle", &TForm2::Schnittstelle1Click);
  Steuerung1 = item("Steuerung1", "Steuerung", nullptr);
  NullPunktZ1 = item("NullPunktZ1", "NullPunkt ", &TForm2::NullPunktZ1Click);
  Speichern1 = item("Speichern1", "Speichern", &TForm2::Speichern1Click);
  Ende1 = item("Ende1", "Ende", &TForm2::Ende1Click);
  MainMenu1->setGeometry(0, 0, width(), MainMenu1->sizeHint().height());
}

void TForm2::CreatePanel() {
  Panel1 = new QFrame(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setGeometry(60, 70, 331, 113);

  Label1 = new QLabel(QStringLiteral("Unterverzeichnis"), Panel1);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(12, 10, 200, 18);
  Edit1 = new QLineEdit(Panel1);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setGeometry(12, 32, 307, 24);
  Edit1->setMaxLength(kDirectoryFieldLength);

  BitBtn3 = new QPushButton(QStringLiteral("OK"), Panel1);
  BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
  BitBtn3->setGeometry(12, 72, 100, 27);
  BitBtn3->setDefault(true);
  BitBtn4 = new QPushButton(QStringLiteral("Abbruch"), Panel1);
  BitBtn4->setObjectName(QStringLiteral("BitBtn4"));
  BitBtn4->setGeometry(219, 72, 100, 27);
  BitBtn4->setAutoDefault(false);
  connect(BitBtn3, &QPushButton::clicked, this, &TForm2::BitBtn3Click);
  connect(BitBtn4, &QPushButton::clicked, this, &TForm2::BitBtn4Click);
  Panel1->hide();
}

void TForm2::done(int result) {
  port_.line.Close();
  QDialog::done(result);
}

void TForm2::DatenUnterverzeichnis1Click() {
  const std::string& directory = settings_.programDirectory;
  Edit1->setText(QString::fromLocal8Bit(directory.data(), static_cast<qsizetype>(directory.size())));
  Panel1->show();
  Edit1->setFocus();
}

void TForm2::BitBtn3Click() {
  settings_.programDirectory = Edit1->text().toLocal8Bit().toStdString();
  Panel1->hide();
}

void TForm2::BitBtn4Click() { Panel1->hide(); }

void TForm2::OpenComPort() {
  // The port takes the parameters of the settings before it opens.
  port_.present = settings_.port;
  port_.line.Open(port_.present);
}

void TForm2::Schnittstelle1Click() {
  OpenComPort();
  PortDialog dialog(port_.present, SerialDevices(), NamedPortDevice(), this);
  if (host_.Exec(dialog) != QDialog::Accepted) return;
  port_.line.Close();
  port_.present = dialog.Parameters();
  settings_.port = port_.present;
  OpenComPort();
}

void TForm2::NullPunktZ1Click() {
  Form5->FormActivate();
  host_.Exec(*Form5);
}

void TForm2::Speichern1Click() {
  settings_.controllerType = data::kDefaultControllerType;
  emit controllerNamed(ToQt(data::ControllerDisplayName(settings_.controllerType)));
  if (!data::WriteSettings(settings_, files_.directory)) {
    // Nothing typed is lost: the dialog stays open for another try.
    const std::string file = data::PathForWriting(files_.directory, data::SettingsFileName(settings_.controllerType));
    files_.dialogs.Warning("Die Einstellungsdatei " + Shown(file) + " konnte nicht geschrieben werden!");
    return;
  }
  accept();
}

void TForm2::Ende1Click() { reject(); }

}  // namespace ui
