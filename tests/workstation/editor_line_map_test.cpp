// Editor lines and the main program's listing lines, both ways, as the
// preparation recorded them: where the program starts, lines left out or
// split, block skip, the reader's limits; and every block of a drawing with
// calls, repeats and jumps back traced to its editor line.
#include "workstation/editor_line_map.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "draw/path/line_index.h"
#include "nc/preparation/preparation_fixture.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"
#include "workstation/draw_command.h"

namespace {

using Lines = std::vector<std::string>;
using EditorLines = std::vector<std::int32_t>;

struct MapCase {
  const char* name;
  Lines editor;
  bool blockSkip;
  EditorLines editorLines;  // of listing lines 2, 3, ...; empty: no program
  Lines texts;              // of the same lines, where they are not the editor's
};

const std::string kLongLine = "N10 X1 (" + std::string(300, 'A') + ")";

const MapCase kCases[] = {
    {"header not on the first line",
     {"(TEIL 7)", "", "%100", "N10 G01 X5", "", "   ", "N20 X10"},
     false,
     {2, 3, 6},
     {}},
    {"text before the % on its line", {"ABC", "XY %200 (TEIL)", "N10 X1"}, false, {1, 2}, {"%200 (TEIL)", "N10 X1"}},
    {"blocks before the %", {"N5 X99", "N6 Y99", "%1", "N10 X1"}, false, {2, 3}, {}},
    // The pieces: golden prep_split.
    {"split before parameter words",
     {"%1", "N10 G01 X10 L5=3", "N20 X1 L1=2 L2=3", "N30 G79 L1>5 N30"}, false, {0, 1, 1, 2, 2, 2, 3}, {}},
    {"block skip on", {"%1", "/N10 G01 X5", "  N20 X6"}, true, {0, 2}, {"%1", "N20 X6"}},
    {"block skip off", {"%1", "/N10 G01 X5", "  N20 X6"}, false, {0, 1, 2}, {"%1", "N10 G01 X5", "N20 X6"}},
    {"a lone CR ends a line", {"%1", "N10 X1\rN20 X2", "N30 X3\n"}, false, {0, 1, 1, 2}, {}},
    // CR LF is the text's own line end: it makes two lines of the text.
    {"CR LF inside a line", {"%1", "N10 X1\r\nN20 X2", "N30 X3\r\n", "N40 X4"}, false, {0, 1, 2, 3, 5}, {}},
    {"a line is read up to 255 characters", {"%1", kLongLine}, false, {0, 1}, {"%1", kLongLine.substr(0, 255)}},
    {"a % alone with a line after it", {"%", ""}, false, {0}, {"%"}},
    {"a program number of 6 digits", {"%123456", "N10 X1"}, false, {0, 1}, {}},
    {"no %", {"N10 X1", "N20 X2"}, false, {}, {}},
    {"the text ends with the % line", {"N10 X1", "%"}, false, {}, {}},
    {"a program number of 7 digits", {"%1234567", "N10 X1"}, false, {}, {}},
    {"a NUL byte", {"%1", std::string("N10 X1\0", 7)}, false, {}, {}},
    {"empty", {}, false, {}, {}},
};

// The text prepared as the draw command prepares it, and its map.
struct Prepared {
  Prepared(const Lines& editor, bool blockSkip) : text(editor) {
    bench.dir.Write("main.nc", text.Bytes());
    bench.mainProgramFile = bench.dir.File("main.nc");
    bench.listing.Clear();
    bench.preparation.blockSkip = blockSkip;
    prepared = nc::PrepareProgram(bench.preparation, bench.mainProgramFile);
    map = rur::EditorLineMap(bench.listing, bench.table, text);
  }
  testing_support::PreparationBench bench;
  data::ProgramText text;
  bool prepared = false;
  rur::EditorLineMap map;
};

TEST(EditorLineMap, MapsTheMainProgramsListingLines) {
  for (const MapCase& c : kCases) {
    SCOPED_TRACE(c.name);
    const Prepared p(c.editor, c.blockSkip);
    EXPECT_EQ(p.map.Valid(), !c.editorLines.empty());
    ASSERT_EQ(p.prepared, p.map.Valid());
    if (!p.prepared) continue;
    EXPECT_EQ(p.map.LastListingLine(), p.bench.table.entries[0].end);
    EditorLines editorLines;
    Lines texts;
    for (std::int32_t n = p.map.FirstListingLine(); n <= p.map.LastListingLine(); ++n) {
      editorLines.push_back(p.map.EditorLineOf(n));
      texts.emplace_back(p.bench.listing.Line(n));
    }
    EXPECT_EQ(editorLines, c.editorLines);
    if (!c.texts.empty()) {
      EXPECT_EQ(texts, c.texts);
    }
  }
  // A listing that is not the text's: its lines lie beyond the text.
  const Prepared p({"%1", "", "", "N10 X1"}, false);
  EXPECT_FALSE(rur::EditorLineMap(p.bench.listing, p.bench.table, Lines{"%1"}).Valid());
}

TEST(EditorLineMap, BothWays) {
  const rur::EditorLineMap map =
      Prepared({"(TEIL)", "%1", "N10 G01 X10 L5=3", "", "N20 X1 L1=2 L2=3", "N30 X3"}, false).map;
  ASSERT_TRUE(map.Valid());
  EXPECT_EQ(map.FirstListingLine(), 2);
  EXPECT_EQ(map.LastListingLine(), 8);
  struct Case {
    std::int32_t listingLine, editorLine;
  } forward[] = {{1, -1}, {2, 1}, {3, 2}, {4, 2}, {5, 4}, {7, 4}, {8, 5}, {9, -1}, {0, -1}};
  for (const Case& c : forward) EXPECT_EQ(map.EditorLineOf(c.listingLine), c.editorLine) << c.listingLine;
  struct Range {
    std::int32_t firstEditor, lastEditor, first, last;
  } back[] = {{0, 0, 0, -1}, {1, 1, 2, 2}, {2, 2, 3, 4}, {3, 3, 0, -1}, {4, 4, 5, 7},
              {5, 5, 8, 8},  {6, 6, 0, -1}, {0, 3, 2, 4}, {3, 9, 5, 8},  {4, 2, 0, -1}};
  for (const Range& r : back) {
    const rur::ListingLineRange range = map.ListingLinesOf(r.firstEditor, r.lastEditor);
    EXPECT_EQ(range.first, r.first) << r.firstEditor << ".." << r.lastEditor;
    EXPECT_EQ(range.last, r.last) << r.firstEditor << ".." << r.lastEditor;
    EXPECT_EQ(range.Empty(), r.last < r.first);
  }
  EXPECT_EQ(map.ListingLinesOf(4).first, 5);
  EXPECT_FALSE(rur::EditorLineMap().Valid());
  EXPECT_EQ(rur::EditorLineMap().EditorLineOf(2), -1);
}

// Drawings through the draw command: every block of the main program comes
// from an editor line that holds its listing text and its label.
class EditorLineMapDrawing : public ::testing::Test {
 protected:
  EditorLineMapDrawing() : ws(dialogs, pump, {"/nowhere/rur", dir.path()}) { ws.ReplaceProgram(dir.File("%1")); }

