// The main window under offscreen Qt: states, enable rules, the editor,
// loading, saving and the save question, closing.
#include <QApplication>
#include <QCheckBox>
#include <QProgressBar>
#include <QKeyEvent>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <QImage>

#include "support/temp_dir.h"
#include "ui/fake_host.h"
#include "ui/editor/nc_editor.h"
#include "ui/path_view/picture_button.h"
#include "window/main_window.h"

using testing_support::FakeHost;
using testing_support::TempDir;

namespace {

FakeHost::Handler ChooseFile(const QString& path) {
  return [path](QDialog& dialog) {
    static_cast<QFileDialog&>(dialog).selectFile(path);
    return int(QDialog::Accepted);
  };
}

// Types text as key presses (QTest::keyClicks takes Latin-1 letters only).
void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(widget, &press);
  }
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  struct Fixture {
    explicit Fixture(const QString& argument = QString())
        : window(host, {"/nowhere/rur", dir.path()}, argument) {}
    // Enters the working state, answering the three start-up warnings.
    void Start() {
      for (int i = 0; i < 3; ++i) host.Answer(QMessageBox::Ok);
      window.Image1Click();
    }
    TempDir dir;
    FakeHost host;
    app::MainWindow window;
  };

  static QStringList EnabledCommands(app::MainWindow& w) {
    QStringList on;
    for (QWidget* b : std::initializer_list<QWidget*>{
             w.neues, w.laden, w.speichern, w.abbruch, w.Schnittstelle, w.Werkzeugtaste, w.nullpunkt,
             w.fehlersuche, w.simuliere, w.senden, w.beenden, w.showeditor, w.CheckBox1}) {
      if (b->isEnabled()) on << b->objectName();
    }
    return on;
  }

 private slots:
  void idleStateOffersOnlyStartAndClose() {
    Fixture f;
    QCOMPARE(EnabledCommands(f.window), QStringList{"beenden"});
    QVERIFY(f.window.Image2->isHidden());
    QVERIFY(!f.window.ende->isHidden());
  }

  void startPictureEntersWorkingStateWithWarnings() {
    Fixture f;
    f.Start();
    QCOMPARE(f.host.shown, (QStringList{"Initialisierungsdatei nicht vorhanden oder defekt!",
                                        "Nullpunktverschiebungsdatei nicht vorhanden!\n\rBitte NPV-Datei erstellen! ",
                                        "Werkzeugdatei nicht vorhanden!\n\rBitte WKZ-Datei erstellen!"}));
    QCOMPARE(EnabledCommands(f.window),
             (QStringList{"neues", "laden", "speichern", "abbruch", "Schnittstelle", "Werkzeugtaste", "nullpunkt",
                          "showeditor", "CheckBox1"}));
    QVERIFY(f.window.ende->isHidden());
    QVERIFY(!f.window.Image2->isHidden());
    QCOMPARE(f.window.workstation().phase(), data::RunPhase::kRunning);  // closing refused
  }

  void workingStateLoadsTheDescriptionFiles() {
    Fixture f;
    f.dir.Write("M_QVM.DAT", "3,S\r\n");
    f.dir.Write("G_QVM.DAT", "X9,Q\r\n");
    f.dir.Write("A_QVM.DAT", "F,V\r\n");
    f.host.Answer(QMessageBox::Ok);
    f.Start();
    QCOMPARE(f.host.shown.last(), QStringLiteral("Datei für G-, M- oder allg. Beschreibung nicht brauchbar"));
    QCOMPARE(f.window.workstation().descriptions().m[1].number, std::uint8_t{0});
    f.dir.Write("G_QVM.DAT", "1,B\r\n");
    f.Start();
    QCOMPARE(f.window.workstation().descriptions().m[1].number, std::uint8_t{3});
    QCOMPARE(f.host.unexpected, 0);
  }

  void closingIsRefusedUntilTheWindowIsActivatedAgain() {
    Fixture f;
    f.Start();
    QVERIFY(!f.window.FormCloseQuery());
    QVERIFY(!f.window.close());
    f.window.FormActivate();
    QVERIFY(f.window.FormCloseQuery());
    QCOMPARE(f.host.unexpected, 0);
  }

  void editorUpperCasesTypedLetters() {
    Fixture f;
    f.Start();
    Type(f.window.showeditor, QStringLiteral("g01 xä5"));
    QCOMPARE(f.window.showeditor->toPlainText(), QStringLiteral("G01 Xä5"));
    QVERIFY(f.window.programModified());
  }

  void drawCommandNeedsFourEditorLines() {
    Fixture f;
    f.Start();
    f.window.showeditor->setPlainText(QStringLiteral("%1\nN10 G01 X1"));
    QVERIFY(!f.window.simuliere->isEnabled());
    f.window.showeditorClick();
    QVERIFY(!f.window.simuliere->isEnabled());
    f.window.showeditor->setPlainText(QStringLiteral("%1\nN10\nN20\nN30"));
    QVERIFY(f.window.simuliere->isEnabled());
    QVERIFY(!f.window.senden->isEnabled());
  }

  void unreadableProgramIsReportedAndEditorKept() {
    Fixture f;
    f.Start();
    f.window.showeditor->setPlainText(QStringLiteral("KEEP"));
    f.window.FormActivate();
    f.dir.Write("bin", std::string("%1\0\0", 4));
    const QString path = QString::fromStdString(f.dir.File("bin"));
    f.host.Answer(QMessageBox::No);  // do not save the edited text
    f.host.Then(ChooseFile(path));
    f.host.Answer(QMessageBox::Ok);
    f.window.ladenClick();
    QCOMPARE(f.host.shown.last(), QStringLiteral("Programm ") + path + QStringLiteral(" ist keine Textdatei!"));
    QCOMPARE(f.window.showeditor->toPlainText(), QStringLiteral("KEEP"));
  }

  void saveQuestionCancelKeepsEverything() {
    Fixture f;
    f.Start();
    f.dir.Write("%5", "%5\r\n");
    f.host.Then(ChooseFile(QString::fromStdString(f.dir.File("%5"))));
    f.window.ladenClick();
    QTest::keyClicks(f.window.showeditor, QStringLiteral("n"));
    f.host.Answer(QMessageBox::Cancel);
    f.window.neuesClick();
    QCOMPARE(f.host.shown.last(),
             QStringLiteral("Programm Editor ") + QString::fromStdString(f.dir.File("%5")) +
                 QStringLiteral(" wurde modifiziert. Sichern?"));
    QVERIFY(f.window.showeditor->toPlainText().startsWith(QStringLiteral("N")));
    QCOMPARE(f.window.workstation().mainProgramFile(), f.dir.File("%5"));
    // The end picture asks too; Cancel keeps the working state.
    f.host.Answer(QMessageBox::Cancel);
    f.window.Image2Click();
    QVERIFY(!f.window.Image2->isHidden());
    QVERIFY(f.window.laden->isEnabled());
  }

  void saveQuestionNoDiscardsAndYesSaves() {
    Fixture f;
    f.Start();
    QTest::keyClicks(f.window.showeditor, QStringLiteral("%9"));
    f.host.Answer(QMessageBox::No);
    f.window.neuesClick();
    QCOMPARE(f.window.showeditor->toPlainText(), QString());
    QVERIFY(!f.window.programModified());
    QCOMPARE(f.window.Panel2->text(), QStringLiteral("Programm: "));

    QTest::keyClicks(f.window.showeditor, QStringLiteral("%9"));
    f.host.Answer(QMessageBox::Yes);
    f.host.Then(ChooseFile(QString::fromStdString(f.dir.File("%9"))));
    f.window.Image2Click();
    QCOMPARE(f.dir.Read("%9"), std::string("%9\r\n"));
    QVERIFY(f.window.Image2->isHidden());
    QCOMPARE(EnabledCommands(f.window), QStringList{"beenden"});
  }

  void failedSaveKeepsOldFileAndTheModifiedMark() {
    Fixture f;
    f.Start();
    QTest::keyClicks(f.window.showeditor, QStringLiteral("%3"));
    const QString target = QString::fromStdString(f.dir.File("sub"));
    QDir().mkpath(target);  // a folder cannot be replaced by a program
    f.host.Then(ChooseFile(target));
    f.host.Answer(QMessageBox::Ok);
    f.window.speichernClick();
    QVERIFY(f.host.shown.last().contains(QStringLiteral("kann nicht gespeichert werden")));
    QVERIFY(f.window.programModified());
    QCOMPARE(f.window.workstation().mainProgramFile(), std::string());
    // Yes to the save question with a failing save does not let the program go.
    f.host.Answer(QMessageBox::Yes);
    f.host.Then(ChooseFile(target));
    f.host.Answer(QMessageBox::Ok);
    f.window.neuesClick();
    QCOMPARE(f.window.showeditor->toPlainText(), QStringLiteral("%3"));
  }

  void drawingAShippedExampleEnablesSendingOnlyAfterACleanRun() {
    Fixture f;
    f.Start();
    const QString example = QStringLiteral(RUR_SOURCE_DIR "/resources/examples/%100");
    f.host.Then(ChooseFile(example));
    f.window.ladenClick();
    QVERIFY(f.window.simuliere->isEnabled());
    QVERIFY(!f.window.senden->isEnabled());
    f.window.simuliereClick();
    QCOMPARE(f.host.unexpected, 0);
    QVERIFY(!f.window.workstation().messages().errorFlag());
    QVERIFY(f.window.senden->isEnabled());
    QVERIFY(!f.window.fehlersuche->isEnabled());
    QVERIFY(f.window.workstation().blockStore().count() > 5);
    // The picture shows the path in yellow.
    const QImage picture = f.window.Image0->pixmap().toImage();
    int yellow = 0;
    for (int i = 0; i < picture.width() * picture.height(); ++i) {
      yellow += picture.pixelColor(i % picture.width(), i / picture.width()) == QColor(Qt::yellow) ? 1 : 0;
    }
    QVERIFY(yellow > 100);

    // An edit disables sending; a faulty program draws, reports and leaves it disabled.
    f.window.showeditor->setPlainText(QStringLiteral("%1\nN10 G01 X10 F0\nN20 X20\nN30 X30"));
    QVERIFY(!f.window.senden->isEnabled());
    f.host.Answer(QDialog::Accepted);  // the message window
    f.window.simuliereClick();
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.window.workstation().messages().labels().number, std::string(" 38"));
    QVERIFY(!f.window.senden->isEnabled());
    QVERIFY(f.window.simuliere->isEnabled());
    QVERIFY(f.window.laden->isEnabled());
  }

  void abortCommandStopsAndReportsButDoesNotEnableSending() {
    Fixture f;
    f.Start();
    f.window.showeditor->setPlainText(QStringLiteral("%1\nN10 X1\nN20 X2\nN30 X3"));
    f.window.FormActivate();
    f.host.Answer(QDialog::Accepted);  // the message window
    f.window.AbbruchClick();
    QCOMPARE(f.host.shown.size(), 4);
    QCOMPARE(f.window.workstation().messages().labels().number, std::string("181"));
    QCOMPARE(f.window.workstation().phase(), data::RunPhase::kStopping);
    QCOMPARE(f.window.OvcMeter1->value(), f.window.OvcMeter1->maximum());
    QVERIFY(!f.window.senden->isEnabled());
    QVERIFY(f.window.simuliere->isEnabled());
  }

  void abortCommandEndsARunningDrawing() {
    Fixture f;
    f.Start();
    QStringList program{QStringLiteral("%1")};
    for (int n = 1; n <= 500; ++n) program << QStringLiteral("N%1 G01 X%2 F100").arg(n * 10).arg(n % 300);
    f.window.showeditor->setPlainText(program.join(QLatin1Char('\n')));
    f.window.FormActivate();  // no drawing runs now
    // The click arrives while the run processes its events (the events of
    // the preparation before it pass by); the editor is held while the run
    // reads the program.
    std::function<void()> clickWhenRunning = [&] {
      if (f.window.workstation().phase() != data::RunPhase::kRunning || f.window.showeditor->isEnabled()) {
        QTimer::singleShot(0, &f.window, clickWhenRunning);
        return;
      }
      f.window.AbbruchClick();
    };
    QTimer::singleShot(0, &f.window, clickWhenRunning);
    f.host.Answer(QDialog::Accepted);  // the message window of the abort
    f.window.simuliereClick();
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.window.workstation().messages().labels().number, std::string("181"));
    QVERIFY(f.window.workstation().blockStore().count() < 502);
    QVERIFY(!f.window.senden->isEnabled());
    QVERIFY(f.window.showeditor->isEnabled());
  }

  void firstArgumentUpperCaseASwitchesScaledOutput() {
    for (const auto& [argument, mode] : {std::pair{"A", 1}, std::pair{"a", 0}}) {
      Fixture f(QString::fromLatin1(argument));
      f.Start();
      QCOMPARE(f.window.workstation().scaledOutputMode(), std::uint8_t(mode));
    }
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
