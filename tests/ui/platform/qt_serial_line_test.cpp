// The serial line on QSerialPort: which device a port number names, how
// the nine parameters reach the device (checked on a pseudo-terminal's
// settings), the refusals with their reasons, the claim against rur-cli,
// and the waits: for bytes, for room, for the operator's abort, and for a
// device that vanishes.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <iterator>

#include "support/temp_dir.h"
#include "ui/pty_controller.h"
#include "ui/platform/qt_serial_line.h"
#include "ui/platform/qt_text.h"

using testing_support::PortVariable;
using testing_support::PseudoTerminal;
using testing_support::SlaveName;

namespace {

data::PortParameters Parameters(std::int32_t baud, std::uint8_t parity, std::int32_t dataBits,
                                std::int32_t stopBits, std::uint8_t hw, std::uint8_t sw) {
  return {.baud = baud, .parity = parity, .dataBits = dataBits, .stopBits = stopBits, .hwFlowOptions = hw,
          .swFlowOptions = sw};
}

// Reads the master until `count` data bytes came or a second passed.
std::vector<std::uint8_t> Drain(const PseudoTerminal& pty, std::size_t count) {
  std::vector<std::uint8_t> data;
  QElapsedTimer clock;
  clock.start();
  while (data.size() < count && clock.elapsed() < 1000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    bool flushed = false;
    while (pty.Read(data, flushed)) {
    }
  }
  return data;
}

// A line opened with the default parameters on a pseudo-terminal that
// RUR_PORT names.
struct OpenLine {
  PseudoTerminal pty;
  PortVariable port{pty.slavePath()};
  ui::QtSerialLine line;
  bool ok = pty.ok() && line.Open(data::PortParameters{});
};

}  // namespace

class QtSerialLineTest : public QObject {
  Q_OBJECT

 private slots:
  void devicesSortByNameAndNumber() {
    QStringList names{"/dev/ttyS10", "/dev/ttyUSB0", "/dev/ttyS2", "/dev/ttyACM1", "/dev/ttyS0", "/dev/ttyS"};
    ui::SortDeviceNames(names);
    QCOMPARE(names, (QStringList{"/dev/ttyACM1", "/dev/ttyS", "/dev/ttyS0", "/dev/ttyS2", "/dev/ttyS10",
                                 "/dev/ttyUSB0"}));
  }

  void rurPortNamesTheDeviceWhateverTheNumber() {
    QCOMPARE(ui::PortDevice(0), QString());
    PortVariable port("/dev/pts/77");
    QCOMPARE(ui::PortDevice(0), QStringLiteral("/dev/pts/77"));
    QCOMPARE(ui::PortDevice(255), QStringLiteral("/dev/pts/77"));
  }

  void parametersMapOntoQSerialPortOrAreRefused() {
    struct Case {
      data::PortParameters port;
      bool mapped;
      QSerialPort::Parity parity;
      QSerialPort::DataBits dataBits;
      QSerialPort::StopBits stopBits;
      QSerialPort::FlowControl flow;
    };
    using P = QSerialPort;
    const Case cases[] = {
        {Parameters(9600, 0, 8, 1, 0, 0), true, P::NoParity, P::Data8, P::OneStop, P::NoFlowControl},
        {Parameters(1, 4, 5, 2, 0, 0), true, P::SpaceParity, P::Data5, P::TwoStop, P::NoFlowControl},
        {Parameters(300, 3, 6, 1, 0x02, 0), true, P::MarkParity, P::Data6, P::OneStop, P::HardwareControl},
        {Parameters(300, 1, 7, 1, 0x08, 3), true, P::OddParity, P::Data7, P::OneStop, P::HardwareControl},
        {Parameters(300, 2, 8, 1, 0x05, 2), true, P::EvenParity, P::Data8, P::OneStop, P::SoftwareControl},
        {Parameters(300, 0, 8, 1, 0x05, 0), true, P::NoParity, P::Data8, P::OneStop, P::NoFlowControl},
        {Parameters(0, 0, 8, 1, 0, 0), false, {}, {}, {}, {}},
        {Parameters(9600, 5, 8, 1, 0, 0), false, {}, {}, {}, {}},
        {Parameters(9600, 0, 4, 1, 0, 0), false, {}, {}, {}, {}},
        {Parameters(9600, 0, 9, 1, 0, 0), false, {}, {}, {}, {}},
        {Parameters(9600, 0, 8, 0, 0, 0), false, {}, {}, {}, {}},
        {Parameters(9600, 0, 8, 3, 0, 0), false, {}, {}, {}, {}},
    };
    for (const Case& c : cases) {
      ui::QtPortSettings s;
      QCOMPARE(ui::ToQtPortSettings(c.port, s), c.mapped);
      if (!c.mapped) continue;
      QCOMPARE(s.baud, c.port.baud);
      QCOMPARE(s.parity, c.parity);
      QCOMPARE(s.dataBits, c.dataBits);
      QCOMPARE(s.stopBits, c.stopBits);
      QCOMPARE(s.flow, c.flow);
    }
  }

