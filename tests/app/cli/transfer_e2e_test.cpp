// Transfers end to end through pseudo-terminals: rur-cli send against
// rur-cli controller, and against a controller that the test plays itself
// (one that never starts or never answers), a port that cannot be used, and
// sending again from block N.
// Each child is killed after a hard deadline, so a transfer that hangs
// fails instead of waiting.
#include <signal.h>
#include <sys/inotify.h>
#include <sys/stat.h>
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
#include "support/trace_bytes.h"
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
  Run SendToController(const std::string& script, const std::string& out = "received",
                       const std::vector<std::string>& sendOptions = {}) {
    std::vector<std::string> args{"controller", "--pty", "--out", dir_.File(out)};
    if (!script.empty()) args.insert(args.end(), {"--reply", script});
    CliProcess controller(With(args));
    const std::optional<std::string> pty = controller.ReadLine();
    EXPECT_TRUE(pty && pty->rfind("/dev/", 0) == 0) << controller.err();
    std::vector<std::string> sendArgs{"send", program_, "--port", pty.value_or("")};
    sendArgs.insert(sendArgs.end(), sendOptions.begin(), sendOptions.end());
    CliProcess send(With(sendArgs));
    Run run{send.Finish(), send.out(), send.err(), controller.Finish(), controller.err(), ""};
    if (dir_.Exists("received")) run.received = dir_.Read("received");
    return run;
  }

  testing_support::TempDir dir_;
  std::string program_;
};

// The controller's output is replaced behind a link to it, with the
// replaced file's mode, and nothing is left beside it (the sender's scratch
// file and its lock are the sender's).
TEST_F(TransferEndToEnd, EveryFrameConfirmedDeliversTheConvertedProgram) {
  const std::string converted = Converted();
  ASSERT_GT(converted.size(), transfer::kFrameDataSize) << "the example must need several frames";
  namespace fs = std::filesystem;
  const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  dir_.Write("received", std::string("old"));
  fs::permissions(dir_.File("received"), mode);
  fs::create_symlink(dir_.File("received"), dir_.File("link"));
  const Run run = SendToController("", "link", {"--log", dir_.File("send.log")});
  EXPECT_EQ(run.sendStatus, 0) << run.sendErr;
  EXPECT_EQ(run.controllerStatus, 0) << run.controllerErr;
  EXPECT_EQ(run.received, converted);
  EXPECT_TRUE(fs::is_symlink(dir_.File("link")));
  EXPECT_EQ(fs::status(dir_.File("received")).permissions() & fs::perms::all, mode);
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir_.path())) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"Npv_QVM.dat", "Protokoll.txt", "QVM_wkz.dat", "ZEPS_00.$$$",
                                             "ZEPS_00.$$$.lock", "link", "msg.dat", "received", "send.log"}));
  // The log entry, in the data directory's log and in the file of --log.
  const std::string entry = dir_.Read("send.log");
  EXPECT_EQ(dir_.Read("Protokoll.txt"), entry);
  EXPECT_TRUE(Contains(entry, "Programm: " + program_ + " (")) << entry;
  EXPECT_TRUE(Contains(entry, "Rahmen: 2 gesendet, 2 best\u00e4tigt\nBytes: ")) << entry;
  EXPECT_TRUE(Contains(entry, "Wiederholungen: 0\nPausen (Speicher voll): 0, 0,0 s\nDauer: ")) << entry;
  EXPECT_TRUE(Contains(entry, std::string("Ende: ") + kFinished + "\nZuletzt best\u00e4tigt: Satz ")) << entry;
  // A log file that cannot be written fails the run, after the transfer.
  const Run unlogged = SendToController("", "received", {"--log", dir_.File("none/send.log")});
  EXPECT_EQ(unlogged.sendStatus, 1);
  EXPECT_TRUE(Contains(unlogged.sendErr, "rur-cli: " + dir_.File("none/send.log") + ": ")) << unlogged.sendErr;
  EXPECT_TRUE(Contains(unlogged.sendOut, kFinished));
  EXPECT_TRUE(InOrder(Lines(run.sendOut), {kWaiting, kSending, kFinished})) << run.sendOut;
  EXPECT_FALSE(Contains(run.sendOut, kAbortedAtPc));
  EXPECT_TRUE(InOrder(Reports(run.controllerErr), {"Startzeichen 6 gesendet",
                                                   "Rahmen 1: N Bytes, Pr\u00fcfsumme richtig, Antwort 6",
                                                   "Rahmen 2 (letzter): N Bytes, Pr\u00fcfsumme richtig, Antwort 6"}))
      << run.controllerErr;
}

