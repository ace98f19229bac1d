// Transfers end to end through pseudo-terminals: rur-cli send against
// rur-cli controller, and against a controller that the test plays itself
// (one that never starts, never answers or hangs up). Each child is killed
// after a hard deadline, so a transfer that hangs fails instead of waiting.
#include <signal.h>
#include <sys/inotify.h>

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
#include "support/temp_dir.h"
#include "transfer/frame_reader.h"
#include "transfer/frames.h"

namespace {

using cli_testing::CliProcess;
using cli_testing::FileEvents;
using cli_testing::TestPty;

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
  EXPECT_TRUE(Contains(run.controllerErr, "Gegenstelle hat die Verbindung vor dem letzten Rahmen geschlossen"));
  // Only the accepted first frame was kept.
  const std::string converted = Converted();
  EXPECT_FALSE(run.received.empty());
  EXPECT_LT(run.received.size(), converted.size());
  EXPECT_EQ(converted.substr(0, run.received.size()), run.received);
}

// SIGINT while the controller has not started: no frame is in progress.
TEST_F(TransferEndToEnd, InterruptBeforeTheStartEndsWithoutAFrame) {
  TestPty pty;
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
  TestPty pty;
  CliProcess send(With({"send", program_, "--port", pty.slavePath()}));
  ASSERT_TRUE(pty.WaitForInputFlush());
  pty.Write({6});
  ASSERT_TRUE(pty.ReadFrame());
  send.Signal(SIGTERM);
  EXPECT_EQ(send.Finish(), 1);
  EXPECT_TRUE(InOrder(Lines(send.out()), {kWaiting, kSending, kAbortedAtPc})) << send.out();
  EXPECT_TRUE(pty.SlaveClosed());
  transfer::FrameReader reader;
  std::vector<transfer::ReceivedFrame> frames;
  reader.Feed(pty.received(), frames);
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
  TestPty pty;
  CliProcess send(With({"send", program_, "--port", pty.slavePath()}));
  ASSERT_TRUE(tried.Wait());
  send.Signal(SIGINT);
  EXPECT_EQ(send.Finish(), 1);
  EXPECT_EQ(send.out(), std::string(kAbortedAtPc) + "\n");
  EXPECT_TRUE(Contains(send.err(), kAbortMessage)) << send.err();
  EXPECT_FALSE(Contains(send.err(), "anderen Lauf")) << send.err();
  EXPECT_TRUE(pty.Untouched());
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
    TestPty pty;
    CliProcess send(With({"send", dir_.File("%1"), "--port", pty.slavePath()}));
    ASSERT_TRUE(written.Wait("ZEPS_00.$$$")) << signal;
    send.Signal(signal);
    EXPECT_EQ(send.Finish(), 1) << signal;
    EXPECT_EQ(send.out(), std::string(kAbortedAtPc) + "\n") << signal;
    EXPECT_TRUE(Contains(send.err(), kAbortMessage)) << send.err();
    EXPECT_TRUE(pty.Untouched()) << signal;
  }
}

TEST_F(TransferEndToEnd, ControllerHangingUpMidTransferFailsNamingThePort) {
  TestPty pty;
  CliProcess send(With({"send", program_, "--port", pty.slavePath()}));
  ASSERT_TRUE(pty.WaitForInputFlush());
  pty.Write({6});
  ASSERT_TRUE(pty.ReadFrame());
  pty.CloseMaster();
  EXPECT_EQ(send.Finish(), 1);
  EXPECT_TRUE(Contains(send.out(), "Verbindung zu " + pty.slavePath() + " unterbrochen: Gegenstelle getrennt"))
      << send.out();
}

// On a terminal device the controller starts at once and ends with the
// last answer; the test plays the sender on the other side.
TEST_F(TransferEndToEnd, ControllerOnADeviceStartsAtOnce) {
  TestPty pty;
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

// Which devices open: PosixLine.OnlyTerminalsOpen.
TEST_F(TransferEndToEnd, PortThatCannotBeOpenedIsWarnedAbout) {
  CliProcess send(With({"send", program_, "--port", "/dev/null"}));
  EXPECT_EQ(send.Finish(), 1);
  EXPECT_TRUE(Contains(send.err(), kPortMissingWarning)) << send.err();
  EXPECT_FALSE(Contains(send.out(), kWaiting));
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
