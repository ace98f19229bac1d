// The import of standard G-code: each rule at its limits, and every refusal
// naming its line. Whole programs in the style of the common post-processor
// families are golden cases of rur-cli import (tests/golden/import_*).
#include "nc/import/gcode_import.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "nc/import/dialect_writer.h"

namespace {

std::string Text(const nc::ImportedProgram& program) {
  std::string text;
  for (const std::string& line : program.lines) text += (text.empty() ? "" : "\n") + line;
  return text;
}

std::vector<std::string> Described(const nc::ImportResult& result) {
  std::vector<std::string> notes;
  for (const nc::ImportNote& note : result.notes) notes.push_back(nc::DescribeImportNote(note));
  return notes;
}

// Each rule: the source (after "%1" the imported text), a note that must be
// among the notes ("" for none), the controller type.
struct RuleCase {
  const char* name;
  const char* source;
  const char* program;
  const char* note = "";
  int type = 17;
};

class Rules : public ::testing::TestWithParam<RuleCase> {};

TEST_P(Rules, ConvertAsAStandardControlReads) {
  nc::ImportOptions options;
  options.controllerType = GetParam().type;
  const nc::ImportResult result = nc::ImportProgram(GetParam().source, options);
  ASSERT_TRUE(result.ok) << Described(result).back();
  EXPECT_EQ(Text(result.program), std::string("%1\n") + GetParam().program);
  const std::vector<std::string> notes = Described(result);
  if (*GetParam().note != '\0') {
    EXPECT_NE(std::find(notes.begin(), notes.end(), GetParam().note), notes.end());
  }
}

const RuleCase kRules[] = {
    {"CommentsFoldedLowerCaseUpperPercentAndBlankDropped",
     "g0 x1 (a) y2 (b (c) ; d) e\n(alone)\n\n%remark\n", "G90 G54 G00 X1 Y2 (a b [c d] e)\n(alone)"},
    {"BlockDeleteRunsAlways", "/G0 X1",
     "G90 G54 G00 X1", "Zeile 1: Satzausblendung \"/\" entfernt: der Satz wird immer ausgef\xFChrt"},
    {"AtMostFourDecimalsNeverMinusZero", "G0 X1.23456 Y-0.00004 Z10.000", "G90 G54 G00 X1.2346 Y0 Z10"},
    {"IncrementalBecomesAbsolute", "G0 X10 Y10 Z1\nG91 G1 X5 Y-2.5 F100\nZ-3\nG90 X0",
     "G90 G54 G00 X10 Y10 Z1\nG01 X15 Y7.5 F100\nG01 Z-2\nG01 X0"},
    {"CentreAbsoluteForTheDefaultType", "G0 X10 Y0\nG2 X0 Y-10 I-10 J0 F100",
     "G90 G54 G00 X10 Y0\nG02 X0 Y-10 I0 J0 F100"},
    {"CentreRelativeForType1", "G0 X10 Y0\nG2 X0 Y-10 I-10 J0 F100", "G90 G54 G00 X10 Y0\nG02 X0 Y-10 I-10 J0 F100",
     "", 1},
    {"CentreRelativeForType13", "G0 X10 Y0\nG2 X0 Y-10 I-10 F100", "G90 G54 G00 X10 Y0\nG02 X0 Y-10 I-10 J0 F100", "",
     13},
    {"AbsoluteCentreModeAbsorbed", "G90.1 G0 X10 Y0\nG2 X0 Y-10 I0 J0 F100\nG91.1",
     "G90 G54 G00 X10 Y0\nG02 X0 Y-10 I0 J0 F100",
     "Zeile 1: G90.1/G91.1 aufgenommen: die Kreismittelpunkte sind umgerechnet (2 Zeilen)"},
    {"IncrementalArc", "G0 X10 Y0\nG91 G2 X-10 Y-10 I-10 J0 F100", "G90 G54 G00 X10 Y0\nG02 X0 Y-10 I0 J0 F100"},
    {"HelixKeepsZ", "G0 X10 Y0 Z0\nG3 X0 Y10 Z-1 I-10 F100", "G90 G54 G00 X10 Y0 Z0\nG03 X0 Y10 Z-1 I0 J0 F100"},
    {"FullCircleInOneBlock", "G0 X20 Y10\nG2 X20 Y10 I-10 J0 F100", "G90 G54 G00 X20 Y10\nG02 X20 Y10 I10 J10 F100"},
    {"HalfCircleSplitAtItsMiddle", "G0 X10 Y0\nG3 X-10 Y0 I-10 F100",
     "G90 G54 G00 X10 Y0\nG03 X0 Y10 I0 J0 F100\nG03 X-10 Y0 I0 J0",
     "Zeile 2: Kreisbogen nahe am Halbkreis (bis 1\xB0 daneben) in zwei B\xF6gen geteilt"},
    {"OneDegreeShortOfHalfCircleSplit", "G0 X10 Y0\nG3 X-9.9985 Y0.1745 I-10 F100",
     "G90 G54 G00 X10 Y0\nG03 X0.0873 Y9.9996 I0 J0 F100\nG03 X-9.9985 Y0.1745 I0 J0"},
    {"OneDegreeBeyondHalfCircleSplit", "G0 X10 Y0\nG3 X-9.9985 Y-0.1745 I-10 F100",
     "G90 G54 G00 X10 Y0\nG03 X-0.0873 Y9.9996 I0 J0 F100\nG03 X-9.9985 Y-0.1745 I0 J0"},
    {"JustOutsideTheSplitBandOneArc", "G0 X10 Y0\nG3 X-9.9984 Y0.178 I-10 F100",
     "G90 G54 G00 X10 Y0\nG03 X-9.9984 Y0.178 I0 J0 F100"},
    {"RadiusArcsStayRadiusArcs", "G0 X0 Y0\nG2 X10 Y10 R10 F100\nG2 X20 Y0 R-10",
     "G90 G54 G00 X0 Y0\nG02 X10 Y10 R10 F100\nG02 X20 Y0 R-10"},
    {"RadiusHalfCircleSplitWithCentres", "G0 X0 Y0\nG2 X20 Y0 R10 F100",
     "G90 G54 G00 X0 Y0\nG02 X10 Y10 I10 J0 F100\nG02 X20 Y0 I10 J0"},
    {"ArcWithVanishingChordIsALine", "G0 X10 Y0\nG3 X9.99999 Y0.0005 I-10 F100", "G90 G54 G00 X10 Y0\nG01 X10 Y0.0005 F100",
     "Zeile 2: Kreisbogen mit einer Sehne unter 0,001 mm als Gerade geschrieben"},
    {"ArcsOfG18AsChordsWithin10Microns", "G0 X1 Y0 Z0\nG18 G2 X0 Z1 I-1 K0 F100",
     "G90 G54 G00 X1 Y0 Z0\nG01 X0.9659 Z0.2588 F100\nG01 X0.866 Z0.5\nG01 X0.7071 Z0.7071\nG01 X0.5 Z0.866\n"
     "G01 X0.2588 Z0.9659\nG01 X0 Z1"},
    {"DwellSecondsAsTenths", "G4 P1.5\nG4 P0.25\nG4 P0", "G90 G54 G04 F15\nG04 F3",
     "Zeile 2: Verweilzeit auf 0,1 s gerundet"},
    {"DwellInSecondsForType4", "G4 P1.5", "G90 G54 G04 F1.5", "", 4},
    {"ToolAloneRememberedForM6", "T5\nM6\nT2 M6 M3 S100", "G90 G54 T5 M06\nS100 T2 M06\nM03"},
    {"CorrectionWithTheToolInItsBlock", "T2 M6\nG0 X0 Y0\nG41 D3 G1 X10 F100\nG40 G1 X20\nD1",
     "G90 G54 T2 M06\nG00 X0 Y0\nG41 G01 X10 F100 T2 D3\nG40 G01 X20\nT2 D1"},
    {"CompensationWithoutDTakesTheTool", "T4 M6\nG0 X0 Y0\nG42 G1 X10 F100", "G90 G54 T4 M06\nG00 X0 Y0\nG42 G01 X10 F100 T4 D4",
     "Zeile 3: G42 ohne D: die Korrektur D mit der Nummer des Werkzeugs angenommen"},
    {"ZeroPointBeforeTheFirstMove", "G55\nG0 X1\nG56 X2", "G90 G55\nG00 X1\nG56 G00 X2"},
    {"G54FirstWhenAZeroPointFollowsAMove", "G0 X1\nG57 X2", "G90 G54 G00 X1\nG57 G00 X2"},
    {"ParametersAfterTheirLine", "#1=5 #2=-2.5\nG0 X#1 Y-#2\n#1=1 G0 Z#1", "G90 G54 G00 X5 Y2.5\nG00 Z5"},
    {"RestAfterTheEndDropped", "G0 X1\nM30\nG0 X2", "G90 G54 G00 X1\nM30",
     "Zeile 3: Nach M2/M30 nicht \xFC" "bernommen: der Rest des Programms"},
    {"StopsAfterTheMove", "G0 X1 M0\nM5 M30", "G90 G54 G00 X1\nM00\nM05\nM30"},
    {"MWordsWithoutMeaningDropped", "M3 M8 M100 S1000.4\nM62", "G90 G54 S1000 M03 M08",
     "Zeile 1: M100 (Anwenderbefehl) entfernt"},
    {"GrblSystemLinesAndG10Dropped", "$H\n$32=1\nG10 L2 P1 X0 Y0 (offset)\nG0 X1", "(offset)\nG90 G54 G00 X1",
     "Zeile 1: grbl-Systembefehl ($...) entfernt (2 Zeilen)"},
    {"MachineZBecomesTheSafeHeight", "G0 X0 Y0 Z5\nG1 Z-1 F100\nG53 G0 Z0\nG53 X0 Y0\nG0 X10 Y10",
     "G90 G54 G00 X0 Y0 Z5\nG01 Z-1 F100\nG00 Z5\nG00 X10 Y10", "Zeile 4: G53 X/Y entfernt: Z steht dort auf der sicheren H\xF6he"},
    {"HomeViaIntermediatePoint", "G0 X0 Y0 Z2\nG0 Z8\nG28 Z4", "G90 G54 G00 X0 Y0 Z2\nG00 Z8\nG00 Z4\nG00 Z8"},
    {"SubroutineCalledTwiceWithIncrementalMoves",
     "#1 = -1.5 (depth)\no100 sub\n  G91 G1 Z#1 F300\n  G1 X10\n  G90\no100 endsub\nG1 X0 Y0 Z0 F300\no100 call\n"
     "o100 call (second pass)",
     "(depth)\nG90 G54 G01 X0 Y0 Z0 F300\nG01 Z-1.5\nG01 X10\n(second pass)\nG01 Z-3\nG01 X20",
     "Zeile 8: Unterprogramm O100 eingesetzt (2 Zeilen)"},
    {"WordsWithoutAMove", "G00 S10000\nG1 F100.00000\n(MSG, Change tool)\nM9",
     "G90 G54 S10000\nF100\n(MSG, Change tool)\nM09"},
    {"HomeXYWhereZIsHighest", "G0 X0 Y0 Z9\nG28 X0 Y0\nG0 X5 Y5 Z1", "G90 G54 G00 X0 Y0 Z9\nG00 X5 Y5 Z1"},
};

INSTANTIATE_TEST_SUITE_P(Import, Rules, ::testing::ValuesIn(kRules),
                         [](const ::testing::TestParamInfo<RuleCase>& param) { return param.param.name; });

// What cannot be converted: nothing is made, and the refusal names the line.
struct RefusalCase {
  const char* name;
  std::string source;
  const char* refusal;
};

class Refusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusals, MakeNothingAndNameTheLine) {
  const nc::ImportResult result = nc::ImportProgram(GetParam().source, {});
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.program.lines.empty());
  EXPECT_TRUE(result.parts.empty());
  ASSERT_FALSE(result.notes.empty());
  const auto refusal = std::find_if(result.notes.begin(), result.notes.end(),
                                    [](const nc::ImportNote& n) { return n.kind == nc::ImportNoteKind::kRefusal; });
  ASSERT_NE(refusal, result.notes.end());
  EXPECT_EQ(nc::DescribeImportNote(*refusal), GetParam().refusal);
}

