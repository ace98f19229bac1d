// The scratch file shared by every run on one data directory: runs take
// turns at it, wait while another holds it, and give up with a warning
// when the other never lets go.
#include "workstation/draw_preparation.h"

#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "data/files.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"

namespace {

using testing_support::CountingPump;
using testing_support::FakeDialogs;
using testing_support::TempDir;

// One workstation on the shared data directory, as one run has it.
struct Session {
  explicit Session(const TempDir& dir) : ws(dialogs, pump, {"/nowhere/rur", dir.path()}) {
    ws.LoadSettingsAtActivation();
    ws.ReplaceProgram(dir.File("%1"));
  }
  FakeDialogs dialogs;
  CountingPump pump;
  rur::Workstation ws;
};

const std::vector<std::string> kProgramA{"%1", "N10 G01 X1"};
const std::vector<std::string> kProgramB{"%1", "N10 G01 X2", "N20 X3"};

// Two workstations preparing over and over at the same time: each must
// read back the text it wrote, never the other's.
TEST(DrawPreparation, RunsAtTheSameTimeEachReadTheirOwnProgram) {
  TempDir dir;
  std::atomic<int> mixed{0};
  auto prepareMany = [&dir, &mixed](const std::vector<std::string>& lines) {
    Session run(dir);
    for (int n = 0; n < 100; ++n) {
      const rur::PreparationOutcome outcome = rur::PrepareDrawing(run.ws, lines, false);
      // The listing: an empty first line, the program, the end marker.
      if (!outcome.prepared || run.ws.listing().Size() != static_cast<std::int64_t>(lines.size()) + 2 ||
          run.ws.listing().Line(3) != lines[1]) {
        ++mixed;
      }
    }
  };
  std::thread a(prepareMany, kProgramA);
  std::thread b(prepareMany, kProgramB);
  a.join();
  b.join();
  EXPECT_EQ(mixed.load(), 0);
}

// The other run lets go while the waiting run processes its events.
TEST(DrawPreparation, RunWaitsWhileAnotherHoldsTheScratchFile) {
  TempDir dir;
  Session run(dir);
  data::FileLock other;
  ASSERT_EQ(other.TryLock(rur::ScratchLockName(run.ws.dataDirectory())), data::FileLock::Status::Held);
  run.pump.onEvents = [&] {
    if (run.pump.calls == 2) other.Unlock();
  };
  const rur::PreparationOutcome outcome = rur::PrepareDrawing(run.ws, kProgramA, false);
  EXPECT_TRUE(outcome.prepared);
  EXPECT_TRUE(outcome.expanded);
  EXPECT_GE(run.pump.calls, 2);  // the window stays responsive while it waits
  EXPECT_TRUE(run.dialogs.warnings.empty());
  // Released again once the scratch file has been read.
  EXPECT_EQ(other.TryLock(rur::ScratchLockName(run.ws.dataDirectory())), data::FileLock::Status::Held);
}

TEST(DrawPreparation, HolderThatNeverLetsGoStopsTheRunWithAWarning) {
  TempDir dir;
  Session run(dir);
  data::FileLock other;
  ASSERT_EQ(other.TryLock(dir.File("ZEPS_00.$$$.lock")), data::FileLock::Status::Held);
  const rur::PreparationOutcome outcome =
      rur::PrepareDrawing(run.ws, kProgramA, false, std::chrono::milliseconds(50));
  EXPECT_FALSE(outcome.prepared);
  ASSERT_EQ(run.dialogs.warnings.size(), 1u);
  EXPECT_EQ(run.dialogs.warnings[0], "Hilfsdatei " + dir.File("ZEPS_00.$$$") +
                                         " wird von einem anderen Lauf benutzt!\n\rZeichnen nicht m\xF6glich.");
  EXPECT_TRUE(run.ws.messages().errorFlag());
  EXPECT_FALSE(dir.Exists("ZEPS_00.$$$"));  // nothing written under the other's hands
}

// A subprogram with lower case is pointed out once, and again only when
// its first such line changes; the main program's is not (it was offered
// on loading).
TEST(DrawPreparation, LowerCaseSubprogramIsPointedOutOncePerText) {
  TempDir dir;
  Session run(dir);
  dir.Write("%7", "%7\r\nN10 g1 x5\r\nN20 M17\r\n");
  const std::vector<std::string> program{"%1", "N10 g1", "N20 G77 H7", "N30 M30"};
  rur::PrepareDrawing(run.ws, program, false);
  rur::PrepareDrawing(run.ws, program, false);
  ASSERT_EQ(run.dialogs.informations.size(), 1u);
  EXPECT_EQ(run.dialogs.informations[0],
            "Das Unterprogramm %7 enth\xE4lt Kleinbuchstaben, die nicht als Adressen gelesen werden (zuerst Zeile 2: "
            "N10 g1 x5).");
  dir.Write("%7", "%7\r\nN10 G1 X5\r\nN15 y5\r\nN20 M17\r\n");
  rur::PrepareDrawing(run.ws, program, false);
  ASSERT_EQ(run.dialogs.informations.size(), 2u);
  EXPECT_NE(run.dialogs.informations[1].find("Zeile 3: N15 y5"), std::string::npos);
}

}  // namespace