  void openSetsTheDeviceRawWithTheParameters() {
    OpenLine open;
    QVERIFY(open.ok);
    // A pseudo-terminal keeps 8 data bits and no parity enable bit of its
    // own; the rest of the settings shows as the line set it.
    constexpr tcflag_t kShown = PARODD | CMSPAR | CSTOPB | CRTSCTS;
    struct Case {
      data::PortParameters port;
      speed_t speed;
      tcflag_t cflags;  // of kShown
      tcflag_t iflags;  // of IXON, IXOFF
    };
    const Case cases[] = {
        {Parameters(9600, 0, 8, 1, 0, 0), B9600, 0, 0},
        {Parameters(115200, 1, 7, 2, 0x02, 0), B115200, PARODD | CSTOPB | CRTSCTS, 0},
        {Parameters(300, 3, 5, 1, 0, 3), B300, PARODD | CMSPAR, IXON | IXOFF},
        {Parameters(1200, 4, 6, 1, 0x01, 0), B1200, CMSPAR, 0},
        {Parameters(38400, 2, 8, 2, 0, 1), B38400, CSTOPB, IXON | IXOFF},
    };
    ui::QtSerialLine& line = open.line;
    for (const Case& c : cases) {
      QVERIFY(line.Open(c.port));
      const termios t = open.pty.SlaveSettings();
      QCOMPARE(cfgetospeed(&t), c.speed);
      QCOMPARE(t.c_cflag & kShown, c.cflags);
      QCOMPARE(t.c_iflag & (IXON | IXOFF), c.iflags);
      QCOMPARE(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), tcflag_t(0));
      QCOMPARE(t.c_oflag & OPOST, tcflag_t(0));
      QCOMPARE(t.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP), tcflag_t(0));
    }
    line.Close();
    QVERIFY(!line.isOpen());
    line.Close();  // always possible
  }

  // Each refusal names the device (or the port number) and the reason. Which
  // devices and settings are refused is decided before QSerialPort opens
  // anything, as for rur-cli's line (tested there); here a setting, and a
  // device that only the opening finds to be no terminal.
  void refusalsNameTheDeviceAndTheReason() {
    PseudoTerminal pty;
    QVERIFY(pty.ok());
    struct Case {
      QString device;
      data::PortParameters port;
      QString reason;
    };
    const Case cases[] = {
        {QStringLiteral("/dev/full"), {}, QStringLiteral("keine serielle Schnittstelle (kein Terminal)")},
        {SlaveName(pty), {.baud = 12345}, QStringLiteral("Baudrate 12345 nicht einstellbar")},
    };
    for (const Case& c : cases) {
      PortVariable port(c.device.toStdString());
      ui::QtSerialLine line;
      QVERIFY(!line.Open(c.port));
      QVERIFY(!line.isOpen());
      QCOMPARE(ui::ToQt(line.Failure()), QStringLiteral("Schnittstelle %1: %2").arg(c.device, c.reason));
      line.Wait(transfer::LineWait::kInput);  // returns at once: nothing to wait on
    }
    ui::QtSerialLine line;  // no RUR_PORT: a port number beyond the devices present
    QVERIFY(!line.Open({.comNumber = 255}));
    QVERIFY(ui::ToQt(line.Failure()).startsWith(QStringLiteral("Schnittstelle 255: nicht vorhanden (serielle Schnittstellen: ")));
  }

  // The window's line and rur-cli keep off each other both ways, under the
  // device's name (the lock file) and under another (the lock on the
  // device), and each says who holds the port.
  void theWindowAndRurCliKeepOffEachOther() {
    PseudoTerminal pty;
    QVERIFY(pty.ok());
    testing_support::TempDir dir;
    std::ifstream catalogue(RUR_SOURCE_DIR "/resources/msg.dat", std::ios::binary);
    dir.Write("msg.dat", std::string(std::istreambuf_iterator<char>(catalogue), {}));
    const QString link = QString::fromStdString(dir.File("link"));
    QCOMPARE(::symlink(SlaveName(pty).toLocal8Bit().constData(), link.toLocal8Bit().constData()), 0);
    const auto send = [&](const QString& device) {
      return QStringList{QStringLiteral("send"), QStringLiteral(RUR_SOURCE_DIR "/resources/examples/%300"),
                         QStringLiteral("--port"), device, QStringLiteral("--data"), QString::fromStdString(dir.path())};
    };
    const QString belegt = QStringLiteral("Schnittstelle %1: belegt von %2 (PID %3)");
    {
      PortVariable port(pty.slavePath());
      ui::QtSerialLine line;
      QVERIFY(line.Open(data::PortParameters{}));
      for (const QString& device : {SlaveName(pty), link}) {
        QProcess cli;
        cli.start(QStringLiteral(RUR_CLI_PATH), send(device));
        QVERIFY(cli.waitForFinished(20000));
        QCOMPARE(cli.exitCode(), 1);
        QCOMPARE(QString::fromUtf8(cli.readAllStandardOutput()),
                 belegt.arg(device, "qt_serial_line_test").arg(QCoreApplication::applicationPid()) + "\n");
      }
    }
    std::vector<std::uint8_t> ignored;
    for (bool flushed = false; pty.Read(ignored, flushed);) {
    }  // the flush of the line's closing
    QProcess cli;
    cli.start(QStringLiteral(RUR_CLI_PATH), send(SlaveName(pty)));
    QVERIFY(pty.WaitForInputFlush());  // rur-cli holds the port and waits for the controller
    for (const QString& device : {SlaveName(pty), link}) {
      PortVariable port(device.toStdString());
      ui::QtSerialLine line;
      QVERIFY(!line.Open(data::PortParameters{}));
      QCOMPARE(ui::ToQt(line.Failure()), belegt.arg(device, "rur-cli").arg(cli.processId()));
    }
    cli.terminate();
    QVERIFY(cli.waitForFinished(20000));
    PortVariable port(pty.slavePath());
    ui::QtSerialLine line;
    QVERIFY(line.Open(data::PortParameters{}));
  }

  void waitSleepsUntilBytesArrive() {
    OpenLine open;
    QVERIFY(open.ok);
    QTimer::singleShot(50, [&] { open.pty.Write({0x15, 0x06}); });
    std::vector<std::uint8_t> got;
    while (got.size() < 2) {  // the bytes may come in more than one piece
      open.line.Wait(transfer::LineWait::kInput);
      const std::size_t before = got.size();
      open.line.ReadAvailable(got);
      QVERIFY(got.size() > before);  // it woke for bytes, not for nothing
    }
    QVERIFY(got == (std::vector<std::uint8_t>{0x15, 0x06}));
  }

  void interruptEndsTheWaitAndIsNotKeptForTheNextOne() {
    OpenLine open;
    QVERIFY(open.ok);
    bool interrupted = false;
    QTimer::singleShot(50, [&] {
      interrupted = true;
      open.line.Interrupt();
    });
    open.line.Wait(transfer::LineWait::kInput);
    QVERIFY(interrupted);

    open.line.Interrupt();  // between waits: the next one returns at once
    open.line.Wait(transfer::LineWait::kInput);
    QTimer::singleShot(50, [&] { open.pty.Write({0x06}); });
    open.line.Wait(transfer::LineWait::kInput);  // and the one after sleeps again
    std::vector<std::uint8_t> got;
    open.line.ReadAvailable(got);
    QVERIFY(got == std::vector<std::uint8_t>{0x06});
  }

  void writeTakesWhatFitsAndWaitingForRoomEndsWhenBytesGoOut() {
    OpenLine open;
    QVERIFY(open.ok);
    const std::vector<std::uint8_t> bytes(5000, 'a');
    QCOMPARE(open.line.Write(bytes), std::size_t(ui::QtSerialLine::kOutputRoom));
    QCOMPARE(open.line.Write(bytes), std::size_t{0});
    open.line.Wait(transfer::LineWait::kInputOrRoom);
    QCOMPARE(open.line.Write(std::span(bytes).first(1)), std::size_t{1});
    QCOMPARE(Drain(open.pty, 4097), std::vector<std::uint8_t>(4097, 'a'));
  }

  void closeDropsTheOutputNotYetSent() {
    OpenLine open;
    QVERIFY(open.ok);
    const std::vector<std::uint8_t> bytes(100, 'b');
    QCOMPARE(open.line.Write(bytes), std::size_t{100});
    open.line.Close();
    QVERIFY(Drain(open.pty, 1).empty());
  }

  void aVanishedDeviceEndsTheWaitWithAFailureNamingThePort() {
    OpenLine open;
    QVERIFY(open.ok);
    QTimer::singleShot(50, [&] { open.pty.Hangup(); });
    bool gaveUp = false;
    QTimer::singleShot(5000, [&] {
      gaveUp = true;
      open.line.Interrupt();
    });
    while (open.line.Failure().empty() && !gaveUp) open.line.Wait(transfer::LineWait::kInput);
    // A hang-up reads as the end of the input, which QSerialPort reports as
    // a read error.
    QCOMPARE(QString::fromLatin1(open.line.Failure().c_str()),
             QStringLiteral("Lesefehler an der Schnittstelle %1!").arg(SlaveName(open.pty)));
    open.line.Close();
  }
};

QTEST_MAIN(QtSerialLineTest)
#include "qt_serial_line_test.moc"
