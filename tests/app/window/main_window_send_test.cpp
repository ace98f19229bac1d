// The send command of the main window offscreen, end to end over a
// pseudo-terminal on which the test plays the controller: the frames on
// the wire, the status line, the enable rules before, during and after a
// transfer, the sent path in the path view, the abort, the compensation's
// and the work area's questions, a missing port, the byte trace, the error
// search afterwards, and sending again from the first block the controller
// did not confirm.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPainter>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <optional>

#include "support/trace_bytes.h"
#include "transfer/frames.h"
#include "ui/component_names.h"
#include "ui/path_view/path_view.h"
#include "ui/platform/qt_serial_line.h"
#include "ui/pty_controller.h"
#include "window/view_window.h"
#include "window_fixture.h"
#include "workstation/send_command.h"

using namespace std::chrono_literals;
using namespace testing_support;

namespace {

const QString kWaiting = QStringLiteral("Warte auf QVM-Rückmeldung!");
const QString kSending = QStringLiteral("Daten werden gesendet!");
const QString kFinished = QStringLiteral("Datenübertragung beendet!");
const QString kAbortedAtPc = QStringLiteral("Abbruch am PC");

// A square milled outside under G42 with tool 1 (radius 5); it makes two frames.
const QString kSquare = QStringLiteral(
    "%1\nN10 T1 D1 F100\nN20 G0 X100 Y100\nN30 G42 G1 X200\nN40 Y200\nN50 X100\nN60 Y100\nN70 G40 G0 X0 Y0\n"
    "N80 M30");

// The commands that are enabled, the end picture among them.
const QStringList kAfterTransfer{"neues",     "laden",     "speichern",  "abbruch",   "Schnittstelle",
                                 "Werkzeugtaste", "nullpunkt", "fehlersuche", "simuliere", "showeditor",
                                 "CheckBox1", "Image2"};

// A tool table with tool 1 of radius 5 (20-byte records: length, radius).
void WriteToolFile(TempDir& dir) {
  std::vector<std::uint8_t> bytes(100 * 20, 0);
  const std::uint8_t five[] = {0, 0, 0, 0, 0, 0, 0, 0xA0, 0x01, 0x40};
  std::copy(std::begin(five), std::end(five), bytes.begin() + 30);
  dir.Write("QVM_wkz.dat", bytes);
}

// A drawn square (when given) and the port on a pseudo-terminal, or on a
// device that does not exist.
struct SendFixture : WindowFixture {
  explicit SendFixture(bool onPty = true, const QString& program = kSquare)
      : port(onPty ? pty.slavePath() : std::string("/nonexistent/rur-port")) {
    WriteToolFile(dir);
    Start();
    window.OnActivated();
    // A transfer that never ends is aborted, which shows an unexpected message.
    softLimit.setSingleShot(true);
    QObject::connect(&softLimit, &QTimer::timeout, &window, [this] {
      timedOut = true;
      window.OnAbort();
    });
    softLimit.start(20s);
    Draw(program);
  }
  // Sends; the controller starts once the window waits for it.
  void Send() {
    QSignalSpy spy(&window, &app::MainWindow::statusShown);
    window.OnSend();
    for (const QList<QVariant>& args : spy) statuses << args.at(0).toString();
  }
  bool Waiting() { return status().text() == kWaiting; }
  // Runs the error search for the text typed into "Zeile:"; a message
  // window that follows is closed.
  void Search(const QString& typed) {
    host.Then([typed](QDialog& d) {
      Part<QLineEdit>(d, ui::kLineNumberDialogNames.field).setText(typed);
      return int(QDialog::Accepted);
    });
    host.Answer(QDialog::Accepted);
    window.OnErrorSearch();
  }
  const data::MessageLabels& labels() { return ws().messages().labels(); }
  bool PortOpen() { return Get<ui::QtSerialLine>(kNames.serialLine).isOpen(); }

  PseudoTerminal pty;
  PortVariable port;
  QStringList statuses;
  QTimer softLimit;
  bool timedOut = false;
};

}  // namespace

class MainWindowSendTest : public QObject {
  Q_OBJECT