  void ExpectEveryBlockTraced(const Lines& editor, bool blockSkip) {
    rur::DrawCommandView quiet;
    rur::DrawProgram(ws, editor, blockSkip, quiet);
    const rur::EditorLineMap map(ws.listing(), ws.subprograms(), editor);
    ASSERT_TRUE(map.Valid());
    for (std::int32_t position = 1; position <= ws.blockStore().count(); ++position) {
      const data::BlockRecord& r = ws.blockStore().At(position);
      if (r.programIndex != 0 || r.listingLine == 1) continue;  // a subprogram, or the listing's empty first line
      const std::int32_t line = map.EditorLineOf(r.listingLine);
      ASSERT_GE(line, 0) << "block " << position;
      const std::string& text = editor[static_cast<std::size_t>(line)];
      const std::string listed(ws.listing().Line(r.listingLine));
      EXPECT_NE(text.find(listed), std::string::npos) << "block " << position;
      const std::size_t n = listed.find('N');
      if (n == std::string::npos) continue;
      const std::string label = listed.substr(n, listed.find(' ', n) - n);
      EXPECT_NE(text.find(label), std::string::npos) << "block " << position << ": " << label;
    }
  }

  testing_support::TempDir dir;
  testing_support::FakeDialogs dialogs;
  testing_support::CountingPump pump;
  rur::Workstation ws;
};

TEST_F(EditorLineMapDrawing, CallsWithRepeatsAndRanges) {
  dir.Write("%5", "%5\r\nN10 X1\r\nN20 X2 L6=1\r\nN30 X3\r\nN40 X4\r\n");
  const Lines editor{"(HAUPTPROGRAMM)", "%1",          "",       "N10 G01 X0 Y0 F100", "N20 G77 H5 N20 N30 S3",
                     "/N25 X7 L5=3",   "N30 G79 N50", "N40 X99", "N50 G77 H5 S2",      "N60 M30"};
  for (const bool blockSkip : {false, true}) {
    SCOPED_TRACE(blockSkip);
    ExpectEveryBlockTraced(editor, blockSkip);
    EXPECT_TRUE(dialogs.messages.empty());
    // The subprogram's line "N30 X3" ran in the range once and in each of
    // the four whole runs after it.
    const draw::PathLineIndex blocks(ws.blockStore());
    const std::int32_t start = ws.subprograms().entries[1].start;
    EXPECT_EQ(blocks.BlocksOfListingLines(1, start + 5, start + 5).size(), 5u);
    // The editor's call line made one block of the main program.
    const rur::EditorLineMap map(ws.listing(), ws.subprograms(), editor);
    const rur::ListingLineRange call = map.ListingLinesOf(4);
    EXPECT_EQ(blocks.BlocksOfListingLines(0, call.first, call.last).size(), 1u);
  }
}

TEST_F(EditorLineMapDrawing, EndlessJumpBackFillsTheStoreLineByLine) {
  // Controller type 1, where a negative target jumps backwards.
  std::vector<std::uint8_t> settings(316, 0);
  settings[256] = 1;
  dir.Write("QVM_ini.Dat", settings);
  const Lines editor{"%1", "N10 G01 X1 F100 L5=2", "", "N20 X2", "N30 G79 N-20", "N40 X3"};
  ExpectEveryBlockTraced(editor, false);
  EXPECT_EQ(ws.blockStore().count(), data::kMaxStoredBlocks);
  const draw::PathLineIndex blocks(ws.blockStore());
  const rur::ListingLineRange jump = rur::EditorLineMap(ws.listing(), ws.subprograms(), editor).ListingLinesOf(4);
  EXPECT_GT(blocks.BlocksOfListingLines(0, jump.first, jump.last).size(), 10000u);
}

}  // namespace
