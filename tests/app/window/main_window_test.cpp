// The main window under offscreen Qt: the start and end pictures and the
// commands each state offers, the room a larger window gives and the status
// line's long texts, the editor, loading, saving and the save question, the
// title's mark, the file dialogs and the recent files, closing, drawing and
// the abort, the keys and the help page; and the window's command line: its
// arguments, --version, --help, Qt's German texts, the shipped data files,
// the folder the load dialog opens in and a program named on it.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileSystemModel>
#include <QFileSystemWatcher>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QProcess>
#include <QProgressBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <sstream>

#include "data/settings.h"
#include "support/pseudo_terminal.h"
#include "ui/dialogs/help_window.h"
#include "ui/path_view/picture_button.h"
#include "window/command_keys.h"
#include "window/german_translations.h"
#include "window/recent_files.h"
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

// Presses a key where the focus is, as the operator does.
void PressKey(QKeyCombination key) {
  QWidget* focus = QApplication::focusWidget();
  QVERIFY(focus != nullptr);
  QTest::keyClick(focus, key.key(), key.keyboardModifiers());
}

QKeyCombination KeyOf(const char* button) {
  for (const app::CommandKey& command : app::kCommandKeys) {
    if (qstrcmp(command.button, button) == 0) return command.key;
  }
  qFatal("no key for %s", button);
}