const RefusalCase kRefusals[] = {
    {"ControlByte", std::string("G0 X1\nG1 X2\0 F100", 17), "Zeile 2: Steuerzeichen (Code 0) in der Zeile: keine Textdatei eines NC-Programms"},
    {"LineBeyond4096", "G0 X1 (" + std::string(4090, 'a') + ")", "Zeile 1: Zeile zu lang (4098 Zeichen, h\xF6" "chstens 4096)"},
    {"UnclosedComment", "G0 X1 (offen", "Zeile 1: Kommentar \"(\" ohne \")\""},
    {"CloseWithoutOpen", "G0 X1 )", "Zeile 1: \")\" ohne \"(\""},
    {"ExponentIsALetter", "G0 X1e300", "Zeile 1: E (Extruder) wird nicht \xFC" "bernommen"},
    {"NotANumber", "G0 Xnan", "Zeile 1: \"X\" ohne Zahl"},
    {"FifteenDigitsExceeded", "G0 X10000000000000",
     "Zeile 1: Zahl passt nicht in den Satztext (h\xF6" "chstens 15 Stellen in 0,01 mm): X10000000000000"},
    {"FifteenDigitsExceededBySum", "G0 X9999999999999.99\nG91 X0.01",
     "Zeile 2: Zahl passt nicht in den Satztext (h\xF6" "chstens 15 Stellen in 0,01 mm): X10000000000000"},
    {"ZeroRadius", "G0 X0 Y0\nG2 X0 Y0 I0 J0 F100", "Zeile 2: Kreisbogen mit Radius 0"},
    {"EndNotOnTheCircle", "G0 X0 Y0\nG2 X20.03 Y0 I10 J0 F100",
     "Zeile 2: Endpunkt nicht auf dem Kreis: Radius am Anfang 10 mm, am Ende 10.03 mm (erlaubt sind 0,01 mm und 0,1 %)"},
    {"RadiusShorterThanHalfTheChord", "G0 X0 Y0\nG2 X20 Y0 R9.9 F100", "Zeile 2: Radius R9.9 kleiner als die halbe Sehne 10"},
    {"ArcBeforeItsStart", "G2 X10 Y0 I5 J0 F100", "Zeile 1: Kreisbogen, bevor sein Startpunkt bekannt ist"},
    {"IncrementalBeforeAbsolute", "G91 G0 Z5", "Zeile 1: Z inkrementell (G91), bevor Z absolut programmiert ist"},
    {"FeedMoveWithoutFeed", "G0 X0\nG1 X5", "Zeile 2: G1 ohne Vorschub F"},
    {"FeedBeyond30000", "G1 X5 F30001", "Zeile 1: Vorschub F30001 mm/min liegt nicht \xFC" "ber 0 und bis 30000"},
    {"InverseTimeFeed", "G93 G1 X5 F2", "Zeile 1: G93 (Vorschub als reziproke Zeit) wird nicht \xFC" "bernommen"},
    {"G59IsAShiftHere", "G59 G0 X0", "Zeile 1: G59 w\xE4hlt keinen Nullpunkt (G59 ist hier eine programmierbare Verschiebung): nicht \xFC" "bernommen"},
    {"G59Point1", "G59.1", "Zeile 1: G59.1 w\xE4hlt keinen Nullpunkt (G59 ist hier eine programmierbare Verschiebung): nicht \xFC" "bernommen"},
    {"UnknownG", "G38.2 Z-5 F10", "Zeile 1: G38.2 wird nicht \xFC" "bernommen"},
    {"TwoMotionsInOneBlock", "G0 G1 X5", "Zeile 1: G0 und G1 im selben Satz"},
    {"RotaryAxis", "G0 X0 A90", "Zeile 1: Drehachse A wird nicht \xFC" "bernommen"},
    {"PWithoutDwell", "G0 X0 P5", "Zeile 1: P ohne G4, Bohrzyklus oder M98"},
    {"KInAnArcOfG17", "G0 X0 Y0\nG2 X10 Y0 I5 K1 F100", "Zeile 2: K geh\xF6rt zu keinem Kreisbogen dieser Ebene und keinem Bohrzyklus"},
    {"AxisAfterG80", "G80 X5", "Zeile 1: X ohne Bewegungsart (G0, G1, G2, G3 oder Bohrzyklus)"},
    {"ToolBeyond255", "T256 M6", "Zeile 1: Werkzeug T256 ist keine Zahl von 0 bis 255"},
    {"CorrectionBeyond99", "T1 M6 D100", "Zeile 1: Korrektur D100 ist keine Zahl von 0 bis 99"},
    {"M6WithoutTool", "M6", "Zeile 1: M6 ohne vorher programmiertes T"},
    {"MachineZBelowReference", "G53 G0 Z-5", "Zeile 1: G53 Z-5: Maschinenkoordinaten unter dem Referenzpunkt sind hier unbekannt"},
    {"HomeXYBelowTheSafeHeight", "G0 X0 Y0 Z9\nG0 Z1\nG28 X0 Y0",
     "Zeile 3: G28 X/Y kann nicht entfallen: Z steht dort auf 1, nicht auf der sicheren H\xF6he 9"},
    {"RetractWithoutAnyZ", "G0 X0 Y0\nG28 G91 Z0", "Zeile 2: Keine sichere H\xF6he f\xFC" "r den R\xFC" "ckzug: das Programm nennt kein Z"},
    {"FeedAtAnUnknownReferencePoint", "G0 X0 Y0 Z9\nG28 X0 Y0\nG1 Z-1 F100",
     "Zeile 3: G1 nach G28/G30/G53: X steht am Referenzpunkt, dessen Lage hier unbekannt ist"},
    {"Expression", "G0 X[1+2]", "Zeile 1: Ausdruck in eckigen Klammern ([...]) wird nicht \xFC" "bernommen"},
    {"NamedParameter", "#<depth>=2", "Zeile 1: Benannter Parameter #<...> wird nicht \xFC" "bernommen"},
    {"UnsetParameter", "G0 X#7", "Zeile 1: Parameter #7 ist nicht gesetzt"},
    {"Condition", "o100 if [#1 GT 0]", "Zeile 1: Bedingung (O100 if) wird nicht \xFC" "bernommen"},
    {"Loop", "o101 while [1]", "Zeile 1: Schleife (O101 WHILE) wird nicht \xFC" "bernommen"},
    {"CallWithArguments", "o100 sub\no100 endsub\no100 call [2]", "Zeile 3: Aufruf von O100 mit Argumenten wird nicht \xFC" "bernommen"},
    {"Recursion", "o7 sub\no7 call\no7 endsub\no7 call", "Zeile 2: Unterprogramm O7 ruft sich selbst auf"},
    {"UnknownSubroutine", "M98 P12", "Zeile 1: Unterprogramm O12 nicht gefunden"},
    {"M98WithRepeats", "M98 P1000 L2", "Zeile 1: M98 mit Wiederholungen wird nicht \xFC" "bernommen"},
    {"LoopingMainProgram", "G0 X1\nM99", "Zeile 2: M99 im Hauptprogramm (Endlosschleife) wird nicht \xFC" "bernommen"},
    {"SubroutineWithoutEnd", "G0 X1\nM30\nO1000\nG0 X2", "Zeile 3: Unterprogramm O1000 ohne Ende (endsub oder M99)"},
    {"ProgramNumberInTheMiddle", "G0 X1\nO1000\nG0 X2", "Zeile 2: Programmnummer O1000 mitten im Programm"},
};

