// The blocks a listing line made: every execution of a line, only the
// program asked for, ranges and sets of lines with their ends included.
#include "draw/path/line_index.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

using Positions = std::vector<std::int32_t>;

// Blocks by (program, listing line), stored at positions 1, 2, ...: the
// main program's lines 3 to 5 with a call of program 1 (lines 11, 12) twice
// from line 4.
data::BlockStore Store() {
  const std::pair<std::int32_t, std::int32_t> blocks[] = {{0, 1}, {0, 2}, {0, 3},  {0, 4},  {1, 11}, {1, 12},
                                                          {1, 11}, {1, 12}, {0, 5}, {0, 3}, {0, 12}};
  data::BlockStore store;
  for (const auto& [program, line] : blocks) store.Append({.mFlags = {}, .listingLine = line, .programIndex = program});
  return store;
}

TEST(PathLineIndex, RangesOfLines) {
  const data::BlockStore store = Store();
  const draw::PathLineIndex index(store);
  struct Case {
    std::int32_t program, first, last;
    Positions positions;
  } cases[] = {
      {0, 3, 3, {3, 10}},             // a line executed twice
      {0, 3, 5, {3, 4, 9, 10}},       // both ends included
      {1, 11, 11, {5, 7}},
      {1, 11, 12, {5, 6, 7, 8}},
      {0, 12, 12, {11}},              // the same line number in another program is another line
      {0, 6, 10, {}},
      {0, 5, 3, {}},                  // last before first
      {2, 1, 100, {}},
      {0, 1, 1, {1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(index.BlocksOfListingLines(c.program, c.first, c.last), c.positions)
        << c.program << ": " << c.first << ".." << c.last;
  }
}

TEST(PathLineIndex, SetsOfLines) {
  const data::BlockStore store = Store();
  const draw::PathLineIndex index(store);
  const std::vector<std::int32_t> lines{5, 3, 5, 99};
  EXPECT_EQ(index.BlocksOfListingLines(0, lines), (Positions{3, 9, 10}));
  EXPECT_EQ(index.BlocksOfListingLines(0, std::vector<std::int32_t>{}), Positions{});
  EXPECT_EQ(draw::PathLineIndex().BlocksOfListingLines(0, 1, 10), Positions{});
}

}  // namespace
