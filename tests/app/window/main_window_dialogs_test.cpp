// The main window's dialogs as the operator meets them. The tool table and
// the zero points: editing, saving byte for byte, aborting, clearing,
// failed writes, the tool pictures and the zero points per controller
// type. The installation dialog: its menu, the directory panel, saving as
// the QVM, leaving without saving, a failed write, the dimensions, and the
// serial port it configures (on a pseudo-terminal) and closes again.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include "data/settings.h"
#include "ui/dialogs/installation_dialog.h"
#include "ui/dialogs/port_dialog.h"
#include "ui/dialogs/tool_dialog.h"
#include "ui/dialogs/zero_point_dialog.h"
#include "ui/path_view/picture_button.h"
#include "ui/platform/qt_serial_line.h"
#include "support/pseudo_terminal.h"
#include "window_fixture.h"
#include "workstation/state_access.h"

using namespace testing_support;

namespace {

// Extended values as the files hold them: 10 bytes, little-endian.
const std::string k2_5("\x00\x00\x00\x00\x00\x00\x00\xA0\x00\x40", 10);
const std::string k1_0("\x00\x00\x00\x00\x00\x00\x00\x80\xFF\x3F", 10);
const std::string k1_5("\x00\x00\x00\x00\x00\x00\x00\xC0\xFF\x3F", 10);
const std::string k3_0("\x00\x00\x00\x00\x00\x00\x00\xC0\x00\x40", 10);
const std::string k4_0("\x00\x00\x00\x00\x00\x00\x00\x80\x01\x40", 10);
const std::string k7_0("\x00\x00\x00\x00\x00\x00\x00\xE0\x01\x40", 10);
const std::string k9_0("\x00\x00\x00\x00\x00\x00\x00\x90\x02\x40", 10);
const std::string k12_5("\x00\x00\x00\x00\x00\x00\x00\xC8\x02\x40", 10);

std::string WithValueAt(std::string bytes, std::size_t offset, const std::string& value) {
  return bytes.replace(offset, value.size(), value);
}

const ui::ToolDialogNames& kTool = ui::kToolDialogNames;
const ui::ZeroPointDialogNames& kZero = ui::kZeroPointDialogNames;
const ui::InstallationDialogNames& kSetup = ui::kInstallationDialogNames;

// The table of a data dialog, a click on a button, a menu item chosen.
ui::MaskTable& Table(QDialog& d) { return Part<ui::MaskTable>(d, kTool.table); }
void Click(QDialog& d, const char* button) { Part<QPushButton>(d, button).click(); }
void Trigger(QDialog& d, const char* item) { Part<QAction>(d, item).trigger(); }
// The installation dialog's directory panel and its field.
QLineEdit& Field(QDialog& d) { return Part<QLineEdit>(d, kSetup.directoryField); }
bool PanelHidden(QDialog& d) { return Part<QWidget>(d, kSetup.directoryPanel).isHidden(); }

std::string Record(const data::Settings& settings) {
  const auto bytes = data::EncodeSettings(settings);
  return std::string(bytes.begin(), bytes.end());
}

void WriteBmp(const TempDir& dir, const char* name, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::darkGreen);
  QVERIFY(image.save(QString::fromStdString(dir.File(name)), "BMP"));
}