 private slots:
  // A whole transfer; the open path view shows the sent path as the
  // picture does, in red, growing with the transfer, and the next drawing
  // replaces it. A second transfer is aborted at the PC.
  void transferSendsEveryFrameAndHoldsTheCommandsWhileItRuns() {
    SendFixture f;
    QVERIFY(f.pty.ok());
    f.host.Answer(QDialog::Accepted);  // message 181
    f.Press(kNames.abortButton);       // an abort before the command does not hold it
    QVERIFY(f.Enabled(kNames.sendButton));
    auto& viewWindow = f.Get<app::ViewWindow>(ui::kViewWindowNames.window);
    f.window.OpenView();
    QApplication::processEvents();  // the view's layout settles around the drawing it shows
    auto& view = Part<ui::PathView>(viewWindow, ui::kViewWindowNames.view);
    const auto pixels = [&view](QColor colour) {
      QImage image(view.size(), QImage::Format_RGB32);
      QPainter painter(&image);
      view.Render(painter);
      painter.end();
      return PixelsOf(image, colour);
    };
    QCOMPARE(pixels(Qt::red), 0);
    const int drawn = pixels(Qt::yellow);
    QVERIFY(drawn > 300);

    QStringList during;
    bool closeRefused = false;
    QString refusal;
    bool portOpen = false;
    bool drawAfterEdit = true;
    int redAtFirstFrame = -1;
    data::RunPhase phaseAfterActivation = data::RunPhase::kIdle;
    std::optional<PtyController> controller;  // one for each transfer
    controller.emplace(
        f.pty, [&] { return f.Waiting(); },
        [&](const transfer::ReceivedFrame&, std::size_t index) -> std::vector<std::uint8_t> {
          if (index == 0) {
            redAtFirstFrame = pixels(Qt::red);
            during = f.Commands();
            portOpen = f.PortOpen();
            f.window.OnActivated();  // as after a message window: the transfer keeps its hold
            phaseAfterActivation = f.ws().phase();
            closeRefused = !f.window.MayClose() && !f.window.close();
            refusal = f.status().text();  // said there: no box inside the transfer's waits
            f.editor().appendPlainText(QStringLiteral("N90"));  // the editor stays usable...
            drawAfterEdit = f.Enabled(kNames.drawButton);      // ...but drawing does not start
          }
          return {6};
        });
    f.Send();
    QVERIFY(!f.timedOut);
    QCOMPARE(f.host.unexpected, 0);

    // What went over the wire is exactly the frames of the compensated blocks.
    QVERIFY(controller->started());
    const std::vector<transfer::ReceivedFrame>& frames = controller->frames();
    QCOMPARE(frames.size(), std::size_t{2});
    QVERIFY(frames[0].valid && !frames[0].last);
    QVERIFY(frames[1].valid && frames[1].last);
    transfer::FrameSource source = rur::SentFrames(f.ws(), false);
    std::vector<std::uint8_t> wire;
    for (transfer::Frame frame; source.Next(frame);) {
      const std::vector<std::uint8_t> bytes = transfer::WireBytes(frame);
      wire.insert(wire.end(), bytes.begin(), bytes.end());
    }
    QVERIFY(controller->received() == wire);

    QCOMPARE(during, (QStringList{"abbruch", "showeditor", "CheckBox1"}));
    QVERIFY(portOpen);
    QCOMPARE(phaseAfterActivation, data::RunPhase::kRunning);
    QVERIFY(closeRefused);
    QCOMPARE(refusal, QStringLiteral("Schließen nicht möglich, solange die Übertragung läuft (\"Abbruch\" beendet sie)."));
    QVERIFY(!drawAfterEdit);
    QCOMPARE(f.statuses.value(0), kWaiting);
    QCOMPARE(f.statuses.value(1), kSending);
    QCOMPARE(f.statuses.last(), kFinished);
    QCOMPARE(f.status().text(), kFinished);

    QCOMPARE(f.Commands(), kAfterTransfer);
    QVERIFY(!f.PortOpen());
    QVERIFY(!f.window.commandRunning());
    QCOMPARE(f.ws().phase(), data::RunPhase::kIdle);
    QCOMPARE(f.Get<QProgressBar>(kNames.progressBar).value(), 100);
    QVERIFY(f.PicturePixels(Qt::red) > 300);
    QVERIFY(f.window.programModified());  // the editor's text was not saved
    const int redAtEnd = pixels(Qt::red);
    QVERIFY(redAtFirstFrame >= 0 && redAtFirstFrame < redAtEnd);
    QVERIFY(redAtEnd > 300);
    QCOMPARE(pixels(Qt::yellow), 0);
    QVERIFY(!f.Get<QLabel>(kNames.transferFigures).text().isEmpty());

    // A new drawing takes the transfer's texts, progress, figures and sent path.
    f.Draw(kSquare);
    QCOMPARE(f.status().text(), QStringLiteral("Meldung"));
    QCOMPARE(f.Get<QProgressBar>(kNames.progressBar).value(), 0);
    QCOMPARE(f.Get<QLabel>(kNames.transferFigures).text(), QString());
    QCOMPARE(pixels(Qt::red), 0);
    QCOMPARE(pixels(Qt::yellow), drawn);
    f.statuses.clear();
    controller.emplace(
        f.pty, [&] { return f.Waiting(); },
        [&](const transfer::ReceivedFrame&, std::size_t) -> std::vector<std::uint8_t> {
          f.host.Answer(QDialog::Accepted);  // message 181
          f.Press(kNames.abortButton);
          return {};  // no reply: only the abort ends the wait
        });
    f.Send();
    QVERIFY(!f.timedOut);
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(controller->frames().size(), std::size_t{1});
    QCOMPARE(f.labels().number, std::string("181"));
    QVERIFY(f.statuses.contains(kAbortedAtPc));
    QVERIFY(!f.PortOpen());
    QCOMPARE(f.Commands(), kAfterTransfer);
    QCOMPARE(f.ws().phase(), data::RunPhase::kIdle);
    // The frame out was never confirmed: the bar, the sent path and the
    // figures show nothing of it, and the status keeps the abort.
    QCOMPARE(f.status().text(), kAbortedAtPc);
    QCOMPARE(f.Get<QProgressBar>(kNames.progressBar).value(), 0);
    QCOMPARE(f.PicturePixels(Qt::red), 0);
    QCOMPARE(pixels(Qt::red), 0);
    QVERIFY(f.Get<QLabel>(kNames.transferFigures).text().startsWith(QStringLiteral("Satz 0 von ")));

    // "Protokoll" shows both transfers, the aborted one first.
    f.Press(kNames.transferLogButton);
    const QString log = Part<QPlainTextEdit>(f.Get<QWidget>(ui::kTransferLogNames.window), ui::kTransferLogNames.entries)
                            .toPlainText();
    const qsizetype aborted = log.indexOf(QStringLiteral("Ende: Abbruch am PC\nZuletzt bestätigt: Satz 0\n"));
    const qsizetype finished = log.indexOf(QStringLiteral("Ende: Datenübertragung beendet!\n"));
    QVERIFY(aborted > 0 && finished > aborted);
    QCOMPARE(log.count(QStringLiteral("Übertragung 2")), 2);
  }

