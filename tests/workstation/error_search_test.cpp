// The error search: a block number from the controller's display back to
// the program and line that made it.
#include "workstation/error_search.h"

#include <gtest/gtest.h>

#include "support/fake_dialogs.h"
#include "support/listing_lines.h"
#include "support/temp_dir.h"
#include "workstation/state_access.h"

namespace {

class ErrorSearchTest : public ::testing::Test {
 protected:
  ErrorSearchTest() : ws(dialogs, pump, {"/nowhere/rur", dir.path()}) {
    testing_support::SetLines(rur::StateOf(ws).listing, {"", "%1", "N10 G1 X10", "N20 L201", "M30", "%201", "N1 G1 Y5", "M17"});
    rur::StateOf(ws).subprograms.entries[0].name = "%1";
    rur::StateOf(ws).subprograms.entries[1].name = "%201";
    rur::StateOf(ws).subprograms.count = 1;
    // Block 1 from line 3 of the main program, block 2 from line 7 of %201,
    // block 3 a corner from line 3 again.
    for (const auto& [line, program] : {std::pair{3, 0}, std::pair{7, 1}, std::pair{3, 0}}) {
      rur::StateOf(ws).sentStore.Append({.endX = line * 10.0L + program, .mFlags = {}, .listingLine = line, .programIndex = program});
    }
  }

  const data::MessageLabels& Shown() const { return dialogs.messages.back(); }

  testing_support::TempDir dir;
  testing_support::FakeDialogs dialogs;
  testing_support::CountingPump pump;
  rur::Workstation ws;
};

TEST_F(ErrorSearchTest, BlockNumbersNameTheirProgramAndLine) {
  rur::FindBlockLine(ws, 2);
  EXPECT_EQ(Shown().number, "Direkt");
  EXPECT_EQ(Shown().description, "");
  EXPECT_EQ(Shown().program, "%201");
  EXPECT_EQ(Shown().block, "N1 G1 Y5");
  EXPECT_EQ(rur::StateOf(ws).currentRecord.endX, 71);
  EXPECT_TRUE(ws.messages().errorFlag());
  EXPECT_EQ(ws.messagePlace(), (rur::ListingPlace{1, 7, 2}));

  rur::FindBlockLine(ws, 3);  // the last block
  EXPECT_EQ(Shown().program, "%1");
  EXPECT_EQ(Shown().block, "N10 G1 X10");
  EXPECT_EQ(rur::StateOf(ws).currentRecord.endX, 30);
}

TEST_F(ErrorSearchTest, BlockZeroHasNoLine) {
  rur::FindBlockLine(ws, 0);
  EXPECT_EQ(Shown().description, "");
  EXPECT_EQ(Shown().block, "");
  EXPECT_EQ(rur::StateOf(ws).currentRecord.listingLine, 0);
  EXPECT_EQ(ws.messages().context.messageListingLine, 0);
  EXPECT_EQ(ws.messagePlace(), std::nullopt);
}

// Only that they are not found: no program, block or line of the block
// found before stays beside the text.
TEST_F(ErrorSearchTest, NumbersOutsideTheStoreAreNotFound) {
  for (const std::int64_t n : {std::int64_t{4}, std::int64_t{-1}, std::int64_t{1} << 40}) {
    SCOPED_TRACE(n);
    rur::FindBlockLine(ws, 2);
    rur::StateOf(ws).messages.context.messageProgramIndex = 1;
    rur::StateOf(ws).messages.context.messageListingLine = 7;
    rur::StateOf(ws).currentRecord.endX = -5;
    rur::FindBlockLine(ws, n);
    EXPECT_EQ(Shown().number, "Direkt");
    EXPECT_EQ(Shown().description, "CNC-Zeile nicht   \"AUFFINDBAR\"");
    EXPECT_EQ(Shown().program, "");
    EXPECT_EQ(Shown().block, "");
    EXPECT_EQ(ws.messagePlace(), std::nullopt);
    EXPECT_EQ(ws.messages().context.messageProgramIndex, 0);
    EXPECT_EQ(ws.messages().context.messageListingLine, 0);
    EXPECT_EQ(rur::StateOf(ws).currentRecord.endX, -5);
  }
}

}  // namespace
