// Transfers end to end through pseudo-terminals: rur-cli send against
// rur-cli controller, and against a controller that the test plays itself
// (one that never starts, never answers or hangs up); two senders on one
// port, and ports that cannot be used. Each child is killed after a hard
// deadline, so a transfer that hangs fails instead of waiting.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/cli/cli_process.h"
#include "data/files.h"
#include "data/settings.h"
#include "support/pseudo_terminal.h"
#include "support/temp_dir.h"
#include "transfer/frame_reader.h"
#include "transfer/frames.h"

namespace {

using cli_testing::CliProcess;
using cli_testing::FileEvents;
using testing_support::PseudoTerminal;

constexpr char kWaiting[] = "Warte auf QVM-R\u00fcckmeldung!";
constexpr char kSending[] = "Daten werden gesendet!";
constexpr char kFinished[] = "Daten\u00fcbertragung beendet!";
constexpr char kAbortedAtPc[] = "Abbruch am PC";
constexpr char kAbortMessage[] = "Meldung 181: \u00dcbertragung vom Bediener abgebrochen";
constexpr char kPortMissingWarning[] = "Warnung: Ausgabeport nicht vorhanden oder ist defekt !";

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (auto end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The controller's frame reports with every byte count written N: frames
// are cut at block ends, so their sizes are the packer's business.
std::vector<std::string> Reports(const std::string& err) {
  std::vector<std::string> lines = Lines(err);
  for (std::string& line : lines) line = std::regex_replace(line, std::regex("[0-9]+ Bytes"), "N Bytes");
  return lines;
}

std::vector<transfer::ReceivedFrame> Frames(const std::vector<std::uint8_t>& bytes) {
  transfer::FrameReader reader;
  std::vector<transfer::ReceivedFrame> frames;
  reader.Feed(bytes, frames);
  return frames;
}

// The sender stopped before it opened the port: it says the abort, and the
// controller saw nothing.
void ExpectAbortedBeforeThePort(CliProcess& send, const PseudoTerminal& pty) {
  EXPECT_EQ(send.Finish(), 1);
  EXPECT_EQ(send.out(), std::string(kAbortedAtPc) + "\n");
  EXPECT_TRUE(Contains(send.err(), kAbortMessage)) << send.err();
  EXPECT_TRUE(pty.Untouched());
}

// Whether `wanted` appear among the lines in this order.
bool InOrder(const std::vector<std::string>& lines, const std::vector<std::string>& wanted) {
  auto at = lines.begin();
  for (const std::string& w : wanted) {
    at = std::find(at, lines.end(), w);
    if (at == lines.end()) return false;
    ++at;
  }
  return true;
}

class TransferEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ifstream catalogue(std::string(RUR_SOURCE_DIR) + "/resources/msg.dat", std::ios::binary);
    dir_.Write("msg.dat", std::string(std::istreambuf_iterator<char>(catalogue), {}));
    // Zero points and tools, so that the commands that draw warn of nothing.
    dir_.Write("Npv_QVM.dat", std::string(150, '\0'));
    dir_.Write("QVM_wkz.dat", std::string(100 * 20, '\0'));
    program_ = std::string(RUR_SOURCE_DIR) + "/resources/examples/%300";
  }

  std::vector<std::string> With(std::vector<std::string> args) const {
    args.insert(args.end(), {"--data", dir_.path()});
    return args;
  }

  // What the transfer must put into its frames.
  std::string Converted() const {
    CliProcess convert(With({"convert", program_}));
    EXPECT_EQ(convert.Finish(), 0) << convert.err();
    return convert.out();
  }

  // rur-cli send against rur-cli controller --pty with that reply script.
  struct Run {
    int sendStatus;
    std::string sendOut;
    std::string sendErr;
    int controllerStatus;
    std::string controllerErr;
    std::string received;
  };
  Run SendToController(const std::string& script) {
    std::vector<std::string> args{"controller", "--pty", "--out", dir_.File("received")};
    if (!script.empty()) args.insert(args.end(), {"--reply", script});
    CliProcess controller(With(args));
    const std::optional<std::string> pty = controller.ReadLine();
    EXPECT_TRUE(pty && pty->rfind("/dev/", 0) == 0) << controller.err();
    CliProcess send(With({"send", program_, "--port", pty.value_or("")}));
    Run run{send.Finish(), send.out(), send.err(), controller.Finish(), controller.err(), ""};
    if (dir_.Exists("received")) run.received = dir_.Read("received");
    return run;
  }

  testing_support::TempDir dir_;
  std::string program_;
};