  // The byte trace, off until it is chosen beside the port parameters:
  // QVM_trace.txt in the data directory then holds every byte the
  // controller received and sent. A trace that cannot be written is said.
  void traceChosenInThePortDialogHoldsTheBytesOfBothDirections() {
    SendFixture f;
    QVERIFY(f.pty.ok());
    // Sets the trace in the port dialog; whether it was offered the other way.
    const auto chooseTrace = [&f](bool on) {
      bool offered = false;
      f.host.Then(On<QDialog>([&f, on, &offered](QDialog& setup) {
        f.host.Then(On<QDialog>([on, &offered](QDialog& port) {
          auto& box = Part<QCheckBox>(port, ui::kPortDialogNames.trace);
          offered = !box.isHidden() && box.isChecked() != on;
          box.setChecked(on);
          Part<QPushButton>(port, ui::kPortDialogNames.okButton).click();
        }));
        Part<QAction>(setup, ui::kInstallationDialogNames.portItem).trigger();
        Part<QAction>(setup, ui::kInstallationDialogNames.endItem).trigger();
      }));
      f.Press(kNames.installationButton);
      return offered;
    };
    const QString file = QString::fromStdString(f.dir.File("QVM_trace.txt"));
    std::optional<PtyController> controller;  // one for each transfer
    const auto send = [&](std::uint8_t firstReply) {
      f.Draw(kSquare);
      controller.emplace(f.pty, [&] { return f.Waiting(); },
                         [firstReply](const transfer::ReceivedFrame&, std::size_t index) -> std::vector<std::uint8_t> {
                           return {index == 0 ? firstReply : std::uint8_t{6}};
                         });
      f.Send();
      QVERIFY(!f.timedOut);
      QCOMPARE(f.status().text(), kFinished);
    };

    QVERIFY(chooseTrace(true));  // unchecked at first
    send(21);                    // frame 1 repeated
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(controller->frames().size(), std::size_t{3});
    const TraceBytes trace = ReadTrace(f.dir.Read("QVM_trace.txt"));
    QCOMPARE(trace.fault, std::string());
    QVERIFY(trace.sent == controller->received());
    QVERIFY(trace.received == (std::vector<std::uint8_t>{PtyController::kStartByte, 21, 6, 6}));

    std::filesystem::remove(file.toStdString());
    std::filesystem::create_directory(file.toStdString());
    f.host.Answer(QMessageBox::Ok);
    send(6);
    QCOMPARE(f.host.unexpected, 0);
    QVERIFY2(f.host.shown.last().startsWith(QStringLiteral("Der Byte-Mitschnitt ") + file +
                                            QStringLiteral(" konnte nicht geschrieben werden!\r\n")),
             qPrintable(f.host.shown.last()));

    QVERIFY(chooseTrace(false));  // checked, as chosen before
    std::filesystem::remove(file.toStdString());
    send(6);
    QCOMPARE(f.host.unexpected, 0);
    QVERIFY(!f.dir.Exists("QVM_trace.txt"));
  }