void Activate(QWidget& window) {
  window.show();
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
}

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
    QCOMPARE(f.status().text(), QStringLiteral("Schließen jetzt nicht möglich: erst mit dem Endebild die Arbeit beenden."));
    f.window.OnActivated();
    QVERIFY(f.window.MayClose());

    f.dir.Write("M_QVM.DAT", "3,S\r\n");
    f.dir.Write("G_QVM.DAT", "1,B\r\n");
    f.dir.Write("A_QVM.DAT", "F,V\r\n");
    f.Start();
    QCOMPARE(f.ws().descriptions().m[1].number, std::uint8_t{3});
    QCOMPARE(f.host.unexpected, 0);
  }

  // At 651 x 587, the least size, every component stands where it always
  // stood; the room beyond goes to the editor both ways, the right column
  // moves with the right edge and the bottom row with the bottom, and the
  // work-area picture keeps its size and pixels. Maximised the same.
  void theRoomOfALargerWindowGoesToTheEditorAndThePictureKeepsItsPixels() {
    WindowFixture f;
    f.Start();
    f.Draw(QStringLiteral("%1\nN10 G1 X100 Y100 F100\nN20 X200\nN30 M30"));
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    const QImage drawn = f.Get<QLabel>(kNames.picture).pixmap().toImage();
    QVERIFY(PixelsOf(drawn, Qt::yellow) > 100);
    const auto at = [&f](const char* name) {
      const QWidget& w = f.Get<QWidget>(name);
      return QRect(w.mapTo(&f.window, QPoint(0, 0)), w.size());
    };
    const auto placed = [&](QSize room) {
      const int dx = room.width(), dy = room.height();
      QCOMPARE(at(kNames.editor), QRect(116, 30, 441 + dx, 160 + dy));
      QCOMPARE(at(kNames.programName), QRect(116, 4, 318 + dx, 22));
      QCOMPARE(at(kNames.blockSkipBox), QRect(440 + dx, 4, 205, 22));
      QCOMPARE(at(kNames.statusLine), QRect(120, 196 + dy, 433 + dx, 22));
      QCOMPARE(at(kNames.pictureFrame), QRect(116, 224 + dy, 441, 361));
      QCOMPARE(at(kNames.picture), QRect(119, 227 + dy, 435, 355));
      QCOMPARE(at(kNames.newButton), QRect(8, 30, 100, 28));
      QCOMPARE(at(kNames.transferLogButton), QRect(8, 236, 100, 28));
      QCOMPARE(at(kNames.drawButton), QRect(563 + dx, 30, 82, 28));
      QCOMPARE(at(kNames.sendFromButton), QRect(563 + dx, 172, 82, 44));
      QCOMPARE(at(kNames.progressBar), QRect(590 + dx, 224 + dy, 28, 240));
      QCOMPARE(at(kNames.transferFigures), QRect(563 + dx, 468 + dy, 82, 80));
      QCOMPARE(at(kNames.closeButton), QRect(563 + dx, 553 + dy, 82, 28));
      QCOMPARE(at(kNames.endPicture), QRect(4, 482 + dy, 105, 101));
      QCOMPARE(at(kNames.startPicture), QRect(4, 482 + dy, 105, 105));
      QVERIFY(f.Get<QLabel>(kNames.picture).pixmap().toImage() == drawn);
    };
    QCOMPARE(f.window.minimumSize(), QSize(651, 587));
    // Smaller than the least size is the least size.
    for (const QSize size : {QSize(651, 587), QSize(652, 588), QSize(1600, 1000), QSize(650, 586)}) {
      f.window.resize(size);
      QApplication::processEvents();
      QCOMPARE(f.window.size(), size.expandedTo(QSize(651, 587)));
      placed(f.window.size() - QSize(651, 587));
    }
    f.window.showMaximized();
    QApplication::processEvents();
    QVERIFY(f.window.isMaximized());
    QVERIFY(f.window.width() > 651 && f.window.height() > 587);
    placed(f.window.size() - QSize(651, 587));
  }

  // A long text wraps, a word longer than the line (a path) too, and the
  // status panel grows upward into the editor to show it whole; the editor
  // keeps three lines (48 pixels) however long the text. A short text gives
  // the room back.
  void aLongStatusTextIsShownWhole() {
    WindowFixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QLabel& line = f.status();
    QWidget& panel = f.Get<QWidget>(kNames.statusPanel);
    // Whether the line shows all of the text; the picture below stays put.
    const auto shownWhole = [&](const QString& text) {
      line.setText(text);
      QApplication::processEvents();  // the panel's layout asks the window's
      QApplication::processEvents();
      return panel.geometry().bottom() == 219 && f.editor().height() + panel.height() == 160 + 26 &&
             line.height() >= line.heightForWidth(line.width());
    };
    const QString words = QStringLiteral("3 S\u00e4tze au\u00dferhalb des Arbeitsbereichs, Bahn X -10..450 Y 0..10 mm; ")
                              .repeated(3);
    const QString path = QStringLiteral("/home/bediener/programme/").repeated(5) + QStringLiteral("%1");
    for (const QString& text : {words, path}) {
      QVERIFY(shownWhole(text));
      QVERIFY(line.height() > 2 * 16);
      QCOMPARE(line.width(), 433);
    }
    QVERIFY(!shownWhole(words.repeated(20)));  // more than the editor can give
    QCOMPARE(f.editor().height(), 48);
    QVERIFY(shownWhole(QStringLiteral("Daten werden gesendet!")));
    QCOMPARE(panel.geometry(), QRect(116, 194, 441, 26));
    QCOMPARE(f.editor().height(), 160);
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
    QCOMPARE(f.window.windowTitle(), QStringLiteral("RUR"));
    QTest::keyClicks(&f.editor(), QStringLiteral("%3"));
    QCOMPARE(f.window.windowTitle(), QStringLiteral("RUR*"));
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
    QCOMPARE(f.window.windowTitle(), QStringLiteral("RUR"));
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

    QCOMPARE(f.window.windowTitle(), QStringLiteral("RUR*"));
    f.host.Answer(QMessageBox::No);
    f.window.OnNewProgram();
    QCOMPARE(f.Text(), QString());
    QVERIFY(!f.window.programModified());
    QCOMPARE(f.window.windowTitle(), QStringLiteral("RUR"));
    QCOMPARE(f.Get<QLabel>(kNames.programName).text(), QStringLiteral("Programm: "));

    QTest::keyClicks(&f.editor(), QStringLiteral("%9"));
    f.host.Answer(QMessageBox::Yes);
    f.host.Then(ChooseFile(QString::fromStdString(f.dir.File("%9"))));
    f.window.OnEndPicture();
    QCOMPARE(f.dir.Read("%9"), std::string("%9\r\n"));
    QCOMPARE(f.window.windowTitle(), QStringLiteral("RUR"));
    QCOMPARE(f.Commands(), (QStringList{"beenden", "ende"}));
    QCOMPARE(f.host.unexpected, 0);
  }

  // Each file dialog is made for its use and gone after it: no dialog,
  // file-system model or folder watcher stays, nor a popup of it. The save
  // dialog offers the program's name alone in its folder (a new program: no
  // name, the folder last used). The ten files last loaded or saved are
  // remembered, newest first: the load dialog has their folders in its
  // history and the newest chosen when it lies where the dialog opens.
  void fileDialogsAreMadeForEachUseAndOfferTheRecentFiles() {
    WindowFixture f;
    f.Start();
    struct Seen {
      QString name, folder, field;
      QStringList history;
    } seen;
    const auto lookAndCancel = [&](void (app::MainWindow::*command)()) {
      f.host.Then([&seen](QDialog& dialog) {
        auto& d = static_cast<QFileDialog&>(dialog);
        seen = {d.objectName(), d.directory().absolutePath(), Part<QLineEdit>(d, "fileNameEdit").text(), d.history()};
        return int(QDialog::Rejected);
      });
      (f.window.*command)();
    };
    const QString programs = QString::fromStdString(f.dir.File("programs"));
    const QString other = QString::fromStdString(f.dir.File("other"));
    QVERIFY(QDir().mkpath(programs) && QDir().mkpath(other));
    const auto program = [&programs](int n) { return programs + QStringLiteral("/%") + QString::number(n); };
    for (int n = 1; n <= app::kRecentFilesKept + 1; ++n) {
      f.dir.Write("programs/%" + std::to_string(n), "%" + std::to_string(n) + "\r\nN10 G01 X1\r\n");
    }
    // A popup of the dialog open when it closes.
    bool popupOpen = false;
    f.host.Then([&](QDialog& d) {
      auto* popup = new QMenu(&d);
      popup->addAction(QStringLiteral("Popup"));
      popup->popup(QPoint(0, 0));
      popupOpen = QApplication::activePopupWidget() == popup;
      return ChooseFile(program(1))(d);
    });
    f.window.OnLoad();
    QVERIFY(popupOpen);
    QVERIFY(QApplication::activePopupWidget() == nullptr);
    for (int n = 2; n <= app::kRecentFilesKept + 1; ++n) f.LoadPath(program(n));
    QCOMPARE(f.host.unexpected, 0);
    QVERIFY(f.window.findChildren<QFileDialog*>().isEmpty());
    QVERIFY(f.window.findChildren<QFileSystemModel*>().isEmpty());
    QVERIFY(f.window.findChildren<QFileSystemWatcher*>().isEmpty());
    QStringList recent = app::RecentFiles();
    QCOMPARE(recent.size(), app::kRecentFilesKept);  // the first file loaded is forgotten
    QCOMPARE(recent.first(), program(11));
    QCOMPARE(recent.last(), program(2));
    f.LoadPath(program(5));
    recent = app::RecentFiles();
    QCOMPARE(recent.size(), app::kRecentFilesKept);
    QCOMPARE(recent.first(), program(5));
    QCOMPARE(recent.count(program(5)), qsizetype{1});

    lookAndCancel(&app::MainWindow::OnLoad);
    QCOMPARE(seen.name, QString::fromLatin1(kNames.openDialog));
    QCOMPARE(seen.folder, programs);
    QCOMPARE(seen.field, QStringLiteral("%5"));
    QCOMPARE(seen.history, QStringList{programs});
    lookAndCancel(&app::MainWindow::OnSave);
    QCOMPARE(seen.name, QString::fromLatin1(kNames.saveDialog));
    QCOMPARE(seen.folder, programs);
    QCOMPARE(seen.field, QStringLiteral("%5"));

    f.window.OnNewProgram();
    f.editor().setPlainText(QStringLiteral("%9"));
    QCOMPARE(f.window.windowTitle(), QStringLiteral("RUR*"));
    lookAndCancel(&app::MainWindow::OnSave);
    QCOMPARE(seen.folder, programs);
    QCOMPARE(seen.field, QString());
    f.host.Then(ChooseFile(other + QStringLiteral("/%9")));
    f.window.OnSave();
    QCOMPARE(f.window.windowTitle(), QStringLiteral("RUR"));
    QCOMPARE(app::RecentFiles().first(), other + QStringLiteral("/%9"));
    lookAndCancel(&app::MainWindow::OnLoad);
    QCOMPARE(seen.folder, other);
    QCOMPARE(seen.field, QStringLiteral("%9"));
    QCOMPARE(seen.history, (QStringList{other, programs}));
    QVERIFY(f.window.findChildren<QFileDialog*>().isEmpty());
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

    // While the program is read: a subprogram that cannot be opened names
    // the line that calls it; a main program without its "%" line names none.
    f.Load("%3", "%3\r\nN10 G01 X10 F100\r\nN20 G77 H99\r\nN30 M30\r\n");
    f.host.Answer(QDialog::Accepted);
    f.Press(kNames.drawButton);
    QCOMPARE(f.ws().messages().labels().number, std::string(" 20"));
    QCOMPARE(f.editor().textCursor().blockNumber(), 2);
    QCOMPARE(f.status().text(), QStringLiteral("Fehler in %3, Zeile 3"));
    f.editor().setPlainText(QStringLiteral("N10 G01 X10 F100\nN20 X20\nN30 X30\nN40 M30"));
    f.editor().setTextCursor(QTextCursor(f.editor().document()->findBlockByNumber(1)));
    f.host.Answer(QDialog::Accepted);
    f.Press(kNames.drawButton);
    QCOMPARE(f.ws().messages().labels().number, std::string(" 44"));
    QCOMPARE(f.editor().textCursor().blockNumber(), 1);
    QCOMPARE(f.status().text(), QStringLiteral("Meldung"));
    QCOMPARE(f.host.unexpected, 0);
  }

  // The abort stops and reports, but does not enable sending. From its
  // start (the preparation processes events too) a drawing holds every
  // command but the abort, which ends the run (here by Esc).
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
      Activate(f.window);
      PressKey(QKeyCombination(Qt::Key_Escape));  // Esc stops what runs
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

  // Each command's key clicks its button once, from the editor that has
  // the focus (every modal dialog shown is answered once, by name); a key
  // of a disabled command does nothing. Each hint names its key, F1 opens
  // the help page, which names every key. The start picture holds the
  // focus while the window is idle, shows it, and starts by keyboard; so
  // does the end picture. A drawing gives the focus back where it was.
  void everyCommandKeyClicksItsButtonOnce() {
    const PortVariable port("/nonexistent/rur-port");  // a send fails at once
    ShippedFixture f;
    QStringList shown;
    const auto answer = [&](int result) {
      f.host.Then([&shown, result](QDialog& d) {
        shown << (d.objectName().isEmpty() ? DialogText(d) : d.objectName());
        return result;
      });
    };
    const auto expect = [&](const char* button, const QStringList& dialogs, int result = QDialog::Rejected) {
      shown.clear();
      if (!dialogs.isEmpty()) answer(result);
      PressKey(KeyOf(button));
      QVERIFY2(shown == dialogs, button);
      QVERIFY2(f.host.handlers.empty() && f.host.unexpected == 0, button);
    };
    for (const app::CommandKey& command : app::kCommandKeys) {
      const QString hint = f.Get<QWidget>(command.button).toolTip();
      QVERIFY2(hint.endsWith(QStringLiteral(" (%1)").arg(QLatin1String(command.keyName))), command.button);
    }
    QCOMPARE(f.Get<QWidget>(kNames.newButton).toolTip(), QStringLiteral("neues Programm  (Strg+N)"));

    Activate(f.window);
    auto& start = f.Get<ui::PictureButton>(kNames.startPicture);
    QVERIFY(QApplication::focusWidget() == &start);
    const QImage marked = start.grab().toImage();
    for (const char* button : {kNames.newButton, kNames.loadButton, kNames.saveButton, kNames.toolsButton,
                               kNames.zeroPointsButton, kNames.installationButton, kNames.drawButton,
                               kNames.abortButton}) {
      expect(button, {});
    }
    QCOMPARE(f.Commands(), (QStringList{"beenden", "ende"}));
    PressKey(QKeyCombination(Qt::Key_Space));
    QCOMPARE(f.Commands().last(), QStringLiteral("Image2"));
    QVERIFY(QApplication::focusWidget() == &f.editor());
    QVERIFY(start.grab().toImage() != marked);  // the focus frame is gone

    f.LoadPath(QStringLiteral(RUR_SOURCE_DIR "/resources/examples/%100"));
    for (const char* button : {kNames.errorSearchButton, kNames.sendButton, kNames.sendFromButton}) {
      expect(button, {});
    }
    expect(kNames.loadButton, {kNames.openDialog});
    expect(kNames.saveButton, {kNames.saveDialog});
    expect(kNames.toolsButton, {ui::kToolDialogNames.window});
    expect(kNames.zeroPointsButton, {ui::kZeroPointDialogNames.window});
    expect(kNames.installationButton, {ui::kInstallationDialogNames.window});
    expect(kNames.abortButton, {});  // Esc with nothing running: no message 181
    QSignalSpy drawings(&f.window, &app::MainWindow::drawingShown);
    expect(kNames.drawButton, {});
    QCOMPARE(drawings.count(), 1);
    QVERIFY(QApplication::focusWidget() == &f.editor());  // the drawing, which held it, gave it back
    QVERIFY(f.Enabled(kNames.sendButton));
    expect(kNames.sendButton, {QStringLiteral("Ausgabeport nicht vorhanden oder ist defekt !\r\n"
                                              "Schnittstelle /nonexistent/rur-port: nicht vorhanden")});
    expect(kNames.errorSearchButton, {ui::kLineNumberDialogNames.window});
    expect(kNames.sendFromButton, {ui::kSendFromDialogNames.window});
    Type(f.editor(), QStringLiteral("X"));
    expect(kNames.newButton, {QStringLiteral("Programm Editor %1 wurde modifiziert. Sichern?")
                                  .arg(QStringLiteral(RUR_SOURCE_DIR "/resources/examples/%100"))},
           QMessageBox::No);
    QCOMPARE(f.Text(), QString());

    // The end picture by Return, the start picture by Enter.
    f.Get<QWidget>(kNames.endPicture).setFocus();
    PressKey(QKeyCombination(Qt::Key_Return));
    QCOMPARE(f.Commands(), (QStringList{"beenden", "ende"}));
    QVERIFY(QApplication::focusWidget() == &start);
    PressKey(QKeyCombination(Qt::Key_Enter));
    QCOMPARE(f.Commands().last(), QStringLiteral("Image2"));

    // The windows last: each takes the activation.
    expect(kNames.transferLogButton, {});
    QVERIFY(f.Get<QWidget>(ui::kTransferLogNames.window).isVisible());
    Activate(f.window);
    PressKey(app::kHelpKey);
    auto& help = f.Get<ui::HelpWindow>(ui::kHelpWindowNames.window);
    QVERIFY(help.isVisible());
    for (const app::CommandKey& command : app::kCommandKeys) {
      QVERIFY2(help.PageText().contains(QLatin1String(command.keyName)), command.keyName);
    }
    for (const char* word : {"F1", "F4", "Strg+Y", "rückgängig", "G77 H12 S3", "G79 N50", "L0 bis L19"}) {
      QVERIFY2(help.PageText().contains(QString::fromUtf8(word)), word);
    }
  }

  void argumentsGiveDataFirstArgumentAndProgram() {
    struct Case {
      QStringList args;
      bool version, help;
      QString data, first, program;
    };
    const QList<Case> cases = {
        {{}, false, false, "", "", ""},
        {{"A"}, false, false, "", "A", ""},
        {{"A", "%1"}, false, false, "", "A", "%1"},
        {{"%1"}, false, false, "", "%1", "%1"},
        {{"%1", "%2"}, false, false, "", "%1", "%1"},
        {{"a", "%1"}, false, false, "", "a", "a"},  // only "A" switches, and only as the first
        {{"--data", "/d", "A", "%1"}, false, false, "/d", "A", "%1"},
        {{"A", "--data", "/d", "%1"}, false, false, "/d", "A", "%1"},
        {{"--data"}, false, false, "", "", ""},
        {{"--version"}, true, false, "", "", ""},
        {{"A", "--version"}, true, false, "", "A", ""},
        {{"--help"}, false, true, "", "", ""},
        {{"%1", "-h"}, false, true, "", "%1", "%1"},
        {{"--data", "-h"}, false, false, "-h", "", ""},  // the value of --data
        {{"-H", "--helpx"}, false, false, "", "-H", "-H"},
    };
    for (const Case& c : cases) {
      const app::WindowArgs a = app::ParseWindowArgs(c.args);
      const QString name = c.args.join(' ');
      QVERIFY2(a.version == c.version, qPrintable(name));
      QVERIFY2(a.help == c.help, qPrintable(name));
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

  // Printed and their output checked; answered before Qt starts, so that
  // they need no display. A usage that cannot be written is exit 1.
  void versionAndHelpArePrintedWithoutDisplay() {
    std::ostringstream out;
    QCOMPARE(app::PrintVersion(out), 0);
    QCOMPARE(out.str(), std::string("rur 1.0.0\n"));
    std::ostringstream usage;
    QCOMPARE(app::PrintUsage(usage), 0);
    QVERIFY(usage.str().starts_with("Usage: rur [--data DIR] [--version] [--help] [A] [FILE]\n"));
    for (const char* line : {"\n  --help, -h ", "\n  --version ", "\n  --data DIR ", "\n  A ", "\n  FILE "}) {
      QVERIFY2(usage.str().find(line) != std::string::npos, line);
    }
    RefusingBuffer refusing;
    std::ostream failing(&refusing);
    QCOMPARE(app::PrintVersion(failing), 1);
    QCOMPARE(app::PrintUsage(failing), 1);

    const QString rur = QCoreApplication::applicationDirPath() + QStringLiteral("/rur");
    if (!QFile::exists(rur)) QSKIP("rur is not built beside the tests");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(name));
    struct Run {
      QStringList args;
      QByteArray out;
      int exitCode;
      bool toFullDevice = false;
    };
    const QByteArray help = QByteArray::fromStdString(usage.str());
    for (const Run& run : {Run{{"--version"}, "rur 1.0.0\n", 0}, Run{{"--help"}, help, 0}, Run{{"-h", "%1"}, help, 0},
                           Run{{"--help"}, "", 1, true}}) {
      QProcess process;
      process.setProcessEnvironment(env);
      if (run.toFullDevice) process.setStandardOutputFile(QStringLiteral("/dev/full"));
      process.start(rur, run.args);
      QVERIFY(process.waitForFinished(30000));
      QCOMPARE(process.readAllStandardOutput(), run.out);
      QCOMPARE(process.exitStatus(), QProcess::NormalExit);
      QCOMPARE(process.exitCode(), run.exitCode);
    }
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

RUR_WINDOW_TEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
