#include "draw/interpreter/execution_fixture.h"
#include "draw/interpreter/execution_messages.h"
#include "support/listing_lines.h"

namespace {

using ExecutionStore = execution_test::ExecutionTest;

TEST_F(ExecutionStore, EveryBlockIsStoredWithItsLine) {
  ctx.run.callLevel = 2;
  ctx.run.levelLines = {3, 9, 17, 0};
  ctx.subprogramSlots = {0, 2, 4, 0};
  Run({"G01 X5 Y5", "", "G74", "X6"});
  ASSERT_EQ(parts.blockStore.count(), 4);
  execution_test::ExpectEnd(At(2), 5, 5, 0);  // an empty block keeps the end point
  EXPECT_EQ(At(2).hasX, 0);
  EXPECT_EQ(Last().listingLine, 17);
  EXPECT_EQ(Last().programIndex, 4);
  EXPECT_EQ(At(3).g74Flag, 1);
  EXPECT_EQ(Last().g74Flag, 0);  // G74 belongs to its block
}

TEST_F(ExecutionStore, NothingHappensAfterAnErrorOrAStop) {
  parts.phase = data::RunPhase::kStopping;
  Run({"X1"});
  parts.phase = data::RunPhase::kIdle;
  ctx.messages.ShowWarning("earlier");
  Run({"X2"});
  EXPECT_EQ(parts.blockStore.count(), 0);
  EXPECT_EQ(ctx.machine.machineEnd.x, 0.0L);
}

TEST_F(ExecutionStore, StoreLimitStopsTheRun) {
  testing_support::SetLines(parts.listing, {"N10 X1", "N20 X2"});
  ctx.subprograms.entries[0].name = "MAIN";
  ctx.run.levelLines[0] = 2;
  parts.blockStore.SetCount(data::kMaxStoredBlocks - 1);
  Run({"X1", "X2"});
  EXPECT_EQ(parts.blockStore.count(), data::kMaxStoredBlocks);
  EXPECT_EQ(Last().endX, 1.0L);
  EXPECT_TRUE(ctx.messages.errorFlag());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].description, draw::kProgramTooLong);
  EXPECT_EQ(dialogs.messages[0].program, "MAIN");
  EXPECT_EQ(dialogs.messages[0].block, "N20 X2");
  const rur::CommandScope next(ctx.messages);
  EXPECT_FALSE(draw::StoreBlock(ctx, {}));
  EXPECT_EQ(parts.blockStore.count(), data::kMaxStoredBlocks);
}

TEST_F(ExecutionStore, ResetByControllerType) {
  ctx.mainProgramFile = dir.File("LONGPROGRAMNAME.NC");
  zeroPoints[0] = {1, 2, 3};
  Type(4);
  EXPECT_EQ(ctx.params.values[10], 10.0L);
  EXPECT_EQ(ctx.params.values[11], 0.0L);
  EXPECT_EQ(ctx.params.set[99], 1);
  EXPECT_EQ(ctx.params.values[100], -1e9L);
  EXPECT_EQ(ctx.params.set[100], 0);
  EXPECT_EQ(ctx.machine.zeroPointMode, 53);
  EXPECT_EQ(ctx.subprograms.entries[0].name, "LONGPROGRAMN");
  for (int type : {1, 2, 3, 14}) {
    Type(type);
    EXPECT_EQ(ctx.params.values[10], 0.0L);
    EXPECT_EQ(ctx.machine.zeroPointMode, 54);
    EXPECT_EQ(ctx.machine.offset.z, 3.0L);
  }
}

}  // namespace
