// The send command's transfer over a line: the port that cannot be opened,
// a whole transfer with the settings' port and reply characters, its ends,
// a second transfer in the same session, and a transfer from block N.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "draw/picture/raster.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"
#include "transfer/handshake.h"
#include "transfer/scripted_line.h"
#include "workstation/send_command.h"
#include "workstation/send_from.h"
#include "workstation/state_access.h"
#include "workstation/transfer_log.h"

namespace {

using testing_support::ScriptedLine;
using Texts = std::vector<std::string>;

// Block 1 brings tool 3 and feed 100; block 2 keeps them and ends the program.
const std::string kSentText =
    "%\r\nN0001T0003\r\nN0001F0100\r\nN0001G1X+0010.00Y+0100.00\r\n"
    "N0002M30\r\nN0002G1X+0020.00Y+0100.00\r\n\r\n";

class SendProgramTest : public ::testing::Test {
 protected:
  SendProgramTest() : ws(dialogs, pump, {"/nowhere/rur", dir.path()}) {
    for (const long double x : {10.0L, 20.0L}) {
      rur::StateOf(ws).sentStore.Append(
          {.endX = x, .endY = 100, .feed = 100, .mFlags = {}, .hasX = 1, .hasY = 1, .motion = data::kFeed, .tool = 3});
    }
    rur::StateOf(ws).sentStore.At(2).mFlags[30] = true;
    rur::PrepareSentPicture(ws);
  }

  bool Send(ScriptedLine& line, std::int32_t first = 1) {
    line.onWait = [this](std::size_t waits) {
      EXPECT_EQ(ws.phase(), data::RunPhase::kRunning);
      if (waits == stopAtWait) rur::StateOf(ws).phase = data::RunPhase::kStopping;
    };
    return rur::SendProgram(ws, line, view, first);
  }

  static std::string Received(const ScriptedLine& line) {
    std::string text;
    for (const auto& frame : line.frames) text.append(frame.data.begin(), frame.data.end());
    return text;
  }

  int RedPixels() const {
    int red = 0;
    for (int y = 0; y < ws.raster().height(); ++y) {
      for (int x = 0; x < ws.raster().width(); ++x) red += ws.raster().Pixel(x, y) == draw::kRed;
    }
    return red;
  }