TEST_F(TransferEndToEnd, EveryFrameConfirmedDeliversTheConvertedProgram) {
  const std::string converted = Converted();
  ASSERT_GT(converted.size(), transfer::kFrameDataSize) << "the example must need several frames";
  const Run run = SendToController("");
  EXPECT_EQ(run.sendStatus, 0) << run.sendErr;
  EXPECT_EQ(run.controllerStatus, 0) << run.controllerErr;
  EXPECT_EQ(run.received, converted);
  EXPECT_TRUE(InOrder(Lines(run.sendOut), {kWaiting, kSending, kFinished})) << run.sendOut;
  EXPECT_FALSE(Contains(run.sendOut, kAbortedAtPc));
  EXPECT_TRUE(InOrder(Reports(run.controllerErr), {"Startzeichen 6 gesendet",
                                                   "Rahmen 1: N Bytes, Pr\u00fcfsumme richtig, Antwort 6",
                                                   "Rahmen 2 (letzter): N Bytes, Pr\u00fcfsumme richtig, Antwort 6"}))
      << run.controllerErr;
}

TEST_F(TransferEndToEnd, AbortByTheMachineStopsBothSides) {
  const Run run = SendToController("6,24");
  EXPECT_EQ(run.sendStatus, 1);
  EXPECT_TRUE(InOrder(Lines(run.sendOut), {kSending, "Abbruch durch die CNC-Maschine"})) << run.sendOut;
  EXPECT_EQ(run.controllerStatus, 1);
  EXPECT_TRUE(Contains(run.controllerErr, "Der Sender bricht ab: Abbruch durch die CNC-Maschine")) << run.controllerErr;
  EXPECT_FALSE(Contains(run.controllerErr, "Gegenstelle"));
  // Only the accepted first frame was kept.
  const std::string converted = Converted();
  EXPECT_FALSE(run.received.empty());
  EXPECT_LT(run.received.size(), converted.size());
  EXPECT_EQ(converted.substr(0, run.received.size()), run.received);
}

// The controller judges its answers with the reply characters of the
// settings, as the sender reads them: the two always agree. Without a
// settings file, and with the shipped one, they are the QVM's 17 and 19.
TEST_F(TransferEndToEnd, BothSidesReadTheRepliesWithTheSettingsCharacters) {
  std::ifstream shippedFile(std::string(RUR_SOURCE_DIR) + "/resources/QVM_ini.Dat", std::ios::binary);
  const std::string shipped(std::istreambuf_iterator<char>(shippedFile), {});
  ASSERT_EQ(shipped.size(), 316u);
  std::string zeroed = shipped;
  zeroed[267] = zeroed[268] = 0;  // XOn and XOff
  const std::string converted = Converted();
  struct Case {
    const std::string* settings;  // nullptr: none
    const char* script;
    int status;
    std::vector<std::string> statuses;
  };
  const Case cases[] = {
      {&zeroed, "0,/,0", 0, {"QVM-Speicher voll! warte auf freigabe!", "Sende weiter!", kFinished}},
      {&shipped, "19,/,17", 0, {"QVM-Speicher voll! warte auf freigabe!", "Sende weiter!", kFinished}},
      {nullptr, "19,/,17", 0, {"QVM-Speicher voll! warte auf freigabe!", "Sende weiter!", kFinished}},
      {nullptr, "0,/,0", 1, {kSending, "Unbekannte \u00dcbertragungsfehler Abburch!"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.settings == nullptr ? "no settings, " : "") + c.script);
    std::filesystem::remove(dir_.File("QVM_ini.Dat"));
    if (c.settings != nullptr) dir_.Write("QVM_ini.Dat", *c.settings);
    const Run run = SendToController(c.script);
    EXPECT_EQ(run.sendStatus, c.status) << run.sendOut;
    EXPECT_EQ(run.controllerStatus, c.status) << run.controllerErr;
    EXPECT_TRUE(InOrder(Lines(run.sendOut), c.statuses)) << run.sendOut;
    EXPECT_EQ(run.received, c.status == 0 ? converted : "");
  }
}