// The controller judges its answers with the reply characters of the
// settings, as the sender reads them: the two always agree, and a transfer
// that stops ends both, the controller keeping the frames it accepted.
// Without a settings file, and with the shipped one, they are the QVM's 17
// and 19. (Which answers agree how: the simulated controller's tests.)
TEST_F(TransferEndToEnd, BothSidesReadTheRepliesWithTheSettingsCharacters) {
  std::ifstream shippedFile(std::string(RUR_SOURCE_DIR) + "/resources/QVM_ini.Dat", std::ios::binary);
  const std::string shipped(std::istreambuf_iterator<char>(shippedFile), {});
  ASSERT_EQ(shipped.size(), 316u);
  std::string zeroed = shipped;
  zeroed[267] = zeroed[268] = 0;  // XOn and XOff
  const std::string converted = Converted();
  const std::vector<std::string> paused{"QVM-Speicher voll! warte auf freigabe!", "Sende weiter!", kFinished};
  struct Case {
    const std::string* settings;  // nullptr: none
    const char* script;
    int status;
    std::vector<std::string> statuses;
  };
  const Case cases[] = {
      {&zeroed, "0,/,0", 0, paused},
      {&shipped, "19,/,17", 0, paused},
      {nullptr, "19,/,17", 0, paused},
      {nullptr, "6,24", 1, {kSending, "Abbruch durch die CNC-Maschine"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.settings == nullptr ? "no settings, " : "") + c.script);
    std::filesystem::remove(dir_.File("QVM_ini.Dat"));
    if (c.settings != nullptr) dir_.Write("QVM_ini.Dat", *c.settings);
    const Run run = SendToController(c.script);
    EXPECT_EQ(run.sendStatus, c.status) << run.sendOut;
    EXPECT_EQ(run.controllerStatus, c.status) << run.controllerErr;
    EXPECT_TRUE(InOrder(Lines(run.sendOut), c.statuses)) << run.sendOut;
    EXPECT_EQ(Contains(run.controllerErr, "Der Sender bricht ab: " + c.statuses.back()), c.status != 0)
        << run.controllerErr;
    EXPECT_FALSE(Contains(run.controllerErr, "Gegenstelle"));
    EXPECT_EQ(converted.substr(0, run.received.size()), run.received);
    EXPECT_FALSE(run.received.empty());
    EXPECT_EQ(run.received.size() == converted.size(), c.status == 0);
    // Every transfer adds its entry to the log, with the replies.
    const std::string log = dir_.Read("Protokoll.txt");
    const std::string last = log.substr(log.rfind("\u00dcbertragung 2"));
    EXPECT_TRUE(Contains(last, "Ende: " + c.statuses.back() + "\n")) << last;
    EXPECT_EQ(Contains(last, "Pausen (Speicher voll): 1, "), c.status == 0) << last;
    EXPECT_EQ(Contains(last, ": 24 Abbruch durch die CNC-Maschine\n"), c.status != 0) << last;
  }
}

