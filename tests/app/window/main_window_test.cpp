// The main window under offscreen Qt: the start and end pictures and the
// commands each state offers, the editor, loading, saving and the save
// question, closing, drawing and the abort; and the window's command line:
// its arguments, --version, Qt's German texts, the shipped data files, the
// folder the load dialog opens in and a program named on it.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QProcess>
#include <QProgressBar>
#include <QScrollBar>
#include <QTextBlock>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <sstream>

#include "data/settings.h"
#include "window/german_translations.h"
#include "window/window_args.h"
#include "window_fixture.h"

using namespace testing_support;

namespace {

namespace fs = std::filesystem;

// Types text as key presses (QTest::keyClicks takes Latin-1 letters only).
void Type(QWidget& widget, const QString& text) {
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QApplication::sendEvent(&widget, &press);
  }
}

// A window started with these arguments on a data directory that holds
// the shipped data, as an installation seeds it: no start warning.
struct ShippedFixture : WindowFixture {
  explicit ShippedFixture(const QStringList& args = {})
      : WindowFixture(app::ParseWindowArgs(args).firstArgument, app::ParseWindowArgs(args).programFile) {
    fs::copy(RUR_SOURCE_DIR "/resources", dir.path(), fs::copy_options::recursive);
  }
};

class RefusingBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // Closing stays refused after the start picture until the window is
  // activated again. Entering the working state loads the description
  // files; a missing data file is named with the data directory.
  void theStartPictureEntersTheWorkingState() {
    WindowFixture f;
    QCOMPARE(f.Commands(), (QStringList{"beenden", "ende"}));
    QVERIFY(f.Get<QWidget>(kNames.endPicture).isHidden());
    for (int i = 0; i < 3; ++i) f.host.Answer(QMessageBox::Ok);
    f.window.OnStartPicture();
    const QString dir = QString::fromStdString(f.ws().dataDirectory());
    QVERIFY(dir.endsWith(QLatin1Char('/')));
    const auto where = [&dir](const char* file) {
      return QStringLiteral("\r\nDatei: ") + dir + QLatin1String(file) + QStringLiteral("\r\nDatenverzeichnis: ") + dir;
    };
    QCOMPARE(f.host.shown,
             (QStringList{"Initialisierungsdatei nicht vorhanden oder defekt!" + where("QVM_ini.Dat"),
                          "Nullpunktverschiebungsdatei nicht vorhanden!\n\rBitte NPV-Datei erstellen! " + where("Npv_QVM.dat"),
                          "Werkzeugdatei nicht vorhanden!\n\rBitte WKZ-Datei erstellen!" + where("QVM_wkz.dat")}));
    QCOMPARE(f.Commands(), (QStringList{"neues", "laden", "speichern", "abbruch", "Schnittstelle", "Werkzeugtaste",
                                        "nullpunkt", "showeditor", "CheckBox1", "Image2"}));
    QVERIFY(f.Get<QWidget>(kNames.startPicture).isHidden());
    QCOMPARE(f.ws().phase(), data::RunPhase::kRunning);
    QVERIFY(!f.window.MayClose());
    QVERIFY(!f.window.close());
    f.window.OnActivated();
    QVERIFY(f.window.MayClose());

    f.dir.Write("M_QVM.DAT", "3,S\r\n");
    f.dir.Write("G_QVM.DAT", "1,B\r\n");
    f.dir.Write("A_QVM.DAT", "F,V\r\n");
    f.Start();
    QCOMPARE(f.ws().descriptions().m[1].number, std::uint8_t{3});
    QCOMPARE(f.host.unexpected, 0);
  }

  // Typed letters become capitals; drawing is offered from four lines.
  void theEditorUpperCasesAndOffersDrawingFromFourLines() {
    WindowFixture f;
    f.Start();
    Type(f.editor(), QStringLiteral("g01 xä5"));
    QCOMPARE(f.Text(), QStringLiteral("G01 Xä5"));
    QVERIFY(f.window.programModified());
    f.editor().setPlainText(QStringLiteral("%1\nN10 G01 X1"));
    QVERIFY(!f.Enabled(kNames.drawButton));
    f.window.OnEditorClicked();
    QVERIFY(!f.Enabled(kNames.drawButton));
    f.editor().setPlainText(QStringLiteral("%1\nN10\nN20\nN30"));
    QVERIFY(f.Enabled(kNames.drawButton));
    QVERIFY(!f.Enabled(kNames.sendButton));
  }

  // A failed save keeps the old file and the modified mark, also after Yes
  // to the save question. Cancel keeps the program and the working state;
  // No lets it go; Yes without a file name asks for one and saves before
  // the end picture.
  void savingAndTheSaveQuestion() {
    WindowFixture f;
    f.Start();
    QTest::keyClicks(&f.editor(), QStringLiteral("%3"));
    const QString folder = QString::fromStdString(f.dir.File("sub"));
    QDir().mkpath(folder);  // a folder cannot be replaced by a program
    f.host.Then(ChooseFile(folder));
    f.host.Answer(QMessageBox::Ok);
    f.Press(kNames.saveButton);
    QVERIFY(f.host.shown.last().contains(QStringLiteral("kann nicht gespeichert werden")));
    QVERIFY(f.window.programModified());
    QCOMPARE(f.ws().mainProgramFile(), std::string());
    f.host.Answer(QMessageBox::Yes);
    f.host.Then(ChooseFile(folder));
    f.host.Answer(QMessageBox::Ok);
    f.window.OnNewProgram();
    QCOMPARE(f.Text(), QStringLiteral("%3"));

    f.host.Answer(QMessageBox::No);
    f.Load("%5", "%5\r\n", {QMessageBox::No});  // no header line added
    QTest::keyClicks(&f.editor(), QStringLiteral("n"));
    f.host.Answer(QMessageBox::Cancel);
    f.window.OnNewProgram();
    QCOMPARE(f.host.shown.last(),
             QStringLiteral("Programm Editor %1 wurde modifiziert. Sichern?").arg(f.dir.File("%5").c_str()));
    QVERIFY(f.Text().startsWith(QStringLiteral("N")));
    QCOMPARE(f.ws().mainProgramFile(), f.dir.File("%5"));
    f.host.Answer(QMessageBox::Cancel);
    f.window.OnEndPicture();
    QVERIFY(!f.Get<QWidget>(kNames.endPicture).isHidden());
    QVERIFY(f.Enabled(kNames.loadButton));

    f.host.Answer(QMessageBox::No);
    f.window.OnNewProgram();
    QCOMPARE(f.Text(), QString());
    QVERIFY(!f.window.programModified());
    QCOMPARE(f.Get<QLabel>(kNames.programName).text(), QStringLiteral("Programm: "));

    QTest::keyClicks(&f.editor(), QStringLiteral("%9"));
    f.host.Answer(QMessageBox::Yes);
    f.host.Then(ChooseFile(QString::fromStdString(f.dir.File("%9"))));
    f.window.OnEndPicture();
    QCOMPARE(f.dir.Read("%9"), std::string("%9\r\n"));
    QCOMPARE(f.Commands(), (QStringList{"beenden", "ende"}));
    QCOMPARE(f.host.unexpected, 0);
  }

  void drawingAShippedExampleEnablesSendingOnlyAfterACleanRun() {
    WindowFixture f;
    f.Start();
    f.LoadPath(QStringLiteral(RUR_SOURCE_DIR "/resources/examples/%100"));
    QVERIFY(f.Enabled(kNames.drawButton));
    QVERIFY(!f.Enabled(kNames.sendButton));
    f.Press(kNames.drawButton);
    QCOMPARE(f.host.unexpected, 0);
    QVERIFY(!f.ws().messages().errorFlag());
    QVERIFY(f.Enabled(kNames.sendButton));
    QVERIFY(!f.Enabled(kNames.errorSearchButton));
    QVERIFY(f.PicturePixels(Qt::yellow) > 100);  // the path in yellow

    // An edit disables sending; a faulty program draws, reports and leaves it disabled.
    f.editor().setPlainText(QStringLiteral("%1\nN10 G01 X10 F0\nN20 X20\nN30 X30"));
    QVERIFY(!f.Enabled(kNames.sendButton));
    f.host.Answer(QDialog::Accepted);  // the message window
    f.Press(kNames.drawButton);
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.ws().messages().labels().number, std::string(" 38"));
    QVERIFY(!f.Enabled(kNames.sendButton));
    QVERIFY(f.Enabled(kNames.drawButton));
    QVERIFY(f.Enabled(kNames.loadButton));
  }

  // A message of the drawing takes the editor to the line it names and
  // shows that line, in the status line too; a subprogram's line is named
  // there. One faulty arc is one box, and it shows over this drawing's
  // picture, not the program's before. A new program and a load start
  // with nothing of the drawing before.
  void messagesTakeTheEditorToTheirLine() {
    WindowFixture f;
    f.Start();
    f.LoadPath(QStringLiteral(RUR_SOURCE_DIR "/resources/examples/%100"));
    f.Press(kNames.drawButton);
    const QImage before = f.Get<QLabel>(kNames.picture).pixmap().toImage();
    f.host.shown.clear();
    QStringList program{QStringLiteral("%1")};
    for (int n = 2; n <= 200; ++n) program << QStringLiteral("N%1 G01 X%2 Y5 F100").arg(n * 10).arg(n % 50);
    program[56] = QStringLiteral("N570 G02 X300 Y5 U1");  // line 57: radius 1 for a chord of 294 mm
    QImage atMessage;
    f.host.Then([&](QDialog& d) {
      atMessage = f.Get<QLabel>(kNames.picture).pixmap().toImage();
      return d.result();
    });
    f.Draw(program.join(QLatin1Char('\n')));
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.host.shown.size(), 1);
    QCOMPARE(f.ws().messages().labels().description, std::string("Radius zu klein!"));
    QVERIFY(atMessage != before);
    QVERIFY(PixelsOf(atMessage, Qt::yellow) > 0);  // lines 2 to 56, drawn
    QCOMPARE(f.editor().textCursor().blockNumber(), 56);
    QCOMPARE(f.editor().textCursor().selectedText(), program[56]);
    QVERIFY(f.editor().verticalScrollBar()->value() > 0);
    QVERIFY(f.editor().viewport()->rect().contains(f.editor().cursorRect()));
    QCOMPARE(f.status().text(), QStringLiteral("Fehler in %100, Zeile 57"));  // drawn under the loaded name

    f.host.Answer(QMessageBox::No);  // the drawn text is not saved
    f.Load("%7", "%7\r\nN10 G01 X30 Y30 F100\r\nN20 X40 F0\r\nN30 M17\r\n");
    f.Load("%2", "%2\r\nN10 G01 X10 F100\r\nN20 G77 H7\r\nN30 M30\r\n");
    QCOMPARE(f.PicturePixels(Qt::yellow), 0);
    QCOMPARE(f.status().text(), QStringLiteral("Meldung"));
    f.editor().setTextCursor(QTextCursor(f.editor().document()->findBlockByNumber(3)));
    f.host.Answer(QDialog::Accepted);  // message 38
    f.Press(kNames.drawButton);
    QCOMPARE(f.ws().messages().labels().number, std::string(" 38"));
    QCOMPARE(f.status().text(), QStringLiteral("Fehler in %7, Zeile 3"));
    QCOMPARE(f.editor().textCursor().blockNumber(), 3);
    QVERIFY(f.PicturePixels(Qt::yellow) > 0);
    f.window.OnNewProgram();
    QCOMPARE(f.PicturePixels(Qt::yellow), 0);
    QCOMPARE(f.status().text(), QStringLiteral("Meldung"));
    QCOMPARE(f.host.unexpected, 0);
  }

  // The abort stops and reports, but does not enable sending. From its
  // start (the preparation processes events too) a drawing holds every
  // command but the abort, which ends the run.
  void abortCommandStopsAndEndsARunningDrawing() {
    WindowFixture f;
    f.Start();
    QStringList program{QStringLiteral("%1")};
    for (int n = 1; n <= 500; ++n) program << QStringLiteral("N%1 G01 X%2 F100").arg(n * 10).arg(n % 300);
    f.editor().setPlainText(program.join(QLatin1Char('\n')));
    f.window.OnActivated();  // no drawing runs now
    f.host.Answer(QDialog::Accepted);  // the message window
    f.Press(kNames.abortButton);
    QCOMPARE(f.host.shown.size(), 1);  // what the abort does: draw_command_test
    const QProgressBar& progress = f.Get<QProgressBar>(kNames.progressBar);
    QCOMPARE(progress.value(), progress.maximum());
    QVERIFY(!f.Enabled(kNames.sendButton));
    QVERIFY(f.Enabled(kNames.drawButton));

    QStringList held;
    QString refusal;  // closing while the run goes on says why, in the status line
    std::function<void()> clickWhenRunning = [&] {
      if (held.isEmpty()) held = f.Commands();
      if (f.ws().phase() != data::RunPhase::kRunning || f.ws().blockStore().count() == 0) {
        QTimer::singleShot(0, &f.window, clickWhenRunning);
        return;
      }
      if (!f.window.close()) refusal = f.status().text();
      f.Press(kNames.abortButton);
    };
    QTimer::singleShot(0, &f.window, clickWhenRunning);
    f.host.Answer(QDialog::Accepted);  // the message window of the abort
    f.Press(kNames.drawButton);
    QCOMPARE(held, QStringList{"abbruch"});
    QCOMPARE(refusal, QStringLiteral("Schließen nicht möglich, solange gezeichnet wird (\"Abbruch\" beendet es)."));
    QCOMPARE(f.status().text(), QStringLiteral("Meldung"));  // not after the run
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.host.shown.size(), 2);
    QVERIFY(f.ws().blockStore().count() < 500);  // the run ended early
    QVERIFY(!f.Enabled(kNames.sendButton));
    QVERIFY(f.Enabled(kNames.editor));
  }

  void argumentsGiveDataFirstArgumentAndProgram() {
    struct Case {
      QStringList args;
      bool version;
      QString data, first, program;
    };
    const QList<Case> cases = {
        {{}, false, "", "", ""},
        {{"A"}, false, "", "A", ""},
        {{"A", "%1"}, false, "", "A", "%1"},
        {{"%1"}, false, "", "%1", "%1"},
        {{"%1", "%2"}, false, "", "%1", "%1"},
        {{"a", "%1"}, false, "", "a", "a"},  // only "A" switches, and only as the first
        {{"--data", "/d", "A", "%1"}, false, "/d", "A", "%1"},
        {{"A", "--data", "/d", "%1"}, false, "/d", "A", "%1"},
        {{"--data"}, false, "", "", ""},
        {{"--version"}, true, "", "", ""},
        {{"A", "--version"}, true, "", "A", ""},
    };
    for (const Case& c : cases) {
      const app::WindowArgs a = app::ParseWindowArgs(c.args);
      const QString name = c.args.join(' ');
      QVERIFY2(a.version == c.version, qPrintable(name));
      QVERIFY2(a.dataDirectory == c.data, qPrintable(name));
      QVERIFY2(a.firstArgument == c.first, qPrintable(name));
      QVERIFY2(a.programFile == c.program, qPrintable(name));
    }
    for (const auto& [argument, mode] : {std::pair{"A", 1}, std::pair{"a", 0}}) {
      WindowFixture f(QString::fromLatin1(argument));
      f.Start();
      QCOMPARE(f.ws().scaledOutputMode(), std::uint8_t(mode));
    }
  }

  // Printed and its output checked; answered before Qt starts, so that it
  // needs no display.
  void versionIsPrintedWithoutDisplay() {
    std::ostringstream out;
    QCOMPARE(app::PrintVersion(out), 0);
    QCOMPARE(out.str(), std::string("rur 1.0.0\n"));
    RefusingBuffer refusing;
    std::ostream failing(&refusing);
    QCOMPARE(app::PrintVersion(failing), 1);

    const QString rur = QCoreApplication::applicationDirPath() + QStringLiteral("/rur");
    if (!QFile::exists(rur)) QSKIP("rur is not built beside the tests");
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(env);
    process.start(rur, {QStringLiteral("--version")});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.readAllStandardOutput(), QByteArray("rur 1.0.0\n"));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
  }

  void standardDialogsSpeakGerman() {
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(dir + QStringLiteral("/qtbase_de.qm"))) QSKIP("qtbase_de.qm is not installed");
    const QChar point = QLocale().decimalPoint().at(0);
    QVERIFY(app::InstallGermanTranslations(*QCoreApplication::instance()));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Suchen in:"));
    QCOMPARE(QLocale().decimalPoint().at(0), point);  // numbers keep their format
  }

  // The program directory of the settings, else the shipped examples (the
  // shipped settings name no program directory), else the data directory;
  // the shipped data files start without a warning.
  void loadDialogOpensInTheProgramOrExamplesOrDataDirectory() {
    for (int variant = 0; variant < 3; ++variant) {
      ShippedFixture f;
      if (variant == 0) {
        fs::create_directory(f.dir.File("programs"));
        data::Settings settings;
        settings.programDirectory = f.dir.File("programs/");
        QVERIFY(data::WriteSettings(settings, f.dir.path()));
      }
      if (variant == 2) fs::remove_all(f.dir.File("examples"));
      f.window.OnStartPicture();
      QCOMPARE(f.host.shown, QStringList());
      QString folder;
      f.host.Then([&folder](QDialog& dialog) {
        folder = static_cast<QFileDialog&>(dialog).directory().absolutePath();
        return int(QDialog::Rejected);
      });
      f.Press(kNames.loadButton);
      const std::string expected[] = {f.dir.File("programs"), f.dir.File("examples"), f.dir.path()};
      QCOMPARE(folder, QDir(QString::fromStdString(expected[variant])).absolutePath());
      QCOMPARE(f.host.unexpected, 0);
    }
  }

  // Once only: after the end picture the editor starts empty again. A
  // relative name becomes a full path.
  void programArgumentIsLoadedOnEnteringTheWorkingState() {
    TempDir programs;
    programs.Write("%77", "%77\r\nN10 G01 X5\r\n");
    const QString path = QString::fromStdString(programs.File("%77"));
    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(programs.path()));
    for (const QStringList& args : {QStringList{path}, QStringList{"A", "%77"}}) {
      ShippedFixture f(args);
      f.window.OnStartPicture();
      QCOMPARE(f.host.shown, QStringList());
      QCOMPARE(f.Text(), QStringLiteral("%77\nN10 G01 X5"));
      QCOMPARE(f.Get<QLabel>(kNames.programName).text(), QStringLiteral("Programm: %77"));
      QCOMPARE(f.ws().mainProgramFile(), programs.File("%77"));
      QVERIFY(!f.window.programModified());
      QVERIFY(!f.editor().document()->isModified());
      QVERIFY(f.Enabled(kNames.drawButton));
      QCOMPARE(f.ws().scaledOutputMode(), std::uint8_t(args.first() == "A" ? 1 : 0));
      f.window.OnEndPicture();
      f.window.OnStartPicture();
      QCOMPARE(f.Text(), QString());
    }
    QDir::setCurrent(before);
  }

  // A missing or binary program says what "&Laden" says; the editor stays
  // as it was.
  void faultyProgramArgumentIsReportedAsLoadingIt() {
    TempDir programs;
    programs.Write("bin", std::string("%1\0\0", 4));
    for (const std::string& name : {std::string("missing"), std::string("bin")}) {
      const QString path = QString::fromStdString(programs.File(name));
      ShippedFixture byArgument(QStringList{path});
      byArgument.host.Answer(QMessageBox::Ok);
      byArgument.window.OnStartPicture();
      ShippedFixture byDialog;
      byDialog.window.OnStartPicture();
      byDialog.editor().setPlainText(QStringLiteral("KEEP"));
      byDialog.host.Answer(QMessageBox::No);  // do not save the edited text
      byDialog.LoadPath(path, {QMessageBox::Ok});
      QCOMPARE(byDialog.Text(), QStringLiteral("KEEP"));

      QCOMPARE(byArgument.host.shown.size(), 1);
      QCOMPARE(byArgument.host.shown.first(), byDialog.host.shown.last());
      QVERIFY(byArgument.host.shown.first().contains(path));
      QCOMPARE(byArgument.Text(), QString());
      QCOMPARE(byArgument.ws().mainProgramFile(), std::string());
    }
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