// Before it serves, the controller makes its output ready: one it cannot
// write ends it at once, before anyone could connect.
TEST_F(TransferEndToEnd, ControllerRefusesAnOutputItCannotWrite) {
  std::filesystem::create_directory(dir_.File("folder"));
  ASSERT_EQ(::mkfifo(dir_.File("fifo").c_str(), 0600), 0);
  const std::pair<std::string, std::string> cases[] = {
      {dir_.File("missing/received"), "No such file or directory"},
      {dir_.File("folder"), "Is a directory"},
      {dir_.File("fifo"), "No such device or address"},  // nobody reads it
  };
  for (const auto& [out, reason] : cases) {
    CliProcess controller(With({"controller", "--pty", "--out", out}));
    EXPECT_EQ(controller.Finish(), 1);
    EXPECT_EQ(controller.out(), "");
    EXPECT_TRUE(Contains(controller.err(), "rur-cli: cannot write " + out + ": " + reason)) << controller.err();
  }
}

// After the last frame the controller answers and keeps nothing more: a
// second sender's program on the same pseudo-terminal is ignored until the
// line is let go of. The test plays the sender on the device.
TEST_F(TransferEndToEnd, ControllerKeepsNothingAfterTheLastFrame) {
  // The output is replaced behind a link to it, with the replaced file's mode.
  dir_.Write("received", std::string("old"));
  std::filesystem::permissions(dir_.File("received"), std::filesystem::perms::owner_read |
                                                          std::filesystem::perms::owner_write |
                                                          std::filesystem::perms::group_read);
  std::filesystem::create_symlink(dir_.File("received"), dir_.File("link"));
  CliProcess controller(With({"controller", "--pty", "--out", dir_.File("link")}));
  const std::optional<std::string> path = controller.ReadLine();
  ASSERT_TRUE(path) << controller.err();
  const int fd = ::open(path->c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  ASSERT_GE(fd, 0);
  const auto readByte = [fd]() -> int {
    pollfd p{fd, POLLIN, 0};
    std::uint8_t byte = 0;
    const int ms = static_cast<int>(std::chrono::milliseconds(cli_testing::kChildDeadline).count());
    return ::poll(&p, 1, ms) == 1 && ::read(fd, &byte, 1) == 1 ? byte : -1;
  };
  const auto send = [fd](const std::string& text) {
    const std::vector<std::uint8_t> frame = transfer::WireBytes({{text.begin(), text.end()}, true});
    return ::write(fd, frame.data(), frame.size()) == static_cast<ssize_t>(frame.size());
  };
  ASSERT_EQ(::tcflush(fd, TCIFLUSH), 0);  // as a sender does before it waits
  EXPECT_EQ(readByte(), 6);
  EXPECT_TRUE(send("%\r\nN1G1X1\r\n\r\n"));
  EXPECT_EQ(readByte(), 6);
  EXPECT_TRUE(send("%\r\nN2G1X2\r\n\r\n"));
  ::close(fd);
  EXPECT_EQ(controller.Finish(), 0) << controller.err();
  EXPECT_EQ(dir_.Read("received"), "%\r\nN1G1X1\r\n\r\n");
  EXPECT_TRUE(std::filesystem::is_symlink(dir_.File("link")));
  EXPECT_EQ(std::filesystem::status(dir_.File("received")).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read);
  std::vector<std::string> names;  // and nothing else beside it
  for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Npv_QVM.dat", "QVM_wkz.dat", "link", "msg.dat", "received"}));
  const std::vector<std::string> reports = Lines(controller.err());
  EXPECT_EQ(std::count_if(reports.begin(), reports.end(), [](const std::string& line) { return line.rfind("Rahmen", 0) == 0; }),
            1)
      << controller.err();
}

// SIGINT while the controller has not started: no frame is in progress.
TEST_F(TransferEndToEnd, InterruptBeforeTheStartEndsWithoutAFrame) {
  PseudoTerminal pty;
  ASSERT_FALSE(pty.slavePath().empty());
  CliProcess send(With({"send", program_, "--port", pty.slavePath()}));
  ASSERT_TRUE(pty.WaitForInputFlush());
  ASSERT_TRUE(send.WaitForLine(kWaiting)) << send.out();
  send.Signal(SIGINT);
  EXPECT_EQ(send.Finish(), 1);
  EXPECT_FALSE(Contains(send.out(), kAbortedAtPc)) << send.out();
  EXPECT_FALSE(Contains(send.out(), kSending));
  EXPECT_TRUE(Contains(send.err(), kAbortMessage)) << send.err();
  EXPECT_TRUE(pty.SlaveClosed());
  EXPECT_TRUE(pty.received().empty());
}

// SIGTERM while the sender awaits the reply to its first frame: the frame
// went out whole, exactly as framed, and the abort cuts the transfer there.
TEST_F(TransferEndToEnd, TerminationWhileAwaitingTheReplyAbortsAtThePc) {
  const std::string converted = Converted();
  PseudoTerminal pty;
  CliProcess send(With({"send", program_, "--port", pty.slavePath()}));
  ASSERT_TRUE(pty.WaitForInputFlush());
  pty.Write({6});
  ASSERT_TRUE(pty.ReadFrames());
  send.Signal(SIGTERM);
  EXPECT_EQ(send.Finish(), 1);
  EXPECT_TRUE(InOrder(Lines(send.out()), {kWaiting, kSending, kAbortedAtPc})) << send.out();
  EXPECT_TRUE(pty.SlaveClosed());
  const std::vector<transfer::ReceivedFrame> frames = Frames(pty.received());
  ASSERT_EQ(frames.size(), 1u);
  const std::vector<std::uint8_t>& data = frames[0].data;
  EXPECT_EQ(converted.substr(0, data.size()), std::string(data.begin(), data.end()));
  EXPECT_EQ(pty.received(), transfer::WireBytes({data, false}));
}

// SIGINT while send waits for the scratch file that another run holds: the
// wait ends with the abort at once (not when its patience runs out, with a
// word about the holder), and no port is opened.
TEST_F(TransferEndToEnd, InterruptEndsTheWaitForTheScratchFile) {
  data::FileLock other;
  ASSERT_EQ(other.TryLock(dir_.File("ZEPS_00.$$$.lock")), data::FileLock::Status::Held);
  FileEvents tried(dir_.File("ZEPS_00.$$$.lock"), IN_OPEN);
  PseudoTerminal pty;
  CliProcess send(With({"send", program_, "--port", pty.slavePath()}));
  ASSERT_TRUE(tried.Wait());
  send.Signal(SIGINT);
  ExpectAbortedBeforeThePort(send, pty);
  EXPECT_FALSE(Contains(send.err(), "anderen Lauf")) << send.err();
}

// SIGINT or SIGHUP while a long program is drawn (its scratch file has just
// been written): the drawing stops, the abort is said, and the port is never
// opened, so the controller sees no flush.
TEST_F(TransferEndToEnd, InterruptOrHangUpDuringTheDrawingOpensNoPort) {
  std::string program = "%1\r\n";
  for (int n = 1; n <= 30000; ++n) {
    program += "N" + std::to_string(n * 10) + " G01 X" + std::to_string(n % 300) + " Y" + std::to_string(n % 200) +
               " F100\r\n";
  }
  dir_.Write("%1", program);
  for (const int signal : {SIGINT, SIGHUP}) {
    FileEvents written(dir_.path(), IN_MOVED_TO);
    PseudoTerminal pty;
    CliProcess send(With({"send", dir_.File("%1"), "--port", pty.slavePath()}));
    ASSERT_TRUE(written.Wait("ZEPS_00.$$$")) << signal;
    SCOPED_TRACE(signal);
    send.Signal(signal);
    ExpectAbortedBeforeThePort(send, pty);
  }
}

TEST_F(TransferEndToEnd, ControllerHangingUpMidTransferFailsNamingThePort) {
  PseudoTerminal pty;
  CliProcess send(With({"send", program_, "--port", pty.slavePath()}));
  ASSERT_TRUE(pty.WaitForInputFlush());
  pty.Write({6});
  ASSERT_TRUE(pty.ReadFrames());
  pty.CloseMaster();
  EXPECT_EQ(send.Finish(), 1);
  EXPECT_TRUE(Contains(send.out(), "Verbindung zu " + pty.slavePath() + " unterbrochen: Gegenstelle getrennt"))
      << send.out();
}

// On a terminal device the controller starts at once and ends with the
// last answer; the test plays the sender on the other side.
TEST_F(TransferEndToEnd, ControllerOnADeviceStartsAtOnce) {
  PseudoTerminal pty;
  CliProcess controller(With({"controller", "--port", pty.slavePath(), "--reply", "21", "--out", dir_.File("got")}));
  ASSERT_TRUE(pty.ReadUntil(1));
  EXPECT_EQ(pty.received(), std::vector<std::uint8_t>{6});
  const std::string text = "%\r\nN1G1X1\r\n\r\n";
  const std::vector<std::uint8_t> frame = transfer::WireBytes({{text.begin(), text.end()}, true});
  pty.Write(frame);
  ASSERT_TRUE(pty.ReadUntil(2));
  EXPECT_EQ(pty.received().back(), 21);
  pty.Write(frame);
  ASSERT_TRUE(pty.ReadUntil(3));
  EXPECT_EQ(pty.received().back(), 6);
  EXPECT_EQ(controller.Finish(), 0) << controller.err();
  EXPECT_EQ(dir_.Read("got"), text);
  EXPECT_EQ(controller.out(), "");
}

// As root TIOCEXCL lets a second sender in: the claim keeps it off before
// it touches the line, and the controller receives the first program alone.
TEST_F(TransferEndToEnd, SecondSenderOnTheSamePortIsRefusedAsBelegt) {
  const std::string converted = Converted();
  PseudoTerminal pty;
  CliProcess first(With({"send", program_, "--port", pty.slavePath()}));
  ASSERT_TRUE(pty.WaitForInputFlush());
  CliProcess second(With({"send", program_, "--port", pty.slavePath()}));
  EXPECT_EQ(second.Finish(), 1);
  const std::string belegt =
      "Schnittstelle " + pty.slavePath() + ": belegt von rur-cli (PID " + std::to_string(first.pid()) + ")";
  EXPECT_EQ(Lines(second.out()), std::vector<std::string>{belegt});
  EXPECT_TRUE(Contains(second.err(), std::string(kPortMissingWarning) + " " + belegt)) << second.err();

  // The first transfer, every frame confirmed.
  pty.Write({6});
  std::vector<transfer::ReceivedFrame> frames;
  for (std::size_t count = 1; frames.empty() || !frames.back().last; ++count) {
    ASSERT_TRUE(pty.ReadFrames(count));
    frames = Frames(pty.received());
    pty.Write({6});
  }
  EXPECT_EQ(first.Finish(), 0) << first.err();
  std::string received;
  for (const transfer::ReceivedFrame& frame : frames) received.append(frame.data.begin(), frame.data.end());
  EXPECT_EQ(received, converted);
}

// Settings the port cannot take and devices that are no port: the port
// dialog's warnings first, then the warning the operator knows with the
// device and the reason, which is also the status text. Which devices
// open: PosixLine.RefusalsNameTheDeviceAndTheReason.
TEST_F(TransferEndToEnd, PortThatCannotBeOpenedIsNamedWithTheReason) {
  PseudoTerminal pty;
  const std::string unset =
      "Warnung: XOn/XOff nicht gesetzt (XOn 0, XOff 0): Die QVM meldet vollen Speicher mit 19 und gibt mit 17 "
      "wieder frei.";
  const std::string swallowed =
      "Warnung: Software-Flusssteuerung: Der Treiber verschluckt XOn 17 und XOff 19, die \u00dcbertragung wartet "
      "dann endlos.";
  struct Case {
    data::PortParameters port;
    std::string device;
    std::vector<std::string> warnings;
    std::string reason;
  };
  const Case cases[] = {
      {{.baud = 12345, .xOnChar = 17, .xOffChar = 19}, pty.slavePath(), {}, "Baudrate 12345 nicht einstellbar"},
      {{.dataBits = 9, .xOnChar = 0, .xOffChar = 0}, pty.slavePath(), {unset}, "9 Datenbits nicht einstellbar"},
      {{.swFlowOptions = 2, .xOnChar = 17, .xOffChar = 19},
       "/dev/null",
       {swallowed},
       "keine serielle Schnittstelle (kein Terminal)"},
  };
  for (const Case& c : cases) {
    data::Settings settings;
    settings.port = c.port;
    ASSERT_TRUE(data::WriteSettings(settings, dir_.path()));
    CliProcess send(With({"send", program_, "--port", c.device}));
    EXPECT_EQ(send.Finish(), 1);
    const std::string reason = "Schnittstelle " + c.device + ": " + c.reason;
    EXPECT_EQ(Lines(send.out()), std::vector<std::string>{reason});
    std::vector<std::string> warnings;
    for (const std::string& line : Lines(send.err())) {
      if (line.rfind("Warnung: ", 0) == 0) warnings.push_back(line);
    }
    std::vector<std::string> wanted = c.warnings;
    wanted.push_back(std::string(kPortMissingWarning) + " " + reason);
    EXPECT_EQ(warnings, wanted) << send.err();
  }
}

TEST_F(TransferEndToEnd, UsageErrors) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"send", program_},
           {"send", "--port", "/dev/null"},
           {"controller"},
           {"controller", "--pty", "--port", "/dev/null"},
           {"controller", "--pty", "--reply", "6,/"},
           {"controller", "--pty", "extra"},
       }) {
    CliProcess cli(With(args));
    EXPECT_EQ(cli.Finish(), 2) << args[0] << " " << args.back() << ": " << cli.err();
  }
}

}  // namespace