  testing_support::TempDir dir;
  testing_support::FakeDialogs dialogs;
  testing_support::CountingPump pump;
  rur::Workstation ws;
  testing_support::RecordingView view;
  std::size_t stopAtWait = 0;
};

// The warning the operator knows, and the line's reason beneath it and in
// the status line; a line that knows no reason keeps the warning alone.
TEST_F(SendProgramTest, PortThatCannotBeOpenedSendsNothingAndSaysWhy) {
  const std::string reason = "Schnittstelle /dev/ttyUSB0: belegt von rur (PID 42)";
  for (const std::string& failure : {reason, std::string()}) {
    testing_support::FakeDialogs shown;
    testing_support::RecordingView seen;
    rur::Workstation fresh(shown, pump, {"/nowhere/rur", dir.path()});
    ScriptedLine line;
    line.openResult = false;
    line.failure = failure;
    EXPECT_FALSE(rur::SendProgram(fresh, line, seen));
    EXPECT_EQ(shown.beeps, 1);
    const std::string warning = failure.empty() ? transfer::kPortMissing : transfer::kPortMissing + ("\r\n" + failure);
    EXPECT_EQ(shown.warnings, Texts{warning});
    EXPECT_EQ(seen.status, Texts{failure.empty() ? transfer::kPortMissing : failure});
    EXPECT_EQ(seen.progress, std::vector<int>{0});
    EXPECT_TRUE(line.written.empty());
    EXPECT_EQ(line.closes, 1);
    EXPECT_EQ(fresh.phase(), data::RunPhase::kIdle);
    EXPECT_TRUE(shown.messages.empty());
  }
}

// An abort before the opening, asked for on entry or brought by the events
// the command processes first, opens no port: the controller sees nothing.
TEST_F(SendProgramTest, AbortBeforeTheOpeningOpensNothing) {
  for (const bool onEntry : {true, false}) {
    rur::StateOf(ws).phase = onEntry ? data::RunPhase::kStopping : data::RunPhase::kRunning;
    pump.onEvents = [this, onEntry] {
      if (!onEntry) rur::StateOf(ws).phase = data::RunPhase::kStopping;
    };
    view = {};
    ScriptedLine line;
    EXPECT_FALSE(Send(line));
    EXPECT_EQ(line.opens, 0) << onEntry;
    EXPECT_EQ(view.status, Texts{transfer::kStatusAbortedAtPc}) << onEntry;
    EXPECT_EQ(ws.phase(), data::RunPhase::kIdle) << onEntry;
  }
}

TEST_F(SendProgramTest, WholeTransferWithTheSettingsPortAndCharacters) {
  rur::StateOf(ws).settings.port.comNumber = 4;
  rur::StateOf(ws).settings.port.xOffChar = 19;  // the controller's "memory full"
  rur::StateOf(ws).settings.port.xOnChar = 17;   // and its release
  ScriptedLine line;
  line.arrived = {6};  // left over from before: must not start the transfer
  line.replies = {{19, 17}};
  EXPECT_TRUE(Send(line));
  EXPECT_EQ(line.openedWith, ws.settings().port);
  EXPECT_EQ(line.discards, 1);
  EXPECT_EQ(line.waitsBeforeFirstWrite, 1U);
  EXPECT_EQ(Received(line), kSentText);
  EXPECT_EQ(view.status, (Texts{transfer::kStatusWaiting, transfer::kStatusSending, transfer::kStatusMemoryFull,
                                transfer::kStatusResume, transfer::kStatusFinished}));
  EXPECT_EQ(view.progress.front(), 0);
  EXPECT_EQ(view.progress.back(), 100);
  EXPECT_GT(RedPixels(), 0);
  EXPECT_EQ(line.closes, 1);
  EXPECT_FALSE(line.open);
  EXPECT_EQ(ws.phase(), data::RunPhase::kIdle);
}

// The log entry of a transfer with a repeat and a pause: the counts, each
// reply that was not a plain confirmation with its frame, the end and the
// last confirmed block. The times are the loop's; here they are set.
TEST_F(SendProgramTest, LogEntryOfATransferWithARepeatAndAPause) {
  rur::StateOf(ws).settings.port.baud = 19200;
  rur::StateOf(ws).settings.port.xOffChar = 19;
  rur::StateOf(ws).settings.port.xOnChar = 17;
  ScriptedLine line;
  line.replies = {{21}, {19, 17}};
  EXPECT_TRUE(Send(line));
  transfer::TransferRecord record = ws.lastTransfer();
  EXPECT_EQ(record.bytesSent, static_cast<std::int64_t>(line.written.size()));
  record.pausedMilliseconds = 1250;
  record.elapsedMilliseconds = 61999;
  const std::string entry =
      rur::TransferLogEntry({.start = 0, .programFile = "/nc/teil.nc", .programBytes = 0}, record);
  const std::string wire = std::to_string(line.written.size());
  EXPECT_EQ(entry.substr(entry.find('\n') + 1),
            "Programm: /nc/teil.nc (0 Bytes)\n"
            "Baud: 19200\n"
            "S\xC3\xA4tze: 2\n"
            "Rahmen: 2 gesendet, 1 best\xC3\xA4tigt\n"
            "Bytes: " + wire + "\n"
            "Wiederholungen: 1\n"
            "Pausen (Speicher voll): 1, 1,2 s\n"
            "Antwort auf Rahmen 1: 21 Daten nicht korrekt angekommen!\n"
            "Antwort auf Rahmen 1: 19 QVM-Speicher voll! warte auf freigabe!\n"
            "Antwort auf Rahmen 1: 17 Sende weiter!\n"
            "Dauer: 61,9 s\n"
            "Ende: Daten\xC3\xBC" "bertragung beendet!\n"
            "Zuletzt best\xC3\xA4tigt: Satz 2\n\n");
  EXPECT_EQ(entry.rfind("\xC3\x9C" "bertragung ", 0), 0U);

  // Entries read back newest first; a text cut off keeps its last entry.
  const std::vector<std::string> entries = rur::LogEntriesNewestFirst("a\nb\n\nc\n\nd");
  EXPECT_EQ(entries, (Texts{"d", "c", "a\nb"}));
  // A log longer than what is read: exactly the limit keeps every entry, one
  // byte more drops the entry it cuts into, a cut at an entry's start keeps it.
  std::string failure;
  const std::string log = dir.path() + "Protokoll.txt";
  ASSERT_TRUE(rur::AppendToFile(log, "first\n\nsecond\n\n", failure));
  EXPECT_EQ(rur::ReadTransferLog(log, 15), (Texts{"second", "first"}));
  EXPECT_EQ(rur::ReadTransferLog(log, 14), (Texts{"second"}));
  EXPECT_EQ(rur::ReadTransferLog(log, 8), (Texts{"second"}));
  EXPECT_EQ(rur::ReadTransferLog(log, 7), Texts{});
  EXPECT_FALSE(rur::AppendToFile(dir.path() + "missing/Protokoll.txt", "x", failure));
  EXPECT_NE(failure.find("missing/Protokoll.txt: "), std::string::npos);
}

TEST_F(SendProgramTest, SecondTransferStartsClean) {
  ScriptedLine first;
  first.replies = {{24}};
  EXPECT_FALSE(Send(first));
  EXPECT_EQ(view.status.back(), transfer::kStatusAbortedByMachine);
  EXPECT_EQ(Received(first), kSentText);

  ScriptedLine second;
  EXPECT_TRUE(Send(second));
  EXPECT_EQ(Received(second), kSentText);  // tool and feed are sent again
  EXPECT_EQ(ws.phase(), data::RunPhase::kIdle);
}

// From the last block: the block before it restated (tool, feed, the climb
// to the highest Z so far, the point it ended at; no descent, it ended
// there), then the block with its own number. Whether the controller
// confirmed it decides what is offered next: nothing confirmed offers the
// same block, a transfer accepted to its end offers block 1. The red path
// holds the confirmed blocks from N on only, block N drawn from where block
// N - 1 ended as the whole transfer draws it (not from the pen's start).
TEST_F(SendProgramTest, FromTheLastBlockRestatesTheOneBefore) {
  EXPECT_EQ(rur::FirstUnconfirmedBlock(ws), 1);  // no transfer yet
  ScriptedLine stopped;
  stopped.replies = {{24}};
  EXPECT_FALSE(Send(stopped, 2));
  EXPECT_EQ(Received(stopped),
            "%\r\nN0001T0003\r\nN0001F0100\r\nN0001G0Z-0000.00\r\nN0001G0X+0010.00Y+0100.00\r\n"
            "N0002M30\r\nN0002G1X+0020.00Y+0100.00\r\n\r\n");
  EXPECT_EQ(ws.lastTransfer().blocksSkipped, 1);
  EXPECT_EQ(ws.lastTransfer().blocksConfirmed, 1);  // the block before counts as confirmed
  const std::string entry =
      rur::TransferLogEntry({.start = 0, .programFile = "", .programBytes = -1}, ws.lastTransfer());
  EXPECT_NE(entry.find("S\xC3\xA4tze: 2\nAb Satz: 2\n"), std::string::npos) << entry;
  EXPECT_EQ(rur::FirstUnconfirmedBlock(ws), 2);
  EXPECT_EQ(RedPixels(), 0);  // nothing confirmed, nothing red
  ScriptedLine accepted;
  EXPECT_TRUE(Send(accepted, 2));
  EXPECT_EQ(rur::FirstUnconfirmedBlock(ws), 1);
  const int lastBlockRed = RedPixels();  // block 2 alone, from where block 1 ended
  EXPECT_GT(lastBlockRed, 0);
  ScriptedLine whole;
  whole.replies = {{24}};
  EXPECT_FALSE(Send(whole, 1));
  EXPECT_EQ(Received(whole), kSentText);
  EXPECT_EQ(rur::FirstUnconfirmedBlock(ws), 1);
  rur::PrepareSentPicture(ws);
  ScriptedLine all;
  EXPECT_TRUE(Send(all, 1));
  // The whole transfer draws the same pixels: its block 1 starts where the
  // last transfer left the pen, at block 2's end, and runs back along it.
  EXPECT_EQ(RedPixels(), lastBlockRed);
}

// Where a transfer from block N starts: a block inside a compensated
// contour moves to the contour's first block (a plunge or a dwell among its
// blocks belongs to it, the G40 move does not), and a number the store
// does not hold is refused.
TEST_F(SendProgramTest, StartInsideAContourMovesToItsFirstBlock) {
  data::BlockStore& store = rur::StateOf(ws).sentStore;
  store.Clear();
  // 1 rapid, 2 plunge, 3 and 5 compensated with a plunge between, 6 the G40
  // move, 7 a climb.
  for (const auto& [plane, compensation] : {std::pair{1, 40}, {0, 40}, {1, 41}, {0, 40}, {1, 41}, {1, 40}, {0, 40}}) {
    store.Append({.mFlags = {}, .hasX = static_cast<std::uint8_t>(plane), .compensation = static_cast<std::uint8_t>(compensation)});
  }
  const std::string kLast = "Satz 8 gibt es nicht: das Programm hat 7 S\xE4tze!";
  struct Case {
    std::int64_t from;
    std::int32_t start;
    Texts informations;
    Texts warnings;
  };
  const Case cases[] = {
      {1, 1, {}, {}},
      {2, 2, {}, {}},
      {3, 3, {}, {}},
      {4, 3, {rur::ContourStartText(4, 3)}, {}},
      {5, 3, {"Satz 5 liegt in einer korrigierten Kontur: gesendet wird ab ihrem Satz 3."}, {}},
      {6, 6, {}, {}},
      {7, 7, {}, {}},
      {8, 0, {}, {kLast}},
      {0, 0, {}, {"Satz 0 gibt es nicht: das Programm hat 7 S\xE4tze!"}},
      {-1, 0, {}, {rur::NoSuchBlockText(-1, 7)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.from);
    dialogs = {};
    EXPECT_EQ(rur::SendStart(ws, c.from), c.start);
    EXPECT_EQ(dialogs.informations, c.informations);
    EXPECT_EQ(dialogs.warnings, c.warnings);
    EXPECT_EQ(dialogs.beeps, static_cast<int>(c.warnings.size()));
    EXPECT_TRUE(dialogs.messages.empty());
  }
}

}  // namespace
