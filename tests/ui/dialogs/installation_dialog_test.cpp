// The installation dialog "Installationsroutine" as the main window opens
// it: its menu, the directory panel, saving as the QVM, leaving without
// saving, a failed write, the dimensions, and the serial port it configures
// (on a pseudo-terminal) and closes again.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "data/settings.h"
#include "support/temp_dir.h"
#include "ui/dialogs/dimensions_dialog.h"
#include "ui/fake_host.h"
#include "ui/dialogs/installation_dialog.h"
#include "ui/dialogs/mask_table.h"
#include "ui/dialogs/port_dialog.h"
#include "ui/pseudo_terminal.h"
#include "ui/platform/qt_serial_line.h"
#include "window/main_window.h"
#include "workstation/state_access.h"

using testing_support::FakeHost;
using testing_support::PortVariable;
using testing_support::PseudoTerminal;
using testing_support::TempDir;

namespace {

std::string Record(const data::Settings& settings) {
  const auto bytes = data::EncodeSettings(settings);
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

class InstallationDialogTest : public QObject {
  Q_OBJECT

 private:
  struct Fixture {
    Fixture() : window(host, {"/nowhere/rur", dir.path()}, QString()) {
      for (int i = 0; i < 3; ++i) host.Answer(QMessageBox::Ok);  // no data files yet
      window.Image1Click();
      host.handlers.clear();
      host.shown.clear();
    }
    rur::Workstation& ws() { return window.workstation(); }
    // Opens the dialog from the main window with a handler working on it.
    void Installation(const std::function<void(ui::TForm2&)>& handler) {
      host.Then([handler](QDialog& d) {
        handler(static_cast<ui::TForm2&>(d));
        return d.result();
      });
      window.SchnittstelleClick();
    }
    TempDir dir;
    FakeHost host;
    app::MainWindow window;
  };

 private slots:
  // Every menu item shows in the dialog's width, none behind the overflow arrow.
  void theMenuFitsTheDialog() {
    Fixture f;
    ui::TForm2* d = f.window.Form2;
    QCOMPARE(d->MainMenu1->actions().size(), 6);
    d->show();
    for (QAction* a : d->MainMenu1->actions()) {
      const QRect place = d->MainMenu1->actionGeometry(a);
      QVERIFY2(!place.isEmpty() && place.right() < d->width(), qPrintable(a->objectName()));
    }
    d->hide();
    QVERIFY(d->Panel1->isHidden());
    QVERIFY(d->BitBtn3->isDefault());
  }

  void panelEditsTheProgramDirectory() {
    Fixture f;
    rur::StateOf(f.ws()).settings.programDirectory = "/old/";
    const QString eighty(80, QLatin1Char('d'));
    f.Installation([&](ui::TForm2& d) {
      d.DatenUnterverzeichnis1->trigger();
      QVERIFY(!d.Panel1->isHidden());
      QCOMPARE(d.Edit1->text(), QStringLiteral("/old/"));
      d.Edit1->clear();
      QTest::keyClicks(d.Edit1, eighty + QStringLiteral("xyz"));  // the field stops at 80
      d.BitBtn3->click();
      QVERIFY(d.Panel1->isHidden());
      QCOMPARE(f.ws().settings().programDirectory, eighty.toStdString());

      d.DatenUnterverzeichnis1->trigger();
      d.Edit1->setText(QStringLiteral("/other/"));
      d.BitBtn4->click();
      QVERIFY(d.Panel1->isHidden());
      QCOMPARE(f.ws().settings().programDirectory, eighty.toStdString());

      d.Steuerung1->trigger();  // does nothing
      QCOMPARE(d.result(), 0);
      d.Ende1->trigger();
    });
    QCOMPARE(f.host.shown, QStringList{"Installationsroutine"});
  }

  void saveWritesTheSettingsOfTheQvmWhateverTypeWasRead() {
    Fixture f;
    data::Settings bosch;
    bosch.controllerType = 5;
    bosch.programDirectory = "/progs/";
    f.dir.Write("QVM_ini.Dat", Record(bosch));
    f.window.FormActivate();
    QCOMPARE(int(f.ws().settings().controllerType), 5);
    f.Installation([](ui::TForm2& d) { d.Speichern1->trigger(); });
    QCOMPARE(f.window.Form2->result(), int(QDialog::Accepted));
    QCOMPARE(f.window.windowTitle(), QStringLiteral("QVM"));
    bosch.controllerType = 17;
    QCOMPARE(f.dir.Read("QVM_ini.Dat"), Record(bosch));
    QVERIFY(!f.dir.Exists("Bosc_ini.Dat"));
    QCOMPARE(f.host.shown, QStringList{"Installationsroutine"});
  }

  void endDiscardsUntilTheNextActivation() {
    Fixture f;
    f.Installation([&](ui::TForm2& d) {
      d.DatenUnterverzeichnis1->trigger();
      d.Edit1->setText(QStringLiteral("/elsewhere/"));
      d.BitBtn3->click();
      d.Ende1->trigger();
    });
    QCOMPARE(f.window.Form2->result(), int(QDialog::Rejected));
    QVERIFY(!f.dir.Exists("QVM_ini.Dat"));
    QCOMPARE(f.window.windowTitle(), QStringLiteral("RUR"));
    f.window.FormActivate();  // the file's values (here: the defaults) come back
    QVERIFY(f.ws().settings().programDirectory != "/elsewhere/");
  }

  void aFailedWriteWarnsAndKeepsTheDialogOpen() {
    Fixture f;
    QVERIFY(QDir().mkpath(QString::fromStdString(f.dir.File("QVM_ini.Dat"))));
    QSignalSpy finished(f.window.Form2, &QDialog::finished);
    int finishedAfterSave = -1;
    f.Installation([&](ui::TForm2& d) {
      d.DatenUnterverzeichnis1->trigger();
      d.Edit1->setText(QStringLiteral("/typed/"));
      d.BitBtn3->click();
      f.host.Answer(QMessageBox::Ok);
      d.Speichern1->trigger();
      finishedAfterSave = int(finished.count());
      d.Ende1->trigger();
    });
    QCOMPARE(finishedAfterSave, 0);
    QCOMPARE(f.ws().settings().programDirectory, std::string("/typed/"));
    QCOMPARE(f.host.shown,
             (QStringList{"Installationsroutine", QStringLiteral("Die Einstellungsdatei %1 konnte nicht "
                                                                  "geschrieben werden!")
                                                      .arg(QString::fromStdString(f.dir.File("QVM_ini.Dat")))}));
  }

  void dimensionsAreSavedWithTheSettings() {
    Fixture f;
    const FakeHost::Handler dimensions = [](QDialog& dialog) {
      auto& d = static_cast<ui::TForm5&>(dialog);
      const QModelIndex index = d.Tabelle->model()->index(0, 0);
      d.Tabelle->setCurrentIndex(index);
      d.Tabelle->edit(index);
      QTest::keyClicks(d.Tabelle->Editor(), QStringLiteral("500"));
      d.OKBtn->click();
      return d.result();
    };
    f.Installation([&](ui::TForm2& d) {
      f.host.Then(dimensions);
      d.NullPunktZ1->trigger();
      d.Speichern1->trigger();
    });
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.host.shown, (QStringList{"Installationsroutine", "Abmessungen"}));
    // 500 = 1.953125 * 2^8: mantissa FA00..00, exponent 3FFF + 8.
    QCOMPARE(f.dir.Read("QVM_ini.Dat").substr(296, 10), std::string("\0\0\0\0\0\0\0\xFA\x07\x40", 10));
  }

  // The port opens with the stored parameters while the dialog is up; OK
  // sets the chosen ones, a later Cancel changes nothing; the port closes
  // with the installation dialog.
  void portParametersChosenTakeEffectAndThePortClosesWithTheDialog() {
    PseudoTerminal pty;
    QVERIFY(pty.ok());
    PortVariable port(pty.slaveName());
    Fixture f;
    QList<bool> open;
    QStringList used;  // the device the dialog says a transfer uses
    speed_t speedDuring = 0;
    const auto portDialog = [&](bool ok) -> FakeHost::Handler {
      return [&, ok](QDialog& dialog) {
        auto& d = static_cast<ui::PortDialog&>(dialog);
        open << f.window.ApdComPort1->isOpen();
        used << d.Device->text();
        const termios during = pty.SlaveSettings();
        if (ok) speedDuring = cfgetospeed(&during);
        d.Baud->setCurrentIndex(d.Baud->findText(QString::fromLatin1(ok ? "19200" : "300")));
        d.Parity->setCurrentIndex(d.Parity->findText(QStringLiteral("Odd")));
        d.DataBits->setCurrentIndex(d.DataBits->findText(QStringLiteral("7")));
        d.StopBits->setCurrentIndex(d.StopBits->findText(QStringLiteral("2")));
        (ok ? d.OKBtn : d.CancelBtn)->click();
        return d.result();
      };
    };
    termios after{};
    f.Installation([&](ui::TForm2& d) {
      for (bool ok : {true, false}) {
        f.host.Then(portDialog(ok));
        d.Schnittstelle1->trigger();
        open << f.window.ApdComPort1->isOpen();
        if (ok) after = pty.SlaveSettings();
      }
      d.Ende1->trigger();
    });
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.host.shown, (QStringList{"Installationsroutine", "Com Port Options", "Com Port Options"}));
    QCOMPARE(open, (QList<bool>{true, true, true, true}));
    QVERIFY(used.size() == 2 && used[0].contains(pty.slaveName()) && used[1] == used[0]);
    QCOMPARE(speedDuring, speed_t(B9600));  // opened with the stored parameters first
    QCOMPARE(cfgetospeed(&after), speed_t(B19200));
    // (a pseudo-terminal keeps 8 data bits and shows no parity enable bit)
    QCOMPARE(after.c_cflag & (PARODD | CSTOPB), tcflag_t(PARODD | CSTOPB));
    const data::PortParameters chosen{.baud = 19200, .parity = 1, .dataBits = 7, .stopBits = 2};
    QVERIFY(f.ws().settings().port == chosen);
    QVERIFY(rur::StateOf(f.ws()).port == chosen);
    QVERIFY(!f.window.ApdComPort1->isOpen());
  }
};

QTEST_MAIN(InstallationDialogTest)
#include "installation_dialog_test.moc"
