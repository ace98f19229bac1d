// Signs of standard G-code: the first one of programs in the style of the
// common post-processors, each sign at its line, the edges of the G numbers
// the dialect knows, and no sign at all in the dialect's own programs,
// the shipped examples among them.
#include "nc/import/standard_signs.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

namespace {

data::ProgramText Program(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return data::ProgramText(lines);
}

struct Case {
  const char* program;
  int line;          // 0: no sign
  const char* text;  // the sign's text
};

void Check(const Case& c) {
  const std::optional<nc::StandardSign> sign = nc::FirstStandardSign(Program(c.program));
  if (c.line == 0) {
    EXPECT_FALSE(sign) << c.program << "\n-> " << (sign ? nc::DescribeStandardSign(*sign) : "");
    return;
  }
  ASSERT_TRUE(sign) << c.program;
  EXPECT_EQ(nc::DescribeStandardSign(*sign), "Zeile " + std::to_string(c.line) + ": " + c.text) << c.program;
}

TEST(StandardSigns, PostProcessorStylesAreRecognisedAtTheirFirstSign) {
  const Case cases[] = {
      // Fusion 360, grbl post: "%" at both ends, the first one a header to preparation.
      {"%\n(1001)\n(T1  D=3 CR=0 - ZMIN=-5 - flat end mill)\nG90 G94\nG17\nG21\nT1\nS5000 M3\nG54\n"
       "G0 X10 Y5\nG1 Z-1 F300\nG2 X15 Y10 I0 J5\nM30\n%",
       4, "G94 (Vorschubart)"},
      // FreeCAD: no header, first sign G21 after a plain G17 G90 block.
      {"(Exported by FreeCAD)\n(Post Processor: grbl_post)\n(begin preamble)\nG17 G90\nG21\n(begin operation)\n"
       "G0 Z5.000\nG1 X10.000 Y10.000 F600.000\nM5\nM2",
       5, "G21 (Millimeter)"},
      // Estlcam with O subroutines.
      {"(Project Teil)\n(Created with Estlcam 11.245)\n\nG21\nG90\nO100 sub\nG1 X1\nO100 endsub", 4,
       "G21 (Millimeter)"},
      {"%1\nN10 G0 X0 Y0\nO100 CALL", 3, "O100 (Programmnummer oder Unterprogramm)"},
      // CamBam in inch.
      {"( Made using CamBam - http://www.cambam.co.uk )\n( T0 : 0.125 )\nG20 G90 G64 G40\nG0 Z0.125\n"
       "G2 X1.0 Y0.5 I0.5 J0.0 F10.0",
       3, "G20 (Zoll)"},
      // pcb2gcode drilling: M6 on its own line.
      {"%1\n( pcb2gcode 2.4.0 )\nN10 G90\nT1\nM5\nM6 ( Tool change. )\nG81 R1 Z-1.6 X5 Y5 F100", 6,
       "M6 (Werkzeugwechsel ohne T)"},
      // A Fanuc-style post: "%" at both ends, O number, N numbers.
      {"%\nO1000 (TEIL)\nN10 G21 G17 G40 G49 G80 G90\nN20 T1 M6\nN30 M30\n%", 2,
       "O1000 (Programmnummer oder Unterprogramm)"},
  };
  for (const Case& c : cases) Check(c);
}

TEST(StandardSigns, EachSignAtItsLineAndTheLeftmostInALine) {
  const Case cases[] = {
      {"%1\nN10 G1 X10 Y10 F100 ; move over 5 mm", 2, "\";\" (Kommentar)"},
      {"%1\n; v5 w-3", 2, "\";\" (Kommentar)"},
      {"%1\n; L5 ist 3", 2, "\";\" (Kommentar)"},  // no assignment follows
      {"%1\nN10 L5=3;X5", 2, "\";\" (Kommentar)"},
      {"%1\nN10 G17 G91.1", 2, "G91.1 (Kreismittelpunkt absolut/inkremental)"},
      {"%1\nG90.1", 2, "G90.1 (Kreismittelpunkt absolut/inkremental)"},
      {"%1\nG38.2 Z-5", 2, "G38.2 (G-Wort mit Nachkommastellen)"},
      {"%1\nN10 G43 Z15 H1", 2, "G43 (Werkzeugl\xE4ngenkorrektur)"},
      {"%1\nN10 G0 Z15 H01", 2, "H01 (H-Wort ohne G77)"},
      {"%1\nN10 G49", 2, "G49 (Werkzeugl\xE4ngenkorrektur)"},
      {"%1\nG81 X10 Y10 Z-3 R2 F100", 2, "G81 (Bohrzyklus)"},
      {"%1\nG73 Z-3 Q1", 2, "G73 (Bohrzyklus)"},
      {"%1\nG89 P1", 2, "G89 (Bohrzyklus)"},
      {"%1\nG98", 2, "G98 (R\xFC" "ckzug im Bohrzyklus)"},
      {"%1\nG28 G91 Z0", 2, "G28 (Referenzpunkt)"},
      {"%1\nG0 G53 Z0", 2, "G53 (Maschinenkoordinaten im Verfahrsatz)"},
      {"%1\nG10 L2 P1 X0", 2, "G10 (Daten setzen)"},
      {"%1\nG64", 2, "G64 (Bahnverhalten)"},
      {"%1\nG61", 2, "G61 (Bahnverhalten)"},
      {"%1\nG93", 2, "G93 (Vorschubart)"},
      {"%1\nG92 X0 Y0", 2, "G92 (Koordinaten setzen)"},
      {"%1\nN10 T2\nN20 M06", 3, "M06 (Werkzeugwechsel ohne T)"},
      {"%1\n#1=5\nG1 X#1", 2, "\"#\" (Parameter)"},
      {"%1\nN10 G1 X#1", 2, "\"#\" (Parameter)"},
      {"%1\n$H", 2, "\"$\" (Systemzeile)"},
      {"%1\nN10 g1 x5", 2, "\"g1\" (Kleinbuchstaben)"},
      {"%1\nN10 G1 X5 f100", 2, "\"f100\" (Kleinbuchstaben)"},
      {"%1\nG4 P0.5", 2, "P0.5 (P-Wort ohne G77)"},
      {"%1\nN10 Q2", 2, "Q2 (Q-Wort)"},
      {"%1\nN10 G1 X5\n%", 3, "\"%\" (Lochstreifenmarke)"},
      {"G1 X5\nM30\n%", 3, "\"%\" (Lochstreifenmarke)"},  // a "%" only at the end is no header
      // The leftmost of a line, whatever its kind.
      {"%1\nN10 G1 X5 #1 G21", 2, "\"#\" (Parameter)"},
      {"%1\nN10 M6 ; T1", 2, "M6 (Werkzeugwechsel ohne T)"},
      // No header: the first block is named when nothing else is found.
      {"N10 G1 X5 (kein kopf)", 1, "kein Programmkopf \"%\" vor dem ersten Satz"},
      {"(kommentar)\n\n  N10 G1 X5\nM30", 3, "kein Programmkopf \"%\" vor dem ersten Satz"},
  };
  for (const Case& c : cases) Check(c);
}

// The G numbers the dialect knows, and one beyond each end of every range.
TEST(StandardSigns, GNumbersOfTheDialectAtTheEdgesOfTheirRanges) {
  const int dialect[] = {0, 1, 2, 3, 4, 17, 18, 19, 40, 41, 42, 51, 52, 53, 54, 58, 59, 66, 74, 77, 79, 90, 91};
  const int foreign[] = {5, 16, 20, 39, 43, 50, 60, 65, 67, 73, 75, 78, 80, 89, 92};
  for (int n : dialect) {
    Check({("%1\nN10 G" + std::to_string(n) + " X1").c_str(), 0, ""});
    Check({("%1\nN10 G0" + std::to_string(n) + " X1").c_str(), 0, ""});  // leading zero
  }
  for (int n : foreign) {
    const std::string program = "%1\nN10 G" + std::to_string(n) + " X1";
    const auto sign = nc::FirstStandardSign(Program(program));
    ASSERT_TRUE(sign) << n;
    EXPECT_EQ(sign->line, 2);
    EXPECT_EQ(sign->text.rfind("G" + std::to_string(n) + " (", 0), 0u) << sign->text;
  }
}

TEST(StandardSigns, TheDialectShowsNone) {
  const Case cases[] = {
      {"", 0, ""},
      {"  \n\n", 0, ""},
      {"(nur ein kommentar)\n", 0, ""},
      {"%\n\n(ende)\n%", 0, ""},  // no block: a new program
      {"kopfzeile g1 ; $ #\n%1\nN10 G1 X5", 0, ""},  // before the header nothing is read
      {"%1 (alles gross)\nN10 G1 X5 (G21 ; #1 $ h)", 0, ""},
      {"%1\nN10 G1 X5 (G21 offen", 0, ""},
      {"%1\nN10 G1 (A) X5 (G21)", 0, ""},
      {"%1\nN10 L5=3;L6=4\nN20 L7=1; L8=2\n;L9=5\nN30 X1 ;", 0, ""},
      {"%1\nN10 G1 u5 v-3 w2", 0, ""},
      {"%1\nN200 G00 X=200+[50+L4]*C90 Y=220+[50+L4]*S90\nN10 L5=R16", 0, ""},
      {"%1\nN60 G77 L1=0 H701 S7\nN70 G77 H12 P3\nN100 G79 L3=0 N200", 0, ""},
      {"%1\nN110 ED30\nN10 G02 X10 Y0 R5 E+\nN20 G51 X- Y-", 0, ""},
      {"%1\n/N10 G1 X5\nN20 T1 D1 M06\nM6 T1\nM6T1", 0, ""},
      {"%1\nN10 G53\nN20 G54 G0 X0\nN30 G59 X10 Y5", 0, ""},
      {"%\nN10 G1 X.5 Y10.\nM30", 0, ""},  // a bare "%" before the blocks is a header
  };
  for (const Case& c : cases) Check(c);
}

TEST(StandardSigns, NoShippedExampleShowsOne) {
  const std::filesystem::path examples = std::filesystem::path(RUR_SOURCE_DIR) / "resources" / "examples";
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(examples)) {
    std::ifstream in(entry.path(), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines.push_back(line);
    }
    const auto sign = nc::FirstStandardSign(data::ProgramText(lines));
    EXPECT_FALSE(sign) << entry.path() << ": " << (sign ? nc::DescribeStandardSign(*sign) : "");
    ++count;
  }
  EXPECT_GE(count, 13);
}

}  // namespace
