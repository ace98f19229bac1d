// rur-cli's serial line: the port parameters in termios terms (each at its
// limits), and the line itself on a pseudo-terminal held by the test: bytes
// both ways, discarding, the other side hanging up, devices that are no
// terminal, and SIGINT waking a wait.
#include "cli/posix_serial_line.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "cli/terminal_settings.h"
#include "support/temp_dir.h"

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
// the test binary should a wait never return.
class PosixLine : public ::testing::Test {
 protected:
  void SetUp() override {
    ::alarm(20);
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    ASSERT_GE(master_, 0);
    ASSERT_EQ(::grantpt(master_), 0);
    ASSERT_EQ(::unlockpt(master_), 0);
    char name[128];
    ASSERT_EQ(::ptsname_r(master_, name, sizeof name), 0);
    slave_ = name;
  }
  void TearDown() override {
    if (master_ >= 0) ::close(master_);
    ::alarm(0);
  }

  std::vector<std::uint8_t> ReadMaster(std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    std::size_t got = 0;
    while (got < count) {
      const ssize_t n = ::read(master_, bytes.data() + got, count - got);
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
  }

  void WriteMaster(std::vector<std::uint8_t> bytes) {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  // Reads until `count` bytes have come, waiting on the line.
  std::vector<std::uint8_t> ReadLine(cli::PosixSerialLine& line, std::size_t count) {
    std::vector<std::uint8_t> bytes;
    while (bytes.size() < count && line.Failure().empty()) {
      line.Wait(transfer::LineWait::kInput);
      line.ReadAvailable(bytes);
    }
    return bytes;
  }

  int master_ = -1;
  std::string slave_;
};

TEST_F(PosixLine, MovesEveryByteValueBothWaysUntranslated) {
  cli::PosixSerialLine line(slave_, nullptr, {});
  ASSERT_TRUE(line.Open(PortParameters{.xOnChar = 17, .xOffChar = 19}));
  std::vector<std::uint8_t> all(256);
  for (int i = 0; i < 256; ++i) all[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
  EXPECT_EQ(line.Write(all), all.size());
  EXPECT_EQ(ReadMaster(all.size()), all);
  WriteMaster(all);
  EXPECT_EQ(ReadLine(line, all.size()), all);
  EXPECT_EQ(line.Failure(), "");
}

TEST_F(PosixLine, DiscardDropsTheInputNotYetRead) {
  cli::PosixSerialLine line(slave_, nullptr, {});
  ASSERT_TRUE(line.Open(PortParameters{}));
  WriteMaster({6, 6, 6});
  line.Wait(transfer::LineWait::kInput);  // they have arrived
  line.DiscardBuffers();
  WriteMaster({21});
  EXPECT_EQ(ReadLine(line, 1), std::vector<std::uint8_t>{21});
}

TEST_F(PosixLine, OtherSideClosingFailsNamingTheDevice) {
  cli::PosixSerialLine line(slave_, nullptr, {});
  ASSERT_TRUE(line.Open(PortParameters{}));
  ::close(master_);
  master_ = -1;
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

TEST_F(PosixLine, OnlyTerminalsOpen) {
  testing_support::TempDir dir;
  dir.Write("file", "x");
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
  for (const std::string& device : {std::string("/nonexistent/ttyRUR"), dir.File("file"), dir.File("fifo"),
                                   std::string("/dev/null"), std::string()}) {
    cli::PosixSerialLine line(device, nullptr, {});
    EXPECT_FALSE(line.Open(PortParameters{})) << device;
    EXPECT_FALSE(line.isOpen());
    EXPECT_EQ(line.Failure(), "") << device;
  }
  cli::PosixSerialLine line(slave_, nullptr, {});
  EXPECT_FALSE(line.Open(PortParameters{.baud = 14400}));  // a rate without a speed constant
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
  WriteMaster({6});
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
