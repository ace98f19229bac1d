// The origin a picked block is named by: main-program blocks by their
// editor line (lines before the "%" and split lines accounted for), blocks
// of a subprogram by its name and its line counted from its "%" line.
#include "workstation/block_origin.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/fake_dialogs.h"
#include "support/temp_dir.h"
#include "workstation/draw_command.h"

namespace {

using Lines = std::vector<std::string>;

class BlockOriginTest : public ::testing::Test {
 protected:
  BlockOriginTest() : ws(dialogs, pump, {"/nowhere/rur", dir.path()}) { ws.ReplaceProgram(dir.File("%1")); }

  // The first stored block whose end is (x, y); 0 when none.
  std::int32_t BlockEndingAt(long double x, long double y) const {
    for (std::int32_t p = 1; p <= ws.blockStore().count(); ++p) {
      const data::BlockRecord& r = ws.blockStore().At(p);
      if (r.endX == x && r.endY == y) return p;
    }
    return 0;
  }

  testing_support::TempDir dir;
  testing_support::FakeDialogs dialogs;
  testing_support::CountingPump pump;
  rur::Workstation ws;
};

TEST_F(BlockOriginTest, MainProgramAndSubprogramBlocks) {
  // Subprogram %7: its "%" line is line 1, the line to X40 line 3.
  dir.Write("%7", "%7\r\nN10 G01 X30 Y30 F100\r\nN20 X40\r\nN30 M17\r\n");
  const Lines editor = {"(TEIL)", "", "%1", "N10 G01 X10 Y10 F200 L5=3", "N20 X20", "N30 G77 H7", "N40 M30"};
  rur::DrawCommandView quiet;
  ASSERT_TRUE(rur::DrawProgram(ws, editor, false, quiet)) << (dialogs.messages.empty() ? "" : dialogs.messages[0].description);
  const rur::EditorLineMap map(ws.listing(), ws.subprograms(), editor);
  ASSERT_TRUE(map.Valid());

  struct Case {
    long double x, y;
    std::int32_t programIndex, line, editorLine;
    const char* program;
  } cases[] = {
      {10, 10, 0, 4, 3, "%1"},  // the first half of a split line
      {20, 10, 0, 5, 4, "%1"},  // after it: the split does not shift the lines
      {40, 30, 1, 3, -1, "%7"},
  };
  for (const Case& c : cases) {
    const std::int32_t position = BlockEndingAt(c.x, c.y);
    ASSERT_GT(position, 0) << c.x;
    const rur::BlockOrigin origin = rur::OriginOfBlock(ws.blockStore(), ws.subprograms(), map, position);
    EXPECT_EQ(origin.programIndex, c.programIndex) << c.x;
    EXPECT_EQ(origin.programName, c.program) << c.x;
    EXPECT_EQ(origin.line, c.line) << c.x;
    EXPECT_EQ(origin.editorLine, c.editorLine) << c.x;
    EXPECT_EQ(rur::DescribeOrigin(origin),
              "Satz " + std::to_string(position) + ": " + c.program + ", Zeile " + std::to_string(c.line));
  }

  // Without a map (the editor changed since) the main program's line counts
  // from its "%" line too, and no editor line is named.
  const rur::BlockOrigin stale = rur::OriginOfBlock(ws.blockStore(), ws.subprograms(), rur::EditorLineMap(), BlockEndingAt(20, 10));
  EXPECT_EQ(stale.editorLine, -1);
  EXPECT_EQ(stale.line, 4);  // "%1", N10 .., L5=3, N20 X20
}

}  // namespace
