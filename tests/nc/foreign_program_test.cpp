// Programs of other controls: which letters count as lower case outside
// comments, which lines count (from the first "%" on, as preparation reads),
// the conversion leaving comments as written, the hint's quote, and the
// subprograms that preparation notes with the file's own line numbers.
#include "nc/foreign_program.h"

#include <gtest/gtest.h>

#include "nc/preparation_fixture.h"

namespace {

TEST(ForeignProgram, LowerCaseOutsideCommentsAndItsConversion) {
  struct Case {
    const char* line;
    bool lower;
    const char* upper;
  };
  const Case cases[] = {
      {"G1 X5", false, "G1 X5"},
      {"g1 x1.7 y-1.01", true, "G1 X1.7 Y-1.01"},
      {"a", true, "A"},  // both ends of a..z
      {"z", true, "Z"},
      {"`{\xE4\xDF", false, "`{\xE4\xDF"},  // the characters beside a..z, umlauts
      {"G1 (Bohrung tief) X5", false, "G1 (Bohrung tief) X5"},
      {"G1 (A) x5 (b) y", true, "G1 (A) X5 (b) Y"},      // every comment, not only the first
      {"G1 X5 (offen bis zum ende", false, "G1 X5 (offen bis zum ende"},
      {"G1 X5 ; drill here", false, "G1 X5 ; drill here"},  // another control's comment
      {"; g1", false, "; g1"},
      {"x) y", true, "X) Y"},  // a ")" without "(" opens nothing
      {"", false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(nc::HasLowerCaseOutsideComments(c.line), c.lower) << c.line;
    std::string line = c.line;
    nc::UpperCaseOutsideComments(line);
    EXPECT_EQ(line, c.upper);
  }
}

TEST(ForeignProgram, LinesCountFromTheFirstPercentOn) {
  struct Case {
    std::vector<std::string> lines;
    std::size_t first;  // 0: none
    std::vector<std::string> converted;
  };
  const Case cases[] = {
      // Lines before the header and the header line's start are not read.
      {{"kopf", "vorher %1 (teil)", "N10 g1"}, 3, {"kopf", "vorher %1 (teil)", "N10 G1"}},
      {{"kopf", "vorher %1 x", "N10"}, 2, {"kopf", "vorher %1 X", "N10"}},
      {{"%", "g1"}, 2, {"%", "G1"}},
      // Without any "%" every line counts.
      {{"G1", "(kommentar)", "y5"}, 3, {"G1", "(kommentar)", "Y5"}},
      // A "%" in a comment starts the program too; the comment stays one.
      {{"(50% vorschub)", "g1"}, 2, {"(50% vorschub)", "G1"}},
      {{"%1", "G1 X5"}, 0, {"%1", "G1 X5"}},
      {{}, 0, {}},
  };
  for (const Case& c : cases) {
    const std::optional<nc::LowerCaseLine> found = nc::FirstLowerCaseLine(data::ProgramText(c.lines));
    EXPECT_EQ(found ? found->number : 0, c.first) << c.lines.size();
    if (found) {
      EXPECT_EQ(found->text, c.lines[c.first - 1]);
    }
    std::vector<std::string> lines = c.lines;
    nc::UpperCaseProgram(lines);
    EXPECT_EQ(lines, c.converted);
  }
  EXPECT_FALSE(nc::HasHeader(data::ProgramText(std::vector<std::string>{"G1", "(kein kopf)"})));
  EXPECT_TRUE(nc::HasHeader(data::ProgramText(std::vector<std::string>{"G1 (50%)"})));
}

TEST(ForeignProgram, HintQuotesFortyCharactersOfTheLine) {
  const std::string forty(40, 'x');
  EXPECT_EQ(nc::LowerCaseHint("%7", {12, forty}, true),
            "Das Unterprogramm %7 enth\xE4lt Kleinbuchstaben, die nicht als Adressen gelesen werden (zuerst Zeile 12: " +
                forty + ").");
  EXPECT_EQ(nc::LowerCaseHint("TEIL.CNC", {1, forty + "y"}, false),
            "Das Programm TEIL.CNC enth\xE4lt Kleinbuchstaben, die nicht als Adressen gelesen werden (zuerst Zeile 1: " +
                forty + "...).");
}

TEST(ForeignProgram, PreparationNotesEachSubprogramWithLowerCase) {
  testing_support::PreparationBench bench;
  // Lines end in CR, LF and CR LF, and one comes before the header.
  bench.dir.Write("%7", "kopf x\r%7\r\nN10 G1\nN20 (a) g1 x5\r\nN30 M17\r\n");
  bench.dir.Write("%8", "%8\r\nN10 G1 X5 (klein)\r\nN20 M17\r\n");
  ASSERT_TRUE(bench.Prepare("%1\r\nN10 g77 h9\r\nN20 G77 H7\r\nN30 G77 H8\r\nN40 M30\r\n"));
  // The main program's own lower case is the caller's to point out.
  ASSERT_EQ(bench.preparation.lowerCaseSubprograms.size(), 1u);
  EXPECT_EQ(bench.preparation.lowerCaseSubprograms[0].first, "%7");
  EXPECT_EQ(bench.preparation.lowerCaseSubprograms[0].second.number, 4u);
  EXPECT_EQ(bench.preparation.lowerCaseSubprograms[0].second.text, "N20 (a) g1 x5");
  ASSERT_TRUE(bench.Prepare("%1\r\nN10 G77 H8\r\nN20 M30\r\n"));
  EXPECT_TRUE(bench.preparation.lowerCaseSubprograms.empty());
  bench.dir.Write("%8", "\n\n%8 teil\nN10 y1\nN20 M17\n");
  ASSERT_TRUE(bench.Prepare("%1\r\nN10 G77 H8\r\nN20 M30\r\n"));
  ASSERT_EQ(bench.preparation.lowerCaseSubprograms.size(), 1u);
  EXPECT_EQ(bench.preparation.lowerCaseSubprograms[0].second.number, 3u);
  EXPECT_EQ(bench.preparation.lowerCaseSubprograms[0].second.text, "%8 teil");
}

}  // namespace
