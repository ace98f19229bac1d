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
#include "ui/component_names.h"
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

InstallationDialog::InstallationDialog(data::Settings& settings, data::DataFileLocation files, PortAccess port,
                                       ModalHost& host, QWidget* parent)
    : QDialog(parent), settings_(settings), files_(files), port_(port), host_(host) {
  setObjectName(QString::fromLatin1(kInstallationDialogNames.window));
  setWindowTitle(QStringLiteral("Installationsroutine"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(451, 275);
  CreateMenu();
  CreatePanel();
  dimensionsDialog_ = new DimensionsDialog(settings_, this);
}

void InstallationDialog::CreateMenu() {
  const InstallationDialogNames& names = kInstallationDialogNames;
  menuBar_ = Named(new QMenuBar(this), names.menuBar);
  menuBar_->setNativeMenuBar(false);
  // All six items must show in the dialog's 451 pixels: none may hide behind
  // the overflow arrow (least of all "Speichern" and "Ende").
  QFont menuFont = menuBar_->font();
  menuFont.setPixelSize(11);
  menuBar_->setFont(menuFont);
  menuBar_->setStyleSheet(
      QStringLiteral("QMenuBar { spacing: 0px; } QMenuBar::item { padding: 2px 4px; background: transparent; }"
                     " QMenuBar::item:selected { background: palette(highlight); color: palette(highlighted-text); }"));
  auto item = [this](const char* name, const char* caption, void (InstallationDialog::*handler)()) {
    QAction* action = Named(menuBar_->addAction(QString::fromLatin1(caption)), name);
    if (handler != nullptr) connect(action, &QAction::triggered, this, handler);
  };
  item(names.directoryItem, "Daten-Unterverzeichnis", &InstallationDialog::OnProgramDirectory);
  item(names.portItem, "Schnittstelle", &InstallationDialog::OnPort);
  item(names.controllerItem, "Steuerung", nullptr);
  item(names.dimensionsItem, "NullPunkt ", &InstallationDialog::OnDimensions);
  item(names.saveItem, "Speichern", &InstallationDialog::OnSave);
  item(names.endItem, "Ende", &InstallationDialog::reject);
  menuBar_->setGeometry(0, 0, width(), menuBar_->sizeHint().height());
}

void InstallationDialog::CreatePanel() {
  const InstallationDialogNames& names = kInstallationDialogNames;
  directoryPanel_ = Named(new QFrame(this), names.directoryPanel);
  directoryPanel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  directoryPanel_->setGeometry(60, 70, 331, 113);

  auto* label = Named(new QLabel(QStringLiteral("Unterverzeichnis"), directoryPanel_), names.directoryLabel);
  label->setGeometry(12, 10, 200, 18);
  directoryField_ = Named(new QLineEdit(directoryPanel_), names.directoryField);
  directoryField_->setGeometry(12, 32, 307, 24);
  directoryField_->setMaxLength(kDirectoryFieldLength);

  auto* ok = Named(new QPushButton(QStringLiteral("OK"), directoryPanel_), names.directoryOkButton);
  ok->setGeometry(12, 72, 100, 27);
  ok->setDefault(true);
  auto* cancel = Named(new QPushButton(QStringLiteral("Abbruch"), directoryPanel_), names.directoryCancelButton);
  cancel->setGeometry(219, 72, 100, 27);
  cancel->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, &InstallationDialog::OnDirectoryOk);
  connect(cancel, &QPushButton::clicked, directoryPanel_, &QWidget::hide);
  directoryPanel_->hide();
}

void InstallationDialog::done(int result) {
  port_.line.Close();
  QDialog::done(result);
}

void InstallationDialog::OnProgramDirectory() {
  const std::string& directory = settings_.programDirectory;
  directoryField_->setText(QString::fromLocal8Bit(directory.data(), static_cast<qsizetype>(directory.size())));
  directoryPanel_->show();
  directoryField_->setFocus();
}

void InstallationDialog::OnDirectoryOk() {
  settings_.programDirectory = directoryField_->text().toLocal8Bit().toStdString();
  directoryPanel_->hide();
}

void InstallationDialog::OpenPort() {
  // The port takes the parameters of the settings before it opens.
  port_.present = settings_.port;
  port_.line.Open(port_.present);
}

void InstallationDialog::OnPort() {
  OpenPort();
  PortDialog dialog(port_.present, SerialDevices(), NamedPortDevice(), this);
  if (port_.trace != nullptr) dialog.OfferTrace(*port_.trace, port_.traceFile);
  if (host_.Exec(dialog) != QDialog::Accepted) return;
  if (port_.trace != nullptr) *port_.trace = dialog.Trace();
  port_.line.Close();
  port_.present = dialog.Parameters();
  settings_.port = port_.present;
  OpenPort();
}

void InstallationDialog::OnDimensions() {
  dimensionsDialog_->PrepareToShow();
  host_.Exec(*dimensionsDialog_);
}

void InstallationDialog::OnSave() {
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

}  // namespace ui