// The window with the dialogs opened by their buttons and a handler
// working on them.
struct DialogsFixture : WindowFixture {
  void Tools(const std::function<void(ui::ToolDialog&)>& handler) {
    host.Then(On<ui::ToolDialog>(handler));
    Press(kNames.toolsButton);
  }
  void ZeroPoints(const std::function<void(ui::ZeroPointDialog&)>& handler) {
    host.Then(On<ui::ZeroPointDialog>(handler));
    Press(kNames.zeroPointsButton);
  }
  void Installation(const std::function<void(QDialog&)>& handler) {
    host.Then(On<QDialog>(handler));
    Press(kNames.installationButton);
  }
  ui::InstallationDialog& installation() { return Get<ui::InstallationDialog>(kSetup.window); }
  bool PortOpen() { return Get<ui::QtSerialLine>(kNames.serialLine).isOpen(); }
  ui::ToolDialog& tools() { return Get<ui::ToolDialog>(kTool.window); }
  ui::ZeroPointDialog& zeroPoints() { return Get<ui::ZeroPointDialog>(kZero.window); }
  // A clean drawing, which the dialogs' changes take the send command from.
  void DrawClean() {
    Draw(QStringLiteral("%1\nN10 G01 X1 F100\nN20 X2\nN30 M30"));
    QVERIFY(Enabled(kNames.sendButton));
  }
};

}  // namespace

class MainWindowDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void toolEditIsSavedByteForByte() {
    DialogsFixture f;
    const std::string file = WithValueAt(std::string(2000, '\0'), 0, k9_0);  // tool 0: never shown
    f.dir.Write("QVM_wkz.dat", file);
    f.Start();
    QCOMPARE(Table(f.tools()).model()->rowCount(), 99);
    QCOMPARE(CellText(Table(f.tools()), 98, 0), QStringLiteral("99"));
    f.DrawClean();
    int toolAfterEnter = 0;
    f.Tools([&](ui::ToolDialog& d) {
      TypeIntoCell(Table(d), 6, 2, QStringLiteral("2.5"));
      toolAfterEnter = d.CurrentToolRow();
      Click(d, kTool.saveButton);
    });
    QCOMPARE(toolAfterEnter, 8);
    QCOMPARE(f.dir.Read("QVM_wkz.dat"), WithValueAt(file, 7 * 20 + 10, k2_5));
    QCOMPARE(rur::StateOf(f.ws()).tools[7].radiusCorrection, 2.5L);
    QCOMPARE(CellText(Table(f.tools()), 0, 1), QStringLiteral("0.000"));  // row 1 is tool 1
    QVERIFY(!f.Enabled(kNames.sendButton));
    QCOMPARE(f.host.shown, QStringList{"Werkzeugdaten"});
  }

  // Aborted edits give way to the file; "&Initial." clears every tool,
  // also the one being edited.
  void abortedToolEditsGiveWayToTheFileAndInitialClearsAll() {
    DialogsFixture f;
    f.dir.Write("QVM_wkz.dat", WithValueAt(std::string(2000, '\0'), 7 * 20 + 10, k1_0));
    f.Start();
    f.Tools([](ui::ToolDialog& d) {
      TypeIntoCell(Table(d), 6, 2, QStringLiteral("2.5"));
      TypeIntoCell(Table(d), 40, 1, QStringLiteral("4"));
      Click(d, kTool.cancelButton);
    });
    QCOMPARE(rur::StateOf(f.ws()).tools[7].radiusCorrection, 1.0L);
    QCOMPARE(rur::StateOf(f.ws()).tools[41].lengthCorrection, 0.0L);
    f.Tools([](ui::ToolDialog&) {});
    QCOMPARE(CellText(Table(f.tools()), 6, 2), QStringLiteral("1.000"));
    QCOMPARE(f.tools().CurrentToolRow(), 1);
    QCOMPARE(Table(f.tools()).currentIndex().row(), 0);

    std::string file(2000, '\0');
    for (std::size_t at = 0; at < file.size(); at += 10) file.replace(at, 10, k3_0);
    f.dir.Write("QVM_wkz.dat", file);
    f.Tools([](ui::ToolDialog& d) {
      QTest::keyClicks(OpenCell(Table(d), 2, 1), QStringLiteral("5"));  // not committed
      Click(d, kTool.clearButton);
      Click(d, kTool.saveButton);
    });
    QCOMPARE(f.dir.Read("QVM_wkz.dat"), std::string(2000, '\0'));
  }

  // Each dialog stays open after a failed write, and typed values stay.
  void failedWritesShowTheBoxAndKeepTheDialogsOpen() {
    DialogsFixture f;
    f.Start();
    for (const char* file : {"QVM_wkz.dat", "Npv_QVM.dat", "QVM_ini.Dat"}) {
      QVERIFY(QDir().mkpath(QString::fromStdString(f.dir.File(file))));
    }
    QSignalSpy toolsAccepted(&f.tools(), &QDialog::accepted);
    QSignalSpy zeroAccepted(&f.zeroPoints(), &QDialog::accepted);
    f.Tools([&](ui::ToolDialog& d) {
      f.host.Answer(QMessageBox::Ok);
      Click(d, kTool.saveButton);
    });
    f.ZeroPoints([&](ui::ZeroPointDialog& d) {
      f.host.Answer(QMessageBox::Ok);
      Click(d, kZero.saveButton);
    });
    QSignalSpy finished(&f.installation(), &QDialog::finished);
    int finishedAfterSave = -1;
    f.Installation([&](QDialog& d) {
      Trigger(d, kSetup.directoryItem);
      Field(d).setText(QStringLiteral("/typed/"));
      Click(d, kSetup.directoryOkButton);
      f.host.Answer(QMessageBox::Ok);
      Trigger(d, kSetup.saveItem);
      finishedAfterSave = int(finished.count());
      Trigger(d, kSetup.endItem);
    });
    QCOMPARE(toolsAccepted.count() + zeroAccepted.count() + finishedAfterSave, 0);
    QCOMPARE(f.ws().settings().programDirectory, std::string("/typed/"));
    QCOMPARE(f.host.shown, (QStringList{"Werkzeugdaten", "Fehler beim schreiben der Werzeugdaten!",
                                        "Nullpunktverschiebungen",
                                        "Fehler beim schreiben der Nullpunktverschiebungen!\n\rDie Datei wurde "
                                        "nicht geschrieben.",
                                        "Installationsroutine",
                                        QStringLiteral("Die Einstellungsdatei %1 konnte nicht geschrieben werden!")
                                            .arg(QString::fromStdString(f.dir.File("QVM_ini.Dat")))}));
  }

  void toolPictureOrFallbackOrAnExplanationIsShown() {
    DialogsFixture f;
    WriteBmp(f.dir, "wform_7.bmp", {20, 10});
    f.dir.Write("WForm_2.Bmp", "");
    f.dir.Write("WForm_3.Bmp", std::string("BM\x36\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00"
                                           "\xff\xff\xff\x7f\xff\xff\xff\x7f\x01\x00\x18\x00",
                                           30));
    f.Start();
    QStringList texts;
    QList<QSize> pictures;
    auto show = [&](ui::ToolDialog& d, int tool) {
      Table(d).setCurrentIndex(Table(d).model()->index(tool - 1, 1));
      Click(d, kTool.showPictureButton);
      const auto& picture = Part<ui::PictureButton>(d, kTool.picture);
      texts << (picture.isHidden() ? QStringLiteral("hidden") : picture.text());
      pictures << picture.pixmap().size();
    };
    f.Tools([&](ui::ToolDialog& d) {
      for (int tool : {7, 1, 2, 3}) show(d, tool);
    });
    WriteBmp(f.dir, "NoPic.Bmp", {30, 30});
    f.Tools([&](ui::ToolDialog& d) {
      show(d, 8);
      auto& picture = Part<ui::PictureButton>(d, kTool.picture);
      QTest::mouseClick(&picture, Qt::LeftButton);
      texts << (picture.isHidden() ? QStringLiteral("hidden") : QStringLiteral("shown"));
    });
    QCOMPARE(texts, (QStringList{"", "Kein Bild vorhanden:\nWForm_1.Bmp und NoPic.Bmp fehlen",
                                 "Bild nicht lesbar:\nWForm_2.Bmp", "Bild nicht lesbar:\nWForm_3.Bmp", "", "hidden"}));
    QCOMPARE(pictures, (QList<QSize>{{20, 10}, {0, 0}, {0, 0}, {0, 0}, {30, 30}}));
  }

  // Edits reach the interpreter's table on "&Abbruch" too, and take the
  // send command; the default type edits G54 to G57 and writes G58 back;
  // "&Initialisir." clears the hidden G58 as well.
  void zeroPointsShowTheFileAndWriteG58Back() {
    DialogsFixture f;
    std::string file = WithValueAt(std::string(150, '\0'), 60, k12_5);  // G55 Y
    for (std::size_t g58 : {40, 90, 140}) file = WithValueAt(file, g58, k3_0);
    f.dir.Write("Npv_QVM.dat", file);
    f.Start();
    QCOMPARE(int(f.ws().settings().controllerType), 17);
    QCOMPARE(CellText(Table(f.zeroPoints()), 1, 1), QStringLiteral("12.500"));
    f.DrawClean();
    bool editingAtOnce = false;
    f.ZeroPoints([&](ui::ZeroPointDialog& d) {
      editingAtOnce = Table(d).Editor() != nullptr;
      TypeIntoCell(Table(d), 0, 0, QStringLiteral("7"));
      QTest::keyClicks(OpenCell(Table(d), 0, 1), QStringLiteral("4"));  // G54 Y, left open
      Click(d, kZero.cancelButton);
    });
    QVERIFY(editingAtOnce);
    QCOMPARE(f.ws().zeroPointTable()[1].y, 12.5L);
    QCOMPARE(f.ws().zeroPointTable()[0].x, 7.0L);
    QCOMPARE(f.ws().zeroPointTable()[0].y, 4.0L);
    QCOMPARE(f.dir.Read("Npv_QVM.dat"), file);
    QVERIFY(!f.Enabled(kNames.sendButton));

    f.ZeroPoints([](ui::ZeroPointDialog& d) {
      TypeIntoCell(Table(d), 3, 2, QStringLiteral("1.5"));  // G57 Z
      Click(d, kZero.saveButton);
    });
    QCOMPARE(Table(f.zeroPoints()).model()->rowCount(), 4);
    QVERIFY(Part<QLabel>(f.zeroPoints(), "G57").isEnabled());
    QVERIFY(!Part<QLabel>(f.zeroPoints(), "G58").isEnabled());
    QCOMPARE(f.dir.Read("Npv_QVM.dat"), WithValueAt(WithValueAt(WithValueAt(file, 130, k1_5), 0, k7_0), 50, k4_0));
    // "&Initialisir." asks first: No leaves every value, Yes clears all five.
    for (const bool yes : {false, true}) {
      f.host.Then(On<ui::ZeroPointDialog>([](ui::ZeroPointDialog& d) {
        Click(d, kZero.clearButton);
        Click(d, kZero.cancelButton);
      }));
      f.host.Answer(yes ? QMessageBox::Yes : QMessageBox::No);
      f.Press(kNames.zeroPointsButton);
      QCOMPARE(f.host.unexpected, 0);
      QCOMPARE(f.host.shown.last(), QStringLiteral("Alle Nullpunktverschiebungen G54 bis G58 werden auf NULL gesetzt."
                                                   "\n\nWirklich initialisieren?"));
      QCOMPARE(f.ws().zeroPointTable()[1].y, yes ? 0.0L : 12.5L);
      QCOMPARE(f.ws().zeroPointTable()[4].z, yes ? 0.0L : 3.0L);
      QCOMPARE(CellText(Table(f.zeroPoints()), 0, 0), yes ? QStringLiteral("0.000") : QStringLiteral("7.000"));
    }
  }

  // None for type 3; type 13 keeps all five.
  void zeroPointRowsFollowTheControllerType() {
    DialogsFixture f;
    f.Start();
    rur::StateOf(f.ws()).settings.controllerType = 3;
    rur::StateOf(f.ws()).zeroPointRecord.At(data::Axis::X, 0) = 1.0L;
    bool editorOpened = true;
    f.ZeroPoints([&](ui::ZeroPointDialog& d) {
      QTest::keyClicks(&Table(d), QStringLiteral("5"));
      editorOpened = Table(d).Editor() != nullptr;
      Click(d, kZero.saveButton);
    });
    QVERIFY(!editorOpened);
    QCOMPARE(Table(f.zeroPoints()).model()->rowCount(), 0);
    for (const char* label : kZero.rowLabels) QVERIFY(!Part<QLabel>(f.zeroPoints(), label).isEnabled());
    QCOMPARE(f.dir.Read("Npv_Num.dat"), WithValueAt(std::string(150, '\0'), 0, k1_0));

    DialogsFixture g;
    g.Start();
    rur::StateOf(g.ws()).settings.controllerType = 13;
    g.ZeroPoints([](ui::ZeroPointDialog&) {});
    QCOMPARE(Table(g.zeroPoints()).model()->rowCount(), 5);
    QVERIFY(Part<QLabel>(g.zeroPoints(), "G58").isEnabled());
  }

  // Every menu item shows in the dialog's width, none behind the overflow
  // arrow. The panel edits the program directory (80 characters at most).
  void theInstallationMenuFitsAndThePanelEditsTheDirectory() {
    DialogsFixture f;
    f.Start();
    ui::InstallationDialog& dialog = f.installation();
    auto& menu = Part<QMenuBar>(dialog, kSetup.menuBar);
    QCOMPARE(menu.actions().size(), 6);
    dialog.show();
    for (QAction* a : menu.actions()) {
      const QRect place = menu.actionGeometry(a);
      QVERIFY2(!place.isEmpty() && place.right() < dialog.width(), qPrintable(a->objectName()));
    }
    dialog.hide();
    QVERIFY(PanelHidden(dialog));
    QVERIFY(Part<QPushButton>(dialog, kSetup.directoryOkButton).isDefault());

    rur::StateOf(f.ws()).settings.programDirectory = "/old/";
    const QString eighty(80, QLatin1Char('d'));
    f.Installation([&](QDialog& d) {
      Trigger(d, kSetup.directoryItem);
      QVERIFY(!PanelHidden(d));
      QCOMPARE(Field(d).text(), QStringLiteral("/old/"));
      Field(d).clear();
      QTest::keyClicks(&Field(d), eighty + QStringLiteral("xyz"));  // the field stops at 80
      Click(d, kSetup.directoryOkButton);
      QVERIFY(PanelHidden(d));
      QCOMPARE(f.ws().settings().programDirectory, eighty.toStdString());

      Trigger(d, kSetup.directoryItem);
      Field(d).setText(QStringLiteral("/other/"));
      Click(d, kSetup.directoryCancelButton);
      QVERIFY(PanelHidden(d));
      QCOMPARE(f.ws().settings().programDirectory, eighty.toStdString());

      Trigger(d, kSetup.controllerItem);  // does nothing
      QCOMPARE(d.result(), 0);
      Trigger(d, kSetup.endItem);
    });
    QCOMPARE(f.host.shown, QStringList{"Installationsroutine"});
  }

  // "Ende" discards until the next activation; "Speichern" writes the
  // settings as those of the QVM, whatever type was read.
  void installationEndDiscardsAndSaveWritesTheQvm() {
    DialogsFixture f;
    f.Start();
    f.Installation([&](QDialog& d) {
      Trigger(d, kSetup.directoryItem);
      Field(d).setText(QStringLiteral("/elsewhere/"));
      Click(d, kSetup.directoryOkButton);
      Trigger(d, kSetup.endItem);
    });
    QCOMPARE(f.installation().result(), int(QDialog::Rejected));
    QVERIFY(!f.dir.Exists("QVM_ini.Dat"));
    QCOMPARE(f.window.windowTitle(), QStringLiteral("RUR"));
    f.window.OnActivated();  // the file's values (here: the defaults) come back
    QVERIFY(f.ws().settings().programDirectory != "/elsewhere/");

    data::Settings bosch;
    bosch.controllerType = 5;
    bosch.programDirectory = "/progs/";
    f.dir.Write("QVM_ini.Dat", Record(bosch));
    f.window.OnActivated();
    QCOMPARE(int(f.ws().settings().controllerType), 5);
    f.Installation([](QDialog& d) { Trigger(d, kSetup.saveItem); });
    QCOMPARE(f.installation().result(), int(QDialog::Accepted));
    QCOMPARE(f.window.windowTitle(), QStringLiteral("QVM"));
    bosch.controllerType = 17;
    QCOMPARE(f.dir.Read("QVM_ini.Dat"), Record(bosch));
    QVERIFY(!f.dir.Exists("Bosc_ini.Dat"));
    QCOMPARE(f.host.shown, (QStringList{"Installationsroutine", "Installationsroutine"}));
  }

  void dimensionsAreSavedWithTheSettings() {
    DialogsFixture f;
    f.Start();
    const FakeHost::Handler dimensions = On<QDialog>([](QDialog& d) {
      TypeIntoCell(Table(d), 0, 0, QStringLiteral("500"), false);  // OK commits it
      Click(d, ui::kDimensionsDialogNames.okButton);
    });
    f.Installation([&](QDialog& d) {
      f.host.Then(dimensions);
      Trigger(d, kSetup.dimensionsItem);
      Trigger(d, kSetup.saveItem);
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
    PortVariable port(pty.slavePath());
    DialogsFixture f;
    f.Start();
    QList<bool> open;
    QStringList used;  // the device the dialog says a transfer uses
    speed_t speedDuring = 0;
    const auto portDialog = [&](bool ok) -> FakeHost::Handler {
      return On<QDialog>([&, ok](QDialog& d) {
        const ui::PortDialogNames& names = ui::kPortDialogNames;
        open << f.PortOpen();
        used << Part<QLabel>(d, names.device).text();
        const termios during = pty.SlaveSettings();
        if (ok) speedDuring = cfgetospeed(&during);
        const auto choose = [&d](const char* box, const char* text) {
          auto& combo = Part<QComboBox>(d, box);
          combo.setCurrentIndex(combo.findText(QString::fromLatin1(text)));
        };
        choose(names.baud, ok ? "19200" : "300");
        choose(names.parity, "Odd");
        choose(names.dataBits, "7");
        choose(names.stopBits, "2");
        Click(d, ok ? names.okButton : names.cancelButton);
      });
    };
    termios after{};
    f.Installation([&](QDialog& d) {
      for (bool ok : {true, false}) {
        f.host.Then(portDialog(ok));
        Trigger(d, kSetup.portItem);
        open << f.PortOpen();
        if (ok) after = pty.SlaveSettings();
      }
      Trigger(d, kSetup.endItem);
    });
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.host.shown, (QStringList{"Installationsroutine", "Com Port Options", "Com Port Options"}));
    QCOMPARE(open, (QList<bool>{true, true, true, true}));
    QVERIFY(used.size() == 2 && used[0].contains(QString::fromStdString(pty.slavePath())) && used[1] == used[0]);
    QCOMPARE(speedDuring, speed_t(B9600));  // opened with the stored parameters first
    QCOMPARE(cfgetospeed(&after), speed_t(B19200));
    // (a pseudo-terminal keeps 8 data bits and shows no parity enable bit)
    QCOMPARE(after.c_cflag & (PARODD | CSTOPB), tcflag_t(PARODD | CSTOPB));
    const data::PortParameters chosen{.baud = 19200, .parity = 1, .dataBits = 7, .stopBits = 2};
    QVERIFY(f.ws().settings().port == chosen);
    QVERIFY(rur::StateOf(f.ws()).port == chosen);
    QVERIFY(!f.PortOpen());
  }
};

RUR_WINDOW_TEST_MAIN(MainWindowDialogsTest)
#include "main_window_dialogs_test.moc"