INSTANTIATE_TEST_SUITE_P(Import, Refusals, ::testing::ValuesIn(kRefusals),
                         [](const ::testing::TestParamInfo<RefusalCase>& param) { return param.param.name; });

TEST(ImportLimits, LinesStayWithin255CharactersCommentsCut) {
  const std::string a(300, 'a'), b(300, 'b');
  const nc::ImportResult result = nc::ImportProgram("G0 X1 (" + a + ")\n(" + b + ")\n; " + std::string(4094, 'c'), {});
  ASSERT_TRUE(result.ok);
  ASSERT_EQ(result.program.lines.size(), 4u);
  EXPECT_EQ(result.program.lines[1], "G90 G54 G00 X1 (" + a.substr(0, 238) + ")");
  EXPECT_EQ(result.program.lines[2], "(" + b.substr(0, 253) + ")");
  for (const std::string& line : result.program.lines) EXPECT_LE(line.size(), 255u);
  EXPECT_EQ(result.program.lines[3].size(), 255u);  // from a line of exactly 4096 characters
}

// At most 4 decimals, and 15 digits: fewer decimals from 1e11 on.
TEST(ImportLimits, NumbersAsTheBlockTextHoldsThem) {
  const std::pair<double, const char*> cases[] = {
      {0.00005, "0.0001"},        {-0.00005, "-0.0001"},          {-0.00004, "0"},
      {-0.0, "0"},                {10.0, "10"},                   {-2.5, "-2.5"},
      {99999999999.9999, "99999999999.9999"}, {1e11, "100000000000"}, {123456789012.3456, "123456789012.346"},
      {9999999999999.99, "9999999999999.99"},
  };
  for (const auto& [value, text] : cases) {
    EXPECT_EQ(nc::import::FormatNumber(value), text);
    EXPECT_EQ(nc::import::AsWritten(value), std::stod(text)) << text;
  }
  EXPECT_TRUE(nc::import::FitsBlockText(9999999999999.99));
  EXPECT_FALSE(nc::import::FitsBlockText(10000000000000.0));
}

