// The draw command from the editor's lines to the stored blocks: what ends
// a run, and when the result may be sent.
#include "workstation/draw_command.h"

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "draw/picture/surface.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"
#include "workstation/send_command.h"
#include "workstation/state_access.h"

namespace {

using testing_support::FakeDialogs;
using testing_support::TempDir;

// A pump that brings the abort command (a stop and its message) once
// stopWhen holds.
class StoppingPump : public data::EventPump {
 public:
  void ProcessEvents() override {
    ++calls;
    if (ws == nullptr || !stopWhen || !stopWhen() || ws->phase() == data::RunPhase::kStopping) return;
    rur::AbortCommand(*ws);
  }
  rur::Workstation* ws = nullptr;
  std::function<bool()> stopWhen;
  int calls = 0;
};

class DrawCommandTest : public ::testing::Test {
 protected:
  DrawCommandTest() : ws(dialogs, pump, {"/nowhere/rur", dir.path()}) {
    ws.ReplaceProgram(dir.File("%1"));
  }
  bool Draw(const std::vector<std::string>& lines) { return rur::DrawProgram(ws, lines, false, view); }

  struct CountingView : rur::DrawCommandView {
    void RunStarting() override { ++started; }
    void RunEnded(bool clean) override { ended.push_back(clean); }
    int started = 0;
    std::vector<bool> ended;
  };

  TempDir dir;
  FakeDialogs dialogs;
  StoppingPump pump;
  rur::Workstation ws;
  CountingView view;
};

TEST_F(DrawCommandTest, CleanRunStoresEveryExecutedLine) {
  rur::StateOf(ws).phase = data::RunPhase::kStopping;  // asked for before the command: does not hold it
  EXPECT_TRUE(Draw({"%1", "N10 G01 X10 Y10 F100", "N20 X20", "N30 M30"}));
  // The empty first line of the listing and the header line are executed too.
  EXPECT_EQ(ws.blockStore().count(), 5);
  EXPECT_EQ(ws.blockStore().At(3).endX, 10.0L);
  EXPECT_EQ(ws.blockStore().At(3).listingLine, 3);
  EXPECT_EQ(view.started, 1);
  EXPECT_EQ(view.ended, std::vector<bool>{true});
  EXPECT_TRUE(dialogs.messages.empty());
  EXPECT_EQ(ws.phase(), data::RunPhase::kIdle);
}

// A subprogram that ends the whole program is pointed out, not refused:
// it is drawn, and the drawing may be sent.
TEST_F(DrawCommandTest, SubprogramEndingTheProgramIsReportedAndStillDrawn) {
  dir.Write("%7", "%7\r\nN10 X5\r\nN20 M30\r\n");
  EXPECT_TRUE(Draw({"%1", "N10 G77 H7", "N20 G01 X1 F100"}));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].number, "166");
  EXPECT_EQ(view.ended, std::vector<bool>{true});
  EXPECT_GT(ws.blockStore().count(), 3);
}

// A program that cannot be read (no "%": message 44) is not drawn and leaves
// no blocks of the drawing before it, whose listing lines would name lines
// of the new listing, nor its picture; its message names no line.
TEST_F(DrawCommandTest, ProgramThatCannotBeReadLeavesNothingToSend) {
  ASSERT_TRUE(Draw({"%1", "N10 G01 X10 Y10 F100", "N20 X20", "N30 X30", "N40 M30"}));
  ASSERT_GT(ws.blockStore().count(), 0);
  view = {};
  EXPECT_FALSE(Draw({"N10 G01 X10", "N20 X20", "N30 X30", "N40 X40"}));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].number, " 44");
  EXPECT_EQ(view.started, 0);
  EXPECT_EQ(view.ended, std::vector<bool>{false});
  EXPECT_EQ(ws.blockStore().count(), 0);
  draw::Raster blank = ws.raster();
  draw::ClearPicture(blank);
  EXPECT_TRUE(ws.raster().pixels() == blank.pixels());
  EXPECT_EQ(ws.messagePlace(), std::nullopt);
}

