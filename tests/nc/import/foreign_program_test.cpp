// Programs of other controls: which letters count as lower case outside
// comments, which lines count (from the first "%" on, as preparation reads),
// the conversion leaving comments as written, the hint's quote, and the
// subprograms that preparation notes with the file's own line numbers.
#include "nc/import/foreign_program.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "nc/preparation/preparation_fixture.h"

namespace {

// The conversion gives `upper`, in which nothing counts as lower case; a
// second conversion changes nothing.
void ExpectConverted(std::string line, const std::string& upper) {
  nc::UpperCaseOutsideComments(line);
  EXPECT_EQ(line, upper);
  EXPECT_FALSE(nc::HasLowerCaseOutsideComments(line)) << line;
  nc::UpperCaseOutsideComments(line);
  EXPECT_EQ(line, upper);
}

// Lower case counts wherever the run reads it: all but the first "(" to
// the first ")". The conversion gathers every comment as other controls
// write them into that one, so that afterwards nothing counts.
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
      {"()", false, "()"},
      // A second "( )" is read (its "(" becomes a bracket, its letters
      // words): it joins the first.
      {"G1 (A) x5 (b) y", true, "G1 (A b) X5 Y"},
      {"G1 (a) X5 (w2)", true, "G1 (a w2) X5"},
      {"G1 (a) (b)", true, "G1 (a b)"},
      // An unclosed "(" is read to the line's end; it is closed.
      {"G1 X5 (offen bis zum ende", true, "G1 X5 (offen bis zum ende)"},
      {"G1 (a(v5)", false, "G1 (a[v5)"},
      // ";" text is read; another control's comment becomes the line's.
      {"G1 X10 Y10 F100 ; move over 5 mm", true, "G1 X10 Y10 F100 (move over 5 mm)"},
      {"; v5 w-3", true, "(v5 w-3)"},
      {"G1 X5;drill  ", true, "G1 X5(drill)"},
      {"G1 (Bohrung) X5 ; tief (10 mm)", true, "G1 (Bohrung tief [10 mm]) X5"},
      {"G1 ; see (fig) x", true, "G1 (see [fig] x)"},
      {"G1 (a;v5) X5", false, "G1 (a;v5) X5"},  // inside the comment
      {"G1 X5 ; DRILL", false, "G1 X5 (DRILL)"},  // converted only with lower case elsewhere
      // ";" separates parameter assignments and stays; so does a last one.
      {"L5=3;L6=4", false, "L5=3;L6=4"},
      {"l5=3 ; l16 =4;", true, "L5=3 ; L16 =4;"},
      {"L5=3;L=4", false, "L5=3(L=4)"},
      {"L5=3;L6", false, "L5=3(L6)"},
      {"X1 ;  ", false, "X1 ;  "},
      // A ")" without "(" before it keeps the run from removing the comment
      // after it; it is dropped.
      {"x) y", true, "X Y"},
      {"X1 ) (v5)", true, "X1  (v5)"},
      // u, v and w are the dialect's incremental words where the run reads
      // them (a capital U would be the radius); in comment text they count.
      {"G91 u5 v-2 w1", false, "G91 u5 v-2 w1"},
      {"g1 u5", true, "G1 u5"},
      {"G1 X1 ; w", true, "G1 X1 (w)"},
      {"", false, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(nc::HasLowerCaseOutsideComments(c.line), c.lower) << c.line;
    ExpectConverted(c.line, c.upper);
  }
}

// A block holds 255 characters: what lies beyond them is not read and stays
// so, and the line's comment closes within them; no text is lost.
TEST(ForeignProgram, OnlyTheCharactersOfABlockCount) {
  const std::string program(250, 'X');
  EXPECT_FALSE(nc::HasLowerCaseOutsideComments(std::string(255, 'X') + "y5"));
  EXPECT_TRUE(nc::HasLowerCaseOutsideComments(std::string(254, 'X') + "y5"));
  // A ")" past the 255th character closes nothing for the run.
  EXPECT_FALSE(nc::HasLowerCaseOutsideComments(program + " (y5)"));
  EXPECT_TRUE(nc::HasLowerCaseOutsideComments(program + "  (y5)"));
  struct Case {
    std::string line;
    std::string upper;
  };
  const Case cases[] = {
      {program + " ; vorsicht", program + " (vo)rsicht"},
      {program + "(a) ;v", program + "(a) ;v"},  // the ";" ends them: it separates
      {std::string(253, 'X') + ";v", std::string(253, 'X') + "()v"},
      // Blanks keep what lies past them from moving in.
      {std::string(240, 'X') + " (a) y1 ; vorsicht", std::string(240, 'X') + " (a vorsi) Y1  cht"},
      {std::string(254, 'X') + ")v", std::string(254, 'X') + " v"},
      {std::string(254, 'X') + "(v", std::string(254, 'X') + " ()v"},
      {std::string(300, 'x'), std::string(255, 'X') + std::string(45, 'x')},
  };
  for (const Case& c : cases) ExpectConverted(c.line, c.upper);
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
      // A "%" in a comment starts the program too, and the run reads the
      // rest of that comment; it becomes a comment of its own.
      {{"(50% vorschub)", "g1"}, 1, {"(50%( vorschub)", "G1"}},
      {{"; 50% v5", "g1"}, 1, {"; 50%(v5)", "G1"}},
      {{"(50%) y5", "g1"}, 1, {"(50%() Y5", "G1"}},
      {{"(50%) v5", "g1"}, 2, {"(50%() v5", "G1"}},
      {{"%1", "G1 X5"}, 0, {"%1", "G1 X5"}},
      // A "%" with no program text after it is no header: every line counts.
      {{"g1 x5", "%"}, 1, {"G1 X5", "%"}},
      {{"G1", "%1 ; teil", ""}, 2, {"G1", "%1 (teil)", ""}},
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
    nc::UpperCaseProgram(lines);
    EXPECT_EQ(lines, c.converted);
  }
}

// The header offer is made wherever preparation stops with message 44, and
// also where it would read a program without blocks (a "%" followed by
// blank lines or by the rest of its own line only), which draws nothing of
// the lines before the "%".
TEST(ForeignProgram, NoHeaderWhereverPreparationFindsNoProgramAfterThePercent) {
  struct Case {
    std::vector<std::string> lines;
    bool header;
    bool message44;
  };
  const Case cases[] = {
      {{"N10 G1 X5"}, false, true},
      {{"N10 G1 X5", "%"}, false, true},
      {{"%"}, false, true},
      {{"N10 G1 X5", "%", ""}, false, false},
      {{"N10 G1 X5", "%", "   ", ""}, false, false},
      {{"N10 G1 X5", "%1"}, false, false},
      {{"G1 (50%)"}, false, false},
      {{"%", "N10 G1 X5"}, true, false},
      {{"(50% vorschub)", "g1"}, true, false},
  };
  for (const Case& c : cases) {
    const data::ProgramText program(c.lines);
    EXPECT_EQ(nc::HasHeader(program), c.header) << program.Bytes();
    testing_support::PreparationBench bench;
    bench.Prepare(program.Bytes());
    const std::vector<std::string> shown = bench.Shown();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), " 44") == 1, c.message44) << program.Bytes();
  }
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
