// rur-cli's serial line: the port parameters in termios terms (each at its
// limits), and the line itself on a pseudo-terminal held by the test: bytes
// both ways, discarding, the other side hanging up, the refusals with their
// reasons, the claim against a second opener and foreign lock files, the
// terminal settings given back, and SIGINT waking a wait.
#include "cli/posix_serial_line.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "cli/terminal_settings.h"
#include "support/ordinary_user.h"
#include "support/pseudo_terminal.h"
#include "support/temp_dir.h"
#include "transfer/port_claim.h"

namespace {

using cli::ApplyPortParameters;
using data::PortParameters;

termios Applied(const PortParameters& port) {
  termios tio{};
  EXPECT_TRUE(ApplyPortParameters(port, tio));
  return tio;
}

bool Has(tcflag_t flags, tcflag_t bits) { return (flags & bits) == bits; }

TEST(TerminalSettings, BaudRatesAtTheEndsOfTheRange) {
  EXPECT_EQ(cli::TerminalSpeed(300), B300);
  EXPECT_EQ(cli::TerminalSpeed(9600), B9600);
  EXPECT_EQ(cli::TerminalSpeed(115200), B115200);
  for (const std::int32_t refused : {0, -9600, 299, 14400, 115201, 230400}) {
    EXPECT_EQ(cli::TerminalSpeed(refused), B0) << refused;
    termios tio{};
    EXPECT_FALSE(ApplyPortParameters({.baud = refused}, tio)) << refused;
  }
  const termios tio = Applied({.baud = 115200});
  EXPECT_EQ(cfgetispeed(&tio), B115200);
  EXPECT_EQ(cfgetospeed(&tio), B115200);
}

TEST(TerminalSettings, DefaultsAreRawEightBitsWithoutFlowControl) {
  const termios tio = Applied(PortParameters{});
  EXPECT_TRUE(Has(tio.c_cflag, CS8 | CLOCAL | CREAD));
  EXPECT_EQ(tio.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(tio.c_iflag & (IXON | IXOFF | IXANY | ICRNL | ISTRIP), 0u);
  EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
  EXPECT_EQ(tio.c_oflag & OPOST, 0u);
  EXPECT_EQ(tio.c_cc[VMIN], 1);
  EXPECT_EQ(tio.c_cc[VTIME], 0);
}

TEST(TerminalSettings, ParityDataBitsAndStopBits) {
  struct Parity {
    std::uint8_t code;
    tcflag_t set;
    tcflag_t clear;
  };
  for (const Parity p : {Parity{0, 0, PARENB}, Parity{1, PARENB | PARODD, CMSPAR}, Parity{2, PARENB, PARODD | CMSPAR},
                         Parity{3, PARENB | PARODD | CMSPAR, 0}, Parity{4, PARENB | CMSPAR, PARODD}}) {
    const termios tio = Applied({.parity = p.code});
    EXPECT_TRUE(Has(tio.c_cflag, p.set)) << int{p.code};
    EXPECT_EQ(tio.c_cflag & p.clear, 0u) << int{p.code};
  }
  const std::pair<std::int32_t, tcflag_t> sizes[] = {{5, CS5}, {6, CS6}, {7, CS7}, {8, CS8}};
  for (const auto& [bits, size] : sizes) EXPECT_EQ(Applied({.dataBits = bits}).c_cflag & CSIZE, size) << bits;
  EXPECT_TRUE(Has(Applied({.stopBits = 2}).c_cflag, CSTOPB));
  EXPECT_FALSE(Has(Applied({.stopBits = 1}).c_cflag, CSTOPB));
  for (const PortParameters refused : {PortParameters{.parity = 5}, PortParameters{.dataBits = 4},
                                       PortParameters{.dataBits = 9}, PortParameters{.stopBits = 0},
                                       PortParameters{.stopBits = 3}}) {
    termios tio{};
    EXPECT_FALSE(ApplyPortParameters(refused, tio));
  }
}

TEST(TerminalSettings, FlowControlBits) {
  struct Case {
    std::uint8_t hardware;
    std::uint8_t software;
    bool rtsCts;
    bool ixon;
    bool ixoff;
  };
  const Case cases[] = {
      {0x01, 0, false, false, false},  // DTR: no termios counterpart
      {0x04, 0, false, false, false},  // DSR: likewise
      {0x02, 0, true, false, false},   // RTS
      {0x08, 0, true, false, false},   // CTS
      {0x0F, 0, true, false, false},
      {0, 1, false, false, true},  // receive: we send XOff/XOn
      {0, 2, false, true, false},  // transmit: we obey XOff/XOn
      {0, 3, false, true, true},
  };
  for (const Case& c : cases) {
    const termios tio = Applied({.hwFlowOptions = c.hardware, .swFlowOptions = c.software, .xOnChar = 17,
                                 .xOffChar = 19});
    EXPECT_EQ(Has(tio.c_cflag, CRTSCTS), c.rtsCts) << int{c.hardware};
    EXPECT_EQ(Has(tio.c_iflag, IXON), c.ixon) << int{c.software};
    EXPECT_EQ(Has(tio.c_iflag, IXOFF), c.ixoff) << int{c.software};
    EXPECT_EQ(tio.c_cc[VSTART], 17);
    EXPECT_EQ(tio.c_cc[VSTOP], 19);
  }
}

// A pseudo-terminal whose slave the line under test opens. An alarm ends
// the test binary should a wait of the line never return.
class PosixLine : public ::testing::Test {
 protected:
  void SetUp() override {
    ::alarm(20);
    ASSERT_TRUE(pty_.ok());
  }
  void TearDown() override { ::alarm(0); }

  // Reads until `count` bytes have come, waiting on the line.
  std::vector<std::uint8_t> ReadLine(cli::PosixSerialLine& line, std::size_t count) {
    std::vector<std::uint8_t> bytes;
    while (bytes.size() < count && line.Failure().empty()) {
      line.Wait(transfer::LineWait::kInput);
      line.ReadAvailable(bytes);
    }
    return bytes;
  }

  testing_support::PseudoTerminal pty_;
  const std::string slave_ = pty_.slavePath();
};

TEST_F(PosixLine, MovesEveryByteValueBothWaysUntranslated) {
  cli::PosixSerialLine line(slave_, nullptr, {});
  ASSERT_TRUE(line.Open(PortParameters{.xOnChar = 17, .xOffChar = 19}));
  std::vector<std::uint8_t> all(256);
  for (int i = 0; i < 256; ++i) all[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  EXPECT_EQ(line.Write(all), all.size());
  ASSERT_TRUE(pty_.ReadUntil(all.size()));
  EXPECT_EQ(pty_.received(), all);
  pty_.Write(all);
  EXPECT_EQ(ReadLine(line, all.size()), all);
  EXPECT_EQ(line.Failure(), "");
}

TEST_F(PosixLine, DiscardDropsTheInputNotYetRead) {
  cli::PosixSerialLine line(slave_, nullptr, {});
  ASSERT_TRUE(line.Open(PortParameters{}));
  pty_.Write({6, 6, 6});
  line.Wait(transfer::LineWait::kInput);  // they have arrived
  line.DiscardBuffers();
  pty_.Write({21});
  EXPECT_EQ(ReadLine(line, 1), std::vector<std::uint8_t>{21});
}

TEST_F(PosixLine, OtherSideClosingFailsNamingTheDevice) {
  cli::PosixSerialLine line(slave_, nullptr, {});
  ASSERT_TRUE(line.Open(PortParameters{}));
  pty_.Hangup();
  line.Wait(transfer::LineWait::kInput);
  std::vector<std::uint8_t> bytes;
  line.ReadAvailable(bytes);
  EXPECT_EQ(line.Failure(), "Verbindung zu " + slave_ + " unterbrochen: Gegenstelle getrennt");
  // A failed line neither sleeps nor moves bytes; closing stays possible.
  line.Wait(transfer::LineWait::kInputOrRoom);
  EXPECT_EQ(line.Write(std::vector<std::uint8_t>{2}), 0u);
  line.Close();
  line.Close();
  EXPECT_FALSE(line.isOpen());
}

// Each refusal names the device and the reason; no lock file stays behind.
TEST_F(PosixLine, RefusalsNameTheDeviceAndTheReason) {
  testing_support::TempDir dir;
  dir.Write("file", "x");
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
  struct Case {
    std::string device;
    PortParameters port;
    std::string reason;
  };
  const std::string notSerial = "keine serielle Schnittstelle (";
  const Case cases[] = {
      {"/nonexistent/ttyRUR", {}, "nicht vorhanden"},
      {"", {}, "nicht vorhanden"},
      {dir.File("file"), {}, notSerial + "Datei)"},
      {dir.File("fifo"), {}, notSerial + "FIFO)"},
      {dir.path(), {}, notSerial + "Verzeichnis)"},
      {"/dev/null", {}, notSerial + "kein Terminal)"},
      {"/dev/ptmx", {}, notSerial + "Pseudoterminal-Master)"},
      {"/dev/pts/ptmx", {}, notSerial + "Pseudoterminal-Master)"},
      {slave_, {.baud = 12345}, "Baudrate 12345 nicht einstellbar"},
      {slave_, {.dataBits = 9}, "9 Datenbits nicht einstellbar"},
      {slave_, {.dataBits = 4}, "4 Datenbits nicht einstellbar"},
      {slave_, {.stopBits = 3}, "3 Stoppbits nicht einstellbar"},
      {slave_, {.parity = 5}, "Parit\xE4t 5 nicht einstellbar"},
  };
  for (const Case& c : cases) {
    cli::PosixSerialLine line(c.device, nullptr, {});
    EXPECT_FALSE(line.Open(c.port)) << c.device;
    EXPECT_FALSE(line.isOpen());
    EXPECT_EQ(line.Failure(), "Schnittstelle " + c.device + ": " + c.reason);
    EXPECT_NE(::access(transfer::LockFilePath(c.device).c_str(), F_OK), 0) << c.device;
  }
}

// CI runs as root, who may open anything: the device is made unreadable and
// the line opened by an ordinary user.
TEST_F(PosixLine, DeviceWithoutPermissionIsSaid) {
  ASSERT_EQ(::chmod(slave_.c_str(), 0), 0);
  EXPECT_EQ(testing_support::AsOrdinaryUser([this] {
              cli::PosixSerialLine line(slave_, nullptr, {});
              return !line.Open(PortParameters{}) && line.Failure() == "Schnittstelle " + slave_ + ": keine Berechtigung";
            }),
            0);
}

TEST_F(PosixLine, ClosingRestoresTheTerminalSettingsAsFound) {
  termios before{};
  ASSERT_EQ(::tcgetattr(pty_.master(), &before), 0);  // a pseudo-terminal's master shows its slave's
  before.c_lflag |= ICANON | ECHO;
  before.c_iflag |= ICRNL | IXON;
  before.c_cc[VSTART] = 1;
  ::cfsetspeed(&before, B1200);
  ASSERT_EQ(::tcsetattr(pty_.master(), TCSANOW, &before), 0);
  cli::PosixSerialLine line(slave_, nullptr, {});
  ASSERT_TRUE(line.Open(PortParameters{.baud = 115200, .xOnChar = 17, .xOffChar = 19}));
  termios during{};
  ::tcgetattr(pty_.master(), &during);
  EXPECT_EQ(cfgetospeed(&during), B115200);
  line.Close();
  termios after{};
  ::tcgetattr(pty_.master(), &after);
  EXPECT_EQ(after.c_iflag, before.c_iflag);
  EXPECT_EQ(after.c_oflag, before.c_oflag);
  EXPECT_EQ(after.c_cflag, before.c_cflag);
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  EXPECT_EQ(cfgetospeed(&after), B1200);
  EXPECT_EQ(after.c_cc[VSTART], 1);
}

// As root TIOCEXCL keeps nobody off: the lock file and the lock on the
// device do, whatever name the device is opened under.
TEST_F(PosixLine, SecondOpeningIsRefusedAsBelegt) {
  const std::string lockFile = transfer::LockFilePath(slave_);
  ASSERT_EQ(lockFile, "/var/lock/LCK.." + slave_.substr(5, 3) + "_" + slave_.substr(9));  // QSerialPort's
  cli::PosixSerialLine first(slave_, nullptr, {});
  ASSERT_TRUE(first.Open(PortParameters{}));
  std::ifstream file(lockFile);
  std::string pid, program;
  std::getline(file, pid);
  std::getline(file, program);
  EXPECT_EQ(pid, std::to_string(::getpid()));
  EXPECT_EQ(program, "rur_cli_tests");

  testing_support::TempDir dir;
  ASSERT_EQ(::symlink(slave_.c_str(), dir.File("link").c_str()), 0);
  const std::string held = ": belegt von rur_cli_tests (PID " + std::to_string(::getpid()) + ")";
  for (const std::string& device : {slave_, dir.File("link")}) {
    cli::PosixSerialLine second(device, nullptr, {});
    EXPECT_FALSE(second.Open(PortParameters{}));
    EXPECT_EQ(second.Failure(), "Schnittstelle " + device + held);
  }
  EXPECT_EQ(::access(transfer::LockFilePath(dir.File("link")).c_str(), F_OK), -1);
  first.Close();
  EXPECT_EQ(::access(lockFile.c_str(), F_OK), -1);
  cli::PosixSerialLine third(dir.File("link"), nullptr, {});
  EXPECT_TRUE(third.Open(PortParameters{}));
}

// A lock file left by others: taken over when its holder is gone and
// nobody locks it, refused while a holder lives or locks it.
TEST_F(PosixLine, ForeignLockFilesAreTakenOverOnlyWhenStale) {
  const pid_t dead = ::fork();
  ASSERT_GE(dead, 0);
  if (dead == 0) ::_exit(0);
  ASSERT_EQ(::waitpid(dead, nullptr, 0), dead);
  const std::string self = std::to_string(::getpid());
  const std::string gone = std::to_string(dead);
  const std::string lockFile = transfer::LockFilePath(slave_);
  struct Case {
    std::string content;
    bool locked;        // somebody holds a flock on the file
    std::time_t age;    // seconds since its last change
    std::string holder; // empty: taken over
  };
  const Case cases[] = {
      {gone + "\nrur\nvm\n", false, 0, ""},
      {gone + "\nrur\nvm\n", true, 0, "belegt von rur (PID " + gone + ")"},
      {"    " + self + "\n", false, 0, "belegt von rur_cli_tests (PID " + self + ")"},  // UUCP
      {self + "\nrur_cli_tests\n", false, 0, "belegt von rur_cli_tests (PID " + self + ")"},
      {self + "\nanother-program\n", false, 0, ""},  // the PID was given again
      {"", false, 0, "belegt (Sperrdatei " + lockFile + ")"},
      {"garbage\n", false, 0, "belegt (Sperrdatei " + lockFile + ")"},
      {"garbage\n", false, 3600, ""},
  };
  for (const Case& c : cases) {
    std::ofstream(lockFile, std::ios::binary | std::ios::trunc) << c.content;
    const int holderFd = c.locked ? ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC) : -1;
    if (c.locked) {
      ASSERT_EQ(::flock(holderFd, LOCK_EX), 0);
    }
    const timespec times[2] = {{std::time(nullptr) - c.age, 0}, {std::time(nullptr) - c.age, 0}};
    ::utimensat(AT_FDCWD, lockFile.c_str(), times, 0);
    cli::PosixSerialLine line(slave_, nullptr, {});
    const bool opened = line.Open(PortParameters{});
    EXPECT_EQ(opened, c.holder.empty()) << c.content;
    EXPECT_EQ(line.Failure(), opened ? "" : "Schnittstelle " + slave_ + ": " + c.holder);
    std::ifstream file(lockFile);
    const std::string now{std::istreambuf_iterator<char>(file), {}};
    // A refused file stays as it was; a file taken over is the line's.
    const std::string ours = self + "\nrur_cli_tests\n";
    EXPECT_EQ(opened ? now.substr(0, ours.size()) : now, opened ? ours : c.content);
    line.Close();
    if (holderFd >= 0) ::close(holderFd);
    ::unlink(lockFile.c_str());
  }
}

TEST_F(PosixLine, InterruptWakesTheWaitAndCallsBack) {
  cli::InterruptPipe interrupts;
  ASSERT_TRUE(interrupts.ok());
  int calls = 0;
  cli::PosixSerialLine line(slave_, &interrupts, [&calls] { ++calls; });
  ASSERT_TRUE(line.Open(PortParameters{}));
  ::raise(SIGINT);
  ::raise(SIGTERM);
  ::raise(SIGHUP);
  line.Wait(transfer::LineWait::kInput);  // returns at once: no byte has come
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(line.Failure(), "");
  pty_.Write({6});
  EXPECT_EQ(ReadLine(line, 1), std::vector<std::uint8_t>{6});
  EXPECT_EQ(calls, 1);
}

// A signal ignored at the start (nohup) stays ignored while the pipe lives.
TEST(InterruptPipe, FormerHandlersComeBack) {
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  struct sigaction formerHangUp {};
  ::sigaction(SIGHUP, &ignore, &formerHangUp);
  struct sigaction before {};
  ::sigaction(SIGINT, nullptr, &before);
  {
    cli::InterruptPipe interrupts;
    struct sigaction during {};
    ::sigaction(SIGINT, nullptr, &during);
    EXPECT_NE(during.sa_handler, before.sa_handler);
    ::sigaction(SIGHUP, nullptr, &during);
    EXPECT_EQ(during.sa_handler, SIG_IGN);
    EXPECT_FALSE(interrupts.Drain());
  }
  struct sigaction after {};
  ::sigaction(SIGINT, nullptr, &after);
  EXPECT_EQ(after.sa_handler, before.sa_handler);
  ::sigaction(SIGHUP, &formerHangUp, nullptr);
}

}  // namespace