  // A compensation message sends nothing. A contour compensated with
  // radius 0 (D0) is asked about first: No sends nothing, Yes goes on to
  // the port. A missing port is reported and nothing is sent, but the
  // blocks are made all the same: the error search names their lines.
  void aCompensationMessageOrAMissingPortSendsNothing() {
    SendFixture f(false, QStringLiteral("%1\nN10 T1 D1 F100\nN20 G0 X100 Y100\nN30 G41 G2 X120 Y120 I120 J100\n"
                                        "N40 G40 G0 X0"));
    QVERIFY(f.Enabled(kNames.sendButton));
    f.host.Answer(QDialog::Accepted);  // the message window; no port warning follows
    f.Send();
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.labels().description,
             std::string("Radiuskorrektur kann nur, in \" G0 oder G1 \" aufgebaut werden!"));
    QVERIFY(f.statuses.isEmpty());
    QCOMPARE(f.PicturePixels(Qt::red), 0);
    QVERIFY(!f.Enabled(kNames.sendButton));
    QCOMPARE(f.editor().textCursor().blockNumber(), 3);  // the block the compensation refused
    QCOMPARE(f.status().text(), QStringLiteral("Fehler in Zeile 4"));

    // A path that leaves the work area is asked about the same way.
    const std::pair<QString, QString> questions[] = {
        {QStringLiteral("%1\nN10 T1 D0 F100\nN20 G0 X100 Y100\nN30 G41 G1 X120\nN40 G40 G0 X0"),
         QStringLiteral("Radiuskorrektur mit Werkzeugradius 0 (D0) in 1 Satz, zuerst im Satz: N30 G41 G1 X120\n"
                        "Diese Kontur wird nicht korrigiert gesendet.\n\nTrotzdem senden?")},
        {QStringLiteral("%1\nN10 G0 X0 Y0\nN20 G1 X400.001 Y300 F100\nN30 M30"),
         QStringLiteral("1 Satz au\u00dferhalb des Arbeitsbereichs, Bahn X 0..400.001 Y 0..300 mm\n\n"
                        "Trotzdem senden?")},
    };
    for (const auto& [program, question] : questions) {
      f.Draw(program);
      for (const bool yes : {false, true}) {
        f.statuses.clear();
        const qsizetype before = f.host.shown.size();
        f.host.Answer(yes ? QMessageBox::Yes : QMessageBox::No);
        if (yes) f.host.Answer(QMessageBox::Ok);  // the missing port
        f.Send();
        QCOMPARE(f.host.unexpected, 0);
        QCOMPARE(f.host.shown.value(before), question);
        QCOMPARE(f.host.shown.size(), before + (yes ? 2 : 1));  // asked once
        QCOMPARE(f.host.shown.last().startsWith(QStringLiteral("Ausgabeport")), yes);
        QCOMPARE(f.statuses.isEmpty(), !yes);
        f.Press(kNames.drawButton);
      }
    }

