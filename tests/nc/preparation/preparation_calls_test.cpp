// Which subprograms preparation loads: the call word is looked for in the
// block as the run will execute it, so that every program the run calls is
// in the listing.
#include <gtest/gtest.h>

#include "preparation_fixture.h"

namespace {

class PreparationCalls : public ::testing::Test, protected testing_support::PreparationBench {
 protected:
  PreparationCalls() {
    dir.Write("%2", "%2\nN1 X1\n");
    dir.Write("%5", "%5\nN1 X1\n");
  }
};

struct CallCase {
  const char* line;
  const char* loaded;  // name of the one subprogram loaded, "" for none
};

TEST_F(PreparationCalls, CallWordIsFoundOutsideTheCommentTheRunRemoves) {
  const CallCase cases[] = {
      {"N20 (HOLE) G77 H2", "2"},       // the first "H" of the line lies in the comment
      {"N20 G77 (H2", "2"},             // an unclosed "(" is no comment for the run
      {"N20 (G77 H2", "2"},             //
      {"N20 G77 H2 (HOLE", "2"},        //
      {"N20 H2 (G77", "2"},             //
      {"N20 (X) G77 (H5) H2", "5"},     // only the first comment is removed
      {"N20 G77 H2 (H5)", "2"},         //
      {"N20 ) G77 (H5", "5"},           // ")" before "(": nothing is removed
      {"N20 G77 H2H5", "2"},            // the digits after the "H" name the program, as for the run
      {"  N20 G77 H5 S3  ", "5"},       //
      {"N20 (G77) H2", ""},             // the run never sees this "G77": no call
      {"N20 (G77 H2)", ""},             //
      {"N20 G77 X1", ""},               // a call without "H" calls nothing
      {"N20 (HOLE) X1", ""},            //
  };
  for (const CallCase& c : cases) {
    SCOPED_TRACE(c.line);
    ASSERT_TRUE(Prepare(std::string("%1\n") + c.line + "\nN30 X1\n"));
    if (*c.loaded == '\0') {
      EXPECT_EQ(table.count, 0);
      continue;
    }
    ASSERT_EQ(table.count, 1);
    EXPECT_EQ(table.entries[1].name, c.loaded);
    EXPECT_EQ(table.entries[1].start, 5);  // after "%1", the call, "N30 X1" and the end marker
  }
  EXPECT_TRUE(dialogs.messages.empty());
}

// The main program's own entry is no subprogram: a main program in a file
// named like the called number still gets the subprogram loaded.
TEST_F(PreparationCalls, MainProgramNamedLikeTheCalledNumber) {
  dir.Write("2", "%1\nN10 G77 H2\nN20 G77 H02\n");
  dir.Write("%02", "%2\nN1 X2\n");
  mainProgramFile = dir.File("2");
  listing.Clear();
  ASSERT_TRUE(nc::PrepareProgram(preparation, mainProgramFile));
  ASSERT_TRUE(nc::ExpandSubprograms(preparation));
  EXPECT_EQ(table.entries[0].name, "2");
  ASSERT_EQ(table.count, 2);
  EXPECT_EQ(table.entries[1].name, "2");
  EXPECT_EQ(table.entries[2].name, "02");
  EXPECT_TRUE(dialogs.messages.empty());
}

}  // namespace
