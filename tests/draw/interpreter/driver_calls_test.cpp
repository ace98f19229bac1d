// Calls of the interpreter loop that find no subprogram: the run stops with
// a message naming the calling program and block instead of ending as if
// the program were done.
#include "draw/interpreter/driver.h"

#include "draw/interpreter/execution_fixture.h"
#include "support/listing_lines.h"

namespace {

class DriverCalls : public execution_test::ExecutionTest {
 protected:
  DriverCalls() {
    Lay("N20 G77 H7");
    ctx.programName = "MAIN";
    parts.subprograms.count = 1;
    parts.subprograms.entries[0] = {1, 5, "MAIN"};
    parts.subprograms.entries[1] = {6, 9, "7"};
  }

  // The main program "MAIN" (lines 2 to 5) calling on line 4, and the
  // subprogram "7" (lines 7 to 9), as preparation lays them out.
  void Lay(std::string_view mainCall) {
    testing_support::SetLines(parts.listing, {"", "%1", "N10 G1 X10", mainCall, "N30 G1 Y10", "", "%7", "N1 G1 X20",
                                              "N2 G77 H8", "(Unterprogramm-Ende)"});
    parts.listing.lineCount = 9;
  }
};

struct MissingCall {
  const char* mainCall;     // line 4
  const char* program;      // program named by the message
  const char* block;        // block named by the message
  std::int32_t stored;      // blocks executed before the run stopped
};

TEST_F(DriverCalls, CallOfAProgramNotLoadedStopsTheRun) {
  const MissingCall cases[] = {
      {"N20 G77 H2", "MAIN", "N20 G77 H2", 4},  // from the main program
      {"N20 G77 H7", "7", "N2 G77 H8", 7},      // from a subprogram (level 1 to 2)
  };
  for (const MissingCall& c : cases) {
    SCOPED_TRACE(c.mainCall);
    dialogs.messages.clear();
    const rur::CommandScope next(ctx.messages);
    Lay(c.mainCall);
    draw::RunProgram(ctx);
    EXPECT_TRUE(ctx.messages.errorFlag());
    ASSERT_EQ(Shown(), std::vector<int>{20});
    EXPECT_EQ(dialogs.messages[0].program, c.program);
    EXPECT_EQ(dialogs.messages[0].block, c.block);
    EXPECT_EQ(parts.blockStore.count(), c.stored);  // N30 is never reached
  }
}

}  // namespace