// --trace FILE: the bytes of both directions, equal to what the controller
// (the test) received and answered, a repeat among them. A trace file that
// cannot be written is said before anything is sent.
TEST_F(TransferEndToEnd, TraceHoldsEveryByteOfBothDirections) {
  PseudoTerminal pty;
  CliProcess send(With({"send", program_, "--port", pty.slavePath(), "--trace", dir_.File("trace")}));
  ASSERT_TRUE(pty.WaitForInputFlush());
  const std::vector<std::uint8_t> answers{6, 21, 6, 6};  // the start, a repeat of frame 1, frames 1 and 2
  for (std::size_t k = 0; k < answers.size(); ++k) {
    if (k > 0) {
      ASSERT_TRUE(pty.ReadFrames(k));
    }
    pty.Write({answers[k]});
  }
  EXPECT_EQ(send.Finish(), 0) << send.err();
  ASSERT_EQ(Frames(pty.received()).size(), 3u);
  const testing_support::TraceBytes trace = testing_support::ReadTrace(dir_.Read("trace"));
  EXPECT_EQ(trace.fault, "");
  EXPECT_EQ(trace.sent, pty.received());
  EXPECT_EQ(trace.received, answers);

  PseudoTerminal unused;
  const std::string missing = dir_.File("missing/trace");
  CliProcess refused(With({"send", program_, "--port", unused.slavePath(), "--trace", missing}));
  EXPECT_EQ(refused.Finish(), 1);
  EXPECT_EQ(Lines(refused.err()).back(), "rur-cli: cannot write " + missing + ": No such file or directory")
      << refused.err();
  EXPECT_EQ(refused.out(), "");
  EXPECT_TRUE(unused.Untouched());
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

// A signal while the controller has not started ends without a frame, one
// while the sender awaits the reply to its first frame after it: either
// way "Abbruch am PC" is said and the port is let go of.
TEST_F(TransferEndToEnd, SignalWhileWaitingOnTheControllerEndsTheTransfer) {
  for (const bool frameOut : {false, true}) {
    SCOPED_TRACE(frameOut);
    PseudoTerminal pty;
    CliProcess send(With({"send", program_, "--port", pty.slavePath()}));
    ASSERT_TRUE(pty.WaitForInputFlush());
    ASSERT_TRUE(send.WaitForLine(kWaiting)) << send.out();
    if (frameOut) {
      pty.Write({6});
      ASSERT_TRUE(pty.ReadFrames());
    }
    send.Signal(frameOut ? SIGTERM : SIGINT);
    EXPECT_EQ(send.Finish(), 1);
    EXPECT_TRUE(Contains(send.out(), kAbortedAtPc)) << send.out();
    EXPECT_EQ(Contains(send.out(), kSending), frameOut);
    EXPECT_TRUE(Contains(send.err(), kAbortMessage)) << send.err();
    EXPECT_TRUE(pty.SlaveClosed());
    const std::vector<transfer::ReceivedFrame> frames = Frames(pty.received());
    if (!frameOut) {
      EXPECT_TRUE(pty.received().empty());
      continue;
    }
    ASSERT_EQ(frames.size(), 1u);  // whole, and not the last
    EXPECT_EQ(pty.received(), transfer::WireBytes({frames[0].data, false}));
  }
}

// A signal before the port is opened: while send waits for the scratch
// file that another run holds (the wait ends at once, not when its patience
// runs out, with a word about the holder), or while a long program is
// drawn, its scratch file just written. The abort is said, and no port is
// opened, so the controller sees no flush.
TEST_F(TransferEndToEnd, SignalBeforeThePortOpensNone) {
  std::string program = "%1\r\n";
  for (int n = 1; n <= 30000; ++n) {
    program += "N" + std::to_string(n * 10) + " G01 X" + std::to_string(n % 300) + " Y" + std::to_string(n % 200) +
               " F100\r\n";
  }
  dir_.Write("%1", program);
  const std::string lock = dir_.File("ZEPS_00.$$$.lock");
  for (const auto& [held, signal] : {std::pair{true, SIGINT}, std::pair{false, SIGINT}, std::pair{false, SIGHUP}}) {
    SCOPED_TRACE(testing::Message() << (held ? "scratch file held, " : "drawing, ") << signal);
    data::FileLock other;
    if (held) {
      ASSERT_EQ(other.TryLock(lock), data::FileLock::Status::Held);
    }
    FileEvents reached(held ? lock : dir_.path(), held ? IN_OPEN : IN_MOVED_TO);
    PseudoTerminal pty;
    CliProcess send(With({"send", held ? program_ : dir_.File("%1"), "--port", pty.slavePath()}));
    ASSERT_TRUE(reached.Wait(held ? "" : "ZEPS_00.$$$"));
    send.Signal(signal);
    EXPECT_EQ(send.Finish(), 1);
    EXPECT_EQ(send.out(), std::string(kAbortedAtPc) + "\n");
    EXPECT_TRUE(Contains(send.err(), kAbortMessage)) << send.err();
    EXPECT_FALSE(Contains(send.err(), "anderen Lauf")) << send.err();
    EXPECT_TRUE(pty.Untouched());
  }
}

// On a terminal device the controller starts at once and ends with the
// last answer; the test plays the sender on the other side.
TEST_F(TransferEndToEnd, ControllerOnADeviceStartsAtOnce) {
  PseudoTerminal pty;
  CliProcess controller(With({"controller", "--port", pty.slavePath(), "--out", dir_.File("got")}));
  ASSERT_TRUE(pty.ReadUntil(1));
  EXPECT_EQ(pty.received(), std::vector<std::uint8_t>{6});
  const std::string text = "%\r\nN1G1X1\r\n\r\n";
  pty.Write(transfer::WireBytes({{text.begin(), text.end()}, true}));
  ASSERT_TRUE(pty.ReadUntil(2));
  EXPECT_EQ(pty.received().back(), 6);
  EXPECT_EQ(controller.Finish(), 0) << controller.err();
  EXPECT_EQ(dir_.Read("got"), text);
  EXPECT_EQ(controller.out(), "");
}

// Sending again from block N of %400 (tool D1 of radius 3, spindle M3 in
// N20, the finishing contour under G41 from N360 on): from block 1 the
// whole transfer byte for byte; from a block inside the contour its first
// block (N360), said in a Hinweis line, after the block before it (N350,
// the plunge) restated; from the last block (M30) the block before it
// restated (the M5 of N500, the feed of the contour, the point X0 Y0 at
// Z50; the block text writes a zero with "-").
// A number past the last block: the golden case send_from_beyond_last.
TEST_F(TransferEndToEnd, SendFromBlockNRestatesAndKeepsTheNumbers) {
  std::string tools(100 * 20, '\0');
  tools.replace(30, 10, std::string("\0\0\0\0\0\0\0\xC0\x00\x40", 10));  // D1: radius 3
  dir_.Write("QVM_wkz.dat", tools);
  program_ = std::string(RUR_SOURCE_DIR) + "/resources/examples/%400";
  const std::string converted = Converted();
  const Run whole = SendToController("", "received", {"--from", "1"});
  EXPECT_EQ(whole.sendStatus, 0) << whole.sendErr;
  EXPECT_EQ(whole.received, converted);
  EXPECT_FALSE(Contains(whole.sendErr, "Hinweis")) << whole.sendErr;

  const auto after = [&converted](const std::string& number) {
    return converted.substr(converted.find("\r\nN" + number) + 2);
  };
  const Run contour = SendToController("", "received", {"--from", "50"});
  EXPECT_EQ(contour.sendStatus, 0) << contour.sendErr;
  EXPECT_TRUE(Contains(contour.sendErr, "Hinweis: Satz 50 liegt in einer korrigierten Kontur: "
                                        "gesendet wird ab ihrem Satz 43."))
      << contour.sendErr;
  EXPECT_EQ(contour.received, "%\r\nN0042T0001\r\nN0042M3\r\nN0042F0100\r\nN0042"
                              "G0Z+0002.00\r\nN0042G0X+0210.00Y+0160.00\r\nN0042G1Z-0004.00\r\n" +
                                  after("0043"));

  const Run last = SendToController("", "received", {"--from", "59"});
  EXPECT_EQ(last.sendStatus, 0) << last.sendErr;
  EXPECT_EQ(last.received, "%\r\nN0058T0001\r\nN0058M5\r\nN0058F0200\r\nN0058"
                           "G0Z+0050.00\r\nN0058G0X-0000.00Y-0000.00\r\n" + after("0059"));
}

// Settings the port cannot take: the port dialog's warnings first, then the
// warning the operator knows with the device and the reason, which is also
// the status text. Which devices and settings are refused:
// PosixLine.RefusalsNameTheDeviceAndTheReason; a device that is no port:
// the golden case send_port_not_a_terminal.
TEST_F(TransferEndToEnd, PortThatCannotBeOpenedIsNamedWithTheReason) {
  PseudoTerminal pty;
  data::Settings settings;
  settings.port = {.dataBits = 9, .xOnChar = 0, .xOffChar = 0};
  ASSERT_TRUE(data::WriteSettings(settings, dir_.path()));
  CliProcess send(With({"send", program_, "--port", pty.slavePath()}));
  EXPECT_EQ(send.Finish(), 1);
  const std::string reason = "Schnittstelle " + pty.slavePath() + ": 9 Datenbits nicht einstellbar";
  EXPECT_EQ(Lines(send.out()), std::vector<std::string>{reason});
  std::vector<std::string> warnings;
  for (const std::string& line : Lines(send.err())) {
    if (line.rfind("Warnung: ", 0) == 0) warnings.push_back(line);
  }
  EXPECT_EQ(warnings, (std::vector<std::string>{
                          "Warnung: XOn/XOff nicht gesetzt (XOn 0, XOff 0): Die QVM meldet vollen Speicher mit 19 "
                          "und gibt mit 17 wieder frei.",
                          std::string(kPortMissingWarning) + " " + reason}))
      << send.err();
}

}  // namespace