    f.Draw(kSquare);
    f.statuses.clear();
    f.host.Answer(QMessageBox::Ok);
    f.Send();
    QCOMPARE(f.host.unexpected, 0);
    const QString reason = QStringLiteral("Schnittstelle /nonexistent/rur-port: nicht vorhanden");
    QCOMPARE(f.host.shown.last(), QStringLiteral("Ausgabeport nicht vorhanden oder ist defekt !\r\n") + reason);
    QCOMPARE(f.statuses, QStringList{reason});
    QVERIFY(!f.PortOpen());
    QCOMPARE(f.Commands(), kAfterTransfer);
    // Each of the ten lines of the work listing (a blank line, the header
    // and the eight blocks) makes a block, and three corners are added:
    // block 4 is the rapid move, the last is the M30. (Numbers outside the
    // store: ErrorSearchTest; what the field takes: LineNumberDialogTest.)
    QCOMPARE(f.ws().sentStore().count(), 13);
    // The editor goes to the block's line; the status line names it.
    struct Found {
      const char* typed;
      const char* block;
      int editorLine;
    };
    for (const Found& found : {Found{"4", "N20 G0 X100 Y100", 2}, Found{"13", "N80 M30", 8}}) {
      f.Search(QString::fromLatin1(found.typed));
      QCOMPARE(f.host.unexpected, 0);
      QCOMPARE(f.labels().number, std::string("Direkt"));
      QCOMPARE(f.labels().description, std::string());
      QCOMPARE(f.labels().block, std::string(found.block));
      QCOMPARE(f.editor().textCursor().blockNumber(), found.editorLine);
      QCOMPARE(f.status().text(),
               QStringLiteral("Satz %1: Zeile %2").arg(found.typed).arg(found.editorLine + 1));
    }
    // A number the store does not hold says only that: nothing of the block before.
    f.Search(QStringLiteral("14"));
    QCOMPARE(f.labels().description, std::string("CNC-Zeile nicht   \"AUFFINDBAR\""));
    QCOMPARE(f.labels().program, std::string());
    QCOMPARE(f.labels().block, std::string());
    QCOMPARE(f.status().text(), QStringLiteral("Meldung"));
    QCOMPARE(f.editor().textCursor().blockNumber(), 8);
    // Cancelled, or OK on an empty field: nothing is searched.
    const qsizetype shown = f.host.shown.size();
    f.host.Answer(QDialog::Rejected);
    f.Press(kNames.errorSearchButton);
    f.Search(QString());
    QCOMPARE(f.host.shown.size(), shown + 2);
    QCOMPARE(f.host.handlers.size(), std::size_t{1});  // the message window's answer is left
    f.host.handlers.clear();