// A message of the run names the line it stopped at, in the program that
// was executing: the main program, or a subprogram called from it.
TEST_F(DrawCommandTest, RunMessagesNameTheLineTheyStoppedAt) {
  dir.Write("%7", "%7\r\nN10 G01 X5 F100\r\nN20 X6 F0\r\nN30 M17\r\n");
  EXPECT_FALSE(Draw({"%1", "N10 G01 X10 F100", "N20 X20 F0", "N30 M30"}));
  EXPECT_EQ(ws.messagePlace(), (rur::ListingPlace{0, 4}));  // after the listing's empty line and "%1"
  EXPECT_FALSE(Draw({"%1", "N10 G01 X10 F100", "N20 G77 H7", "N30 M30"}));
  ASSERT_TRUE(ws.messagePlace().has_value());
  EXPECT_EQ(ws.messagePlace()->programIndex, 1);
  EXPECT_EQ(ws.messagePlace()->listingLine - ws.subprograms().entries[1].start, 3);  // "N20 X6 F0"
  EXPECT_TRUE(Draw({"%1", "N10 G01 X10 F100", "N20 X20", "N30 M30"}));
  EXPECT_EQ(ws.messagePlace(), std::nullopt);
}

// The abort ends the command where it comes: in the run after the block
// during which it came; in the wait for the scratch file that another run
// holds before the run starts (no warning about the holder), keeping the
// abort's message. The stop stays asked, so that no port opens after it.
TEST_F(DrawCommandTest, AbortEndsTheCommandWhereItComes) {
  pump.ws = &ws;
  std::vector<std::string> lines{"%1"};
  for (int n = 1; n <= 50; ++n) lines.push_back("N" + std::to_string(n * 10) + " G01 X" + std::to_string(n));
  data::FileLock other;
  const struct {
    const char* where;
    std::function<bool()> stopWhen;
    bool lockHeld;
    int blocks;
    int started;
  } cases[] = {{"in the run", [this] { return ws.blockStore().count() >= 1; }, false, 1, 1},
               {"waiting for the scratch file", [this] { return pump.calls == 2; }, true, 0, 0}};
  for (const auto& c : cases) {
    if (c.lockHeld) {
      ASSERT_EQ(other.TryLock(dir.File("ZEPS_00.$$$.lock")), data::FileLock::Status::Held);
    }
    pump.calls = 0;
    pump.stopWhen = c.stopWhen;
    view = {};
    dialogs.messages.clear();
    EXPECT_FALSE(Draw(lines)) << c.where;
    EXPECT_EQ(ws.blockStore().count(), c.blocks) << c.where;
    EXPECT_EQ(view.started, c.started) << c.where;
    ASSERT_EQ(dialogs.messages.size(), 1u) << c.where;
    EXPECT_EQ(dialogs.messages[0].number, "181") << c.where;
    EXPECT_TRUE(ws.messages().errorFlag()) << c.where;
    EXPECT_TRUE(dialogs.warnings.empty()) << c.where;
    EXPECT_EQ(ws.phase(), data::RunPhase::kStopping) << c.where;
    EXPECT_EQ(ws.messagePlace(), std::nullopt) << c.where;  // the abort names no line
  }
}

TEST_F(DrawCommandTest, UnwritableScratchFileStopsTheCommand) {
  std::filesystem::create_directory(dir.File("ZEPS_00.$$$"));  // a folder in the way
  EXPECT_FALSE(Draw({"%1", "N10 X1", "N20 X2"}));
  ASSERT_EQ(dialogs.warnings.size(), 1u);
  EXPECT_NE(dialogs.warnings[0].find("ZEPS_00.$$$"), std::string::npos);
  EXPECT_EQ(view.started, 0);
}

TEST_F(DrawCommandTest, JumpTargetsBeyondTheIntegerRangeFindNoLabel) {
  EXPECT_FALSE(Draw({"%1", "N10 G79 N100000000000000000000", "N20 X1", "N0 X2"}));
  ASSERT_FALSE(dialogs.messages.empty());
  EXPECT_EQ(dialogs.messages.back().number, " 24");
}

}  // namespace