TEST(ImportLimits, NumbersUpTo15DigitsInHundredths) {
  const nc::ImportResult result = nc::ImportProgram("G0 X9999999999999.99 Y-9999999999999.99\nG20 G0 Z393700787401.574", {});
  ASSERT_TRUE(result.ok) << Described(result).back();
  EXPECT_EQ(Text(result.program), "%1\nG90 G54 G00 X9999999999999.99 Y-9999999999999.99\nG00 Z9999999999999.98");
}

// One block more than a drawing stores is split before a rapid move; the
// next part starts with the state it needs and goes safely to where the
// first ended.
TEST(ImportLimits, ProgramsBeyond31999BlocksSplitIntoParts) {
  const auto program = [](int moves) {
    std::string text = "T3 M6\nS1000 M3 M8\nG0 X0 Y0 Z5\nG1 Z-1 F100\n";
    for (int i = 1; i <= moves; ++i) text += (i % 2 == 0 ? "G0 X" : "G1 Y") + std::to_string(i) + "\n";
    return text;
  };
  // Header, four lines and the moves, and the drawing's empty first line.
  const nc::ImportResult fits = nc::ImportProgram(program(31999 - 6), {});
  EXPECT_EQ(fits.blocks, 31999);
  EXPECT_TRUE(fits.parts.empty());
  EXPECT_EQ(Described(fits), std::vector<std::string>{});

  nc::ImportOptions options;
  options.programNumber = "41";
  const nc::ImportResult split = nc::ImportProgram(program(31999 - 5), options);
  ASSERT_TRUE(split.ok);
  EXPECT_EQ(split.blocks, 32000);
  ASSERT_EQ(split.parts.size(), 2u);
  const nc::ImportedProgram& first = split.parts[0];
  const nc::ImportedProgram& second = split.parts[1];
  EXPECT_EQ(first.lines.front(), "%41");
  EXPECT_LE(first.lines.size() + 1, 31999u);
  EXPECT_EQ(first.lines.back(), "G01 Y31993");
  EXPECT_EQ(second.lines, (std::vector<std::string>{"%42", "G90 G54", "T3 M06", "S1000 M03 M08 F100", "G00 Z5",
                                                    "G00 X31992 Y31993", "G00 Z-1", "G00 X31994"}));
  EXPECT_EQ(second.sourceLines, (std::vector<std::int32_t>{0, 0, 0, 0, 0, 0, 0, 31998}));
  EXPECT_EQ(first.lines.size() + second.lines.size() - 7, split.program.lines.size());
  EXPECT_EQ(Described(split), std::vector<std::string>{
      "Das Programm hat 32000 S\xE4tze, eine Zeichnung fasst h\xF6" "chstens 31999: in 2 Programme geteilt (%41 bis %42), "
      "jedes vor einem Eilgang"});
}