    // "&Neues", "&Laden" and the end picture leave nothing of the transfer
    // or the drawing before, in the picture and in the view.
    auto& viewWindow = f.Get<app::ViewWindow>(ui::kViewWindowNames.window);
    viewWindow.Open();
    const auto viewPixels = [&view = Part<ui::PathView>(viewWindow, ui::kViewWindowNames.view)](QColor colour) {
      QImage image(view.size(), QImage::Format_RGB32);
      QPainter painter(&image);
      view.Render(painter);
      painter.end();
      return PixelsOf(image, colour);
    };
    for (const char* command : {kNames.newButton, kNames.loadButton, kNames.endPicture}) {
      for (const bool sent : {false, true}) {
        f.Draw(kSquare);
        QVERIFY(f.PicturePixels(Qt::yellow) > 0 && viewPixels(Qt::yellow) > 0);
        if (sent) {
          f.host.Answer(QMessageBox::Ok);  // the missing port
          f.Send();
          QCOMPARE(f.status().text(), reason);
          f.host.Answer(QDialog::Accepted);  // message 181
          f.Press(kNames.abortButton);       // fills the bar
          QCOMPARE(f.Get<QProgressBar>(kNames.progressBar).value(), 100);
        }
        f.host.Answer(QMessageBox::No);  // the drawn text is not saved
        if (command == kNames.loadButton) {
          f.Load("%3", "%3\r\nN10 G01 X10 F100\r\nN20 M30\r\n");
        } else if (command == kNames.endPicture) {
          f.window.OnEndPicture();
        } else {
          f.Press(command);
        }
        QCOMPARE(f.host.unexpected, 0);
        QCOMPARE(f.status().text(), QStringLiteral("Meldung"));
        QCOMPARE(f.Get<QProgressBar>(kNames.progressBar).value(), 0);
        QCOMPARE(f.Get<QLabel>(kNames.transferFigures).text(), QString());
        QCOMPARE(f.PicturePixels(Qt::yellow) + f.PicturePixels(Qt::red), 0);
        QCOMPARE(viewPixels(Qt::yellow) + viewPixels(Qt::red), 0);
        if (command == kNames.endPicture) f.Start();
      }
    }
  }
  // The controller stops the square's transfer at its second frame: "Ab
  // Satz senden" offers the block after the last one whole in the first
  // frame. That block lies in the contour, so the new transfer starts at the
  // contour's first block (an information box says so), after the "%" line
  // and the block before it restated; the blocks keep their numbers.
  void sendFromTheFirstBlockNotConfirmed() {
    SendFixture f;
    QVERIFY(!f.Enabled(kNames.sendFromButton));
    std::optional<PtyController> controller;
    controller.emplace(
        f.pty, [&] { return f.Waiting(); },
        [](const transfer::ReceivedFrame&, std::size_t index) -> std::vector<std::uint8_t> {
          return {static_cast<std::uint8_t>(index == 0 ? 6 : 24)};
        });
    f.Send();
    QCOMPARE(controller->frames().size(), std::size_t{2});
    QVERIFY(f.Enabled(kNames.sendFromButton));
    const std::vector<std::uint8_t>& data = controller->frames()[0].data;
    const QStringList lines = QString::fromLatin1(reinterpret_cast<const char*>(data.data()), qsizetype(data.size()))
                                  .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const int offered = lines.last().mid(1, 4).toInt() + 1;
    QString field;
    f.host.Then([&field](QDialog& d) {
      field = Part<QLineEdit>(d, ui::kSendFromDialogNames.field).text();
      return int(QDialog::Accepted);
    });
    f.host.Answer(QMessageBox::Ok);  // the contour's first block
    controller.emplace(
        f.pty, [&] { return f.Waiting(); },
        [](const transfer::ReceivedFrame&, std::size_t) -> std::vector<std::uint8_t> { return {6}; });
    f.statuses.clear();
    QSignalSpy spy(&f.window, &app::MainWindow::statusShown);
    f.window.OnSendFrom();
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(field, QString::number(offered));
    const QString contour = f.host.shown.last();
    QVERIFY2(contour.startsWith(QStringLiteral("Satz %1 liegt in einer korrigierten Kontur").arg(offered)),
             qPrintable(contour));
    QCOMPARE(spy.last().at(0).toString(), kFinished);
    const int start = contour.section(QLatin1Char(' '), -1).chopped(1).toInt();
    QVERIFY(start > 1 && start < offered);
    std::string received;
    for (const transfer::ReceivedFrame& frame : controller->frames()) received.append(frame.data.begin(), frame.data.end());
    const std::string restated = "%\r\nN" + QStringLiteral("%1").arg(start - 1, 4, 10, QLatin1Char('0')).toStdString();
    QCOMPARE(received.substr(0, restated.size()), restated);
    transfer::FrameSource whole = rur::SentFrames(f.ws(), false);
    std::string all;
    for (transfer::Frame frame; whole.Next(frame);) all.append(frame.data.begin(), frame.data.end());
    const std::string from = "\r\nN" + QStringLiteral("%1").arg(start, 4, 10, QLatin1Char('0')).toStdString();
    QCOMPARE(received.substr(received.find(from)), all.substr(all.find(from)));
    QVERIFY(f.PicturePixels(Qt::red) > 0);
  }
};

RUR_WINDOW_TEST_MAIN(MainWindowSendTest)
#include "main_window_send_test.moc"
