// What the faces make of an import: part file names before the extension,
// and the editor line each listed note leads to (the output line, the line
// of a part made from the source line, or the source line of a refusal).
#include "workstation/import_outcome.h"

#include <gtest/gtest.h>

namespace {

TEST(ImportOutcome, PartNamesStandBeforeTheExtension) {
  EXPECT_EQ(rur::PartFileName("/d/teil.nc", 1), "/d/teil.nc");
  EXPECT_EQ(rur::PartFileName("/d/teil.nc", 2), "/d/teil_2.nc");
  EXPECT_EQ(rur::PartFileName("/d/%5", 12), "/d/%5_12");
  EXPECT_EQ(rur::PartFileName("/d.x/teil", 2), "/d.x/teil_2");  // a point of the folder is no extension
  EXPECT_EQ(rur::PartFileName("/d/.teil", 2), "/d/.teil_2");    // nor is a leading one
  EXPECT_EQ(rur::PartFileName("a.b.nc", 3), "a.b_3.nc");
}

TEST(ImportOutcome, EachNoteLeadsToItsEditorLine) {
  using nc::ImportNoteKind;
  nc::ImportResult result;
  result.ok = true;
  result.program = {{"%1", "G0 X0", "G1 X5", "G1 X6", "M30"}, {0, 2, 3, 3, 4}};
  result.parts = {{{"%1", "G0 X0", "G1 X5"}, {0, 2, 3}}, {{"%1", "G1 X6", "M30"}, {0, 3, 4}}};
  result.notes = {{ImportNoteKind::kChange, 0, 0, "im Ganzen"},
                  {ImportNoteKind::kChange, 1, 0, "G21 entfernt"},
                  {ImportNoteKind::kChange, 3, 4, "geteilt"},
                  {ImportNoteKind::kChange, 4, 5, "Ende"},
                  {ImportNoteKind::kChange, 4, 9, "hinter dem Programm"}};
  const auto whole = rur::ImportNoteLines(result);
  ASSERT_EQ(whole.size(), 5u);
  EXPECT_EQ(whole[0].text, nc::DescribeImportNote(result.notes[0]));
  const std::int32_t wholeLines[] = {0, 0, 4, 5, 5};
  for (std::size_t i = 0; i < whole.size(); ++i) {
    EXPECT_EQ(whole[i].editorLine, wholeLines[i]) << i;
    EXPECT_FALSE(whole[i].refusal);
  }
  const auto first = rur::ImportNoteLines(result, &result.parts[0]);
  const std::int32_t firstLines[] = {0, 0, 3, 0, 0};  // the line a source line first made
  for (std::size_t i = 0; i < first.size(); ++i) EXPECT_EQ(first[i].editorLine, firstLines[i]) << i;
  const auto second = rur::ImportNoteLines(result, &result.parts[1]);
  EXPECT_EQ(second[3].editorLine, 3);

  // Refused: the refusals alone, at their source lines.
  result.ok = false;
  result.notes.push_back({ImportNoteKind::kRefusal, 7, 0, "nicht umsetzbar"});
  result.notes.push_back({ImportNoteKind::kRefusal, 0, 0, "im Ganzen"});
  const auto refused = rur::ImportNoteLines(result);
  ASSERT_EQ(refused.size(), 2u);
  EXPECT_TRUE(refused[0].refusal);
  EXPECT_EQ(refused[0].editorLine, 7);
  EXPECT_EQ(refused[1].editorLine, 0);
}

}  // namespace