TEST(ImportNotes, NameTheirSourceAndOutputLines) {
  const nc::ImportResult result = nc::ImportProgram("(kopf)\nG17\nG0 X1\nG17 G0 X2\nG91.1", {});
  ASSERT_TRUE(result.ok);
  ASSERT_EQ(result.notes.size(), 2u);
  EXPECT_EQ(result.notes[0].sourceLine, 2);
  EXPECT_EQ(result.notes[0].outputLine, 0);  // the line is left out
  EXPECT_EQ(result.notes[0].text, "G17 entfernt: die Ebene X/Y gilt hier immer (2 Zeilen)");
  EXPECT_EQ(result.notes[1].sourceLine, 5);
  EXPECT_EQ(result.program.sourceLines, (std::vector<std::int32_t>{0, 1, 3, 4}));
  EXPECT_EQ(nc::DescribeImportNote({nc::ImportNoteKind::kChange, 0, 0, "Ganz"}), "Ganz");
}

TEST(ImportFileNames, GiveTheProgramNumber) {
  const std::pair<const char*, const char*> cases[] = {
      {"/home/a/%100", "100"},  {"C:\\cnc\\%0042", "0042"}, {"O1234.nc", "1234"},  {"o7.tap", "7"},
      {"123456.ngc", "123456"}, {"1234567.nc", "1"},      {"part.nc", "1"},      {"%", "1"},
      {"dir.v2/%5", "5"},       {"", "1"},                {"O12.34.nc", "1"},   {"%-5", "1"},
  };
  for (const auto& [name, number] : cases) EXPECT_EQ(nc::ProgramNumberOfFileName(name), number) << name;
}

}  // namespace
