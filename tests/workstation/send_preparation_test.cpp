// What the send command makes of a drawing before the port opens: the same
// bytes whatever was drawn before, no contour compensated with a radius the
// tool file did not give, a warning for radius 0, no number the block text
// cannot hold, no error of its own taken for one shown before it, the
// question before a path that leaves the work area is sent, and the same
// contour shown beforehand without a word.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "data/extended.h"
#include "geometry/compensation.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"
#include "transfer/scripted_line.h"
#include "workstation/contour_preview.h"
#include "workstation/draw_command.h"
#include "workstation/error_search.h"
#include "workstation/send_checks.h"
#include "workstation/send_command.h"

namespace {

using Lines = std::vector<std::string>;

// A square under G42 with the correction named, then back to the origin.
Lines Square(const std::string& correction) {
  return {"%1", "N10 T1 " + correction + " F100", "N20 G0 X100 Y100", "N30 G42 G1 X200", "N40 Y200",
          "N50 X100",  "N60 Y100",                "N70 G40 G0 X0 Y0"};
}

class SendPreparationTest : public ::testing::Test {
 protected:
  SendPreparationTest() : ws(dialogs, pump, {"/nowhere/rur", dir.path()}) { ws.ReplaceProgram(dir.File("%1")); }

  // A tool file of `records` records; record n has radius radii[n] (0 beyond).
  void WriteTools(int records, std::vector<long double> radii) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(records) * 20, 0);
    for (std::size_t n = 0; n < radii.size() && n < static_cast<std::size_t>(records); ++n) {
      data::EncodeExtended(radii[n], std::span<std::uint8_t>(bytes).subspan(n * 20 + 10, 10));
    }
    dir.Write("QVM_wkz.dat", bytes);
  }

  bool Draw(const Lines& lines) { return rur::DrawProgram(ws, lines, false, view); }

  // The bytes `convert` prints for the program drawn last.
  std::string Converted() {
    if (!rur::PrepareSending(ws)) return "(not sent)";
    transfer::FrameSource frames = rur::SentFrames(ws, false);
    std::string bytes;
    for (transfer::Frame frame; frames.Next(frame);) bytes.append(frame.data.begin(), frame.data.end());
    return bytes;
  }

  std::string DrawnAndConverted(const Lines& lines) { return Draw(lines) ? Converted() : "(not drawn)"; }

  testing_support::TempDir dir;
  testing_support::FakeDialogs dialogs;
  testing_support::CountingPump pump;
  rur::Workstation ws;
  rur::DrawCommandView view;
};

TEST_F(SendPreparationTest, AProgramIsSentTheSameWhateverWasDrawnBefore) {
  WriteTools(100, {0.0L, 5.0L});
  // Starts incremental and without T, S or D words, so it takes all of them
  // from the reset: the tool, the last programmed point, the correction.
  const Lines a = {"%1", "N10 G91 G1 X10 Y10 F100", "N20 G90 G2 X30 Y10 I20 J10", "N30 G1 X40"};
  const Lines b = {"%1", "N10 T4 D1 S900 G18 G1 X50 Y70 Z-3 F200", "N20 G91 X5 G4 F20", "N30 M3 G1 X7"};
  // Stops with a message after changing tool and position.
  const Lines failing = {"%1", "N10 T9 G1 X300 Y300 F300", "N20 G2 X310 Y300"};
  const std::string first = DrawnAndConverted(a);
  EXPECT_EQ(first.find('T'), std::string::npos);  // tool 0 is never sent first
  for (const Lines& before : {b, failing, a, b}) {
    DrawnAndConverted(before);
    EXPECT_EQ(DrawnAndConverted(a), first);
  }
}

TEST_F(SendPreparationTest, NoContourIsCompensatedWithARadiusTheToolFileDidNotGive) {
  struct Case {
    const char* name;
    int records;  // -2: a file that cannot be read whole (none: golden convert_tool_file_missing)
    const char* correction;
    std::string message;  // empty: sent
  };
  const Case cases[] = {
      {"unreadable", -2, "D1", "Radiuskorrektur nicht m\xF6glich: Werkzeugdatei QVM_wkz.dat ist nicht lesbar (D1)!"},
      {"beyond a short file", 2, "D2",
       "Radiuskorrektur nicht m\xF6glich: D2 steht nicht in der Werkzeugdatei QVM_wkz.dat (2 Werkzeuge)!"},
      {"last record of a short file", 2, "D1", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.messages.clear();
    std::filesystem::remove(dir.File("QVM_wkz.dat"));
    if (c.records == -2) dir.Write("QVM_wkz.dat", std::string(25, '\0'));
    if (c.records >= 0) WriteTools(c.records, {0.0L, 5.0L, 5.0L});
    ASSERT_TRUE(Draw(Square(c.correction)));
    EXPECT_EQ(rur::PrepareSending(ws), c.message.empty());
    if (c.message.empty()) {
      EXPECT_TRUE(dialogs.messages.empty());
      continue;
    }
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].description, c.message);
    EXPECT_EQ(dialogs.messages[0].program, "%1");
    EXPECT_EQ(dialogs.messages[0].block, "N30 G42 G1 X200");  // the first compensated block
    EXPECT_EQ(ws.sentStore().count(), 0);
  }
  // A program that compensates nothing needs no tool file.
  std::filesystem::remove(dir.File("QVM_wkz.dat"));
  ASSERT_TRUE(Draw({"%1", "N10 G1 X10 F100"}));
  EXPECT_TRUE(rur::PrepareSending(ws));
}

TEST_F(SendPreparationTest, RadiusZeroIsSaidAndSentOnlyWhenTheOperatorSaysSo) {
  // D0, and entries of radius 0, -0 and the smallest the dialog's mask holds.
  WriteTools(100, {0.0L, -0.0L, 0.001L});
  struct Case {
    const char* correction;
    bool warned;
  };
  for (const Case c : {Case{"D0", true}, Case{"D1", true}, Case{"D2", false}, Case{"D3", true}}) {
    SCOPED_TRACE(c.correction);
    dialogs.warnings.clear();
    for (const bool goOn : {false, true}) {
      dialogs.goOn = goOn;
      ASSERT_TRUE(Draw(Square(c.correction)));
      EXPECT_EQ(rur::PrepareSending(ws), goOn || !c.warned);
      EXPECT_FALSE(ws.messages().errorFlag());
    }
    ASSERT_EQ(dialogs.warnings.size(), c.warned ? 2u : 0u);
    if (c.warned) {
      EXPECT_EQ(dialogs.warnings[0], "Radiuskorrektur mit Werkzeugradius 0 (" + std::string(c.correction) +
                                         ") in 4 S\xE4tzen, zuerst in %1 im Satz: N30 G42 G1 X200\n"
                                         "Diese Kontur wird nicht korrigiert gesendet.");
    }
  }
}

// The send command clears the error flag as it starts and not later: a
// message shown after the drawing (the abort's, the error search's) does
// not stop it, one of the compensation does, and the flag it left is there
// when the command returns (rur-cli's exit status reads it).
TEST_F(SendPreparationTest, TheSendCommandStartsCleanAndKeepsItsOwnErrors) {
  WriteTools(100, {0.0L, 5.0L});
  const Lines square = Square("D1");
  Lines arcFirst = square;  // the compensation is switched on in an arc
  arcFirst[3] = "N30 G42 G2 X200 Y100 I150 J100";
  arcFirst[4] = "N40 G1 Y200";
  const auto nothing = [] {};
  const auto abort = [this] { rur::AbortCommand(ws); };
  const auto search = [this] { rur::FindBlockLine(ws, -1); };
  struct Case {
    const char* name;
    const Lines& program;
    std::function<void()> before;
    std::size_t messagesBefore;
    rur::SendOutcome outcome;
  };
  const Case cases[] = {
      {"nothing before", square, nothing, 0, rur::SendOutcome::kFinished},
      {"the abort's message before", square, abort, 1, rur::SendOutcome::kFinished},
      {"the error search's message before", square, search, 1, rur::SendOutcome::kFinished},
      {"a compensation message", arcFirst, nothing, 0, rur::SendOutcome::kNotSent},
      {"a compensation message after the abort's", arcFirst, abort, 1, rur::SendOutcome::kNotSent},
  };
  struct QuietView : rur::SendCommandView {
    void Status(std::string_view) override {}
    void Progress(int) override {}
  } quiet;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(Draw(c.program));
    dialogs.messages.clear();
    c.before();
    ASSERT_EQ(dialogs.messages.size(), c.messagesBefore);
    testing_support::ScriptedLine line;
    EXPECT_EQ(rur::RunSendCommand(ws, line, quiet), c.outcome);
    const bool sent = c.outcome == rur::SendOutcome::kFinished;
    EXPECT_EQ(line.opens, sent ? 1 : 0);
    EXPECT_EQ(ws.messages().errorFlag(), !sent);
    EXPECT_EQ(ws.phase(), data::RunPhase::kIdle);
    ASSERT_EQ(dialogs.messages.size(), c.messagesBefore + (sent ? 0 : 1));
    if (!sent) {
      EXPECT_EQ(dialogs.messages.back().description, geometry::kCompensationOnArc);
      // The window takes the editor to the block the compensation refused.
      ASSERT_TRUE(ws.messagePlace().has_value());
      EXPECT_EQ(ws.messagePlace()->programIndex, 0);
      EXPECT_EQ(ws.listing().Line(ws.messagePlace()->listingLine), arcFirst[3]);
    } else {
      EXPECT_EQ(ws.messagePlace(), std::nullopt);
    }
  }
}

// A path that leaves the work area is asked about once, whatever the number
// of blocks outside, after the checks; No sends nothing and opens no port
// and is no error. A path that touches the edges is not asked about. A face
// that cannot ask (rur-cli) is told the hint and sends.
TEST_F(SendPreparationTest, APathLeavingTheWorkAreaIsSentOnlyWhenTheOperatorSaysSo) {
  struct SayingView : rur::SendCommandView {
    void Status(std::string_view) override {}
    void Progress(int) override {}
    bool SendOutsideWorkArea(data::Dialogs& dialogs, std::string_view hint) override {
      dialogs.Information(hint);
      return true;
    }
  } saying;
  struct QuietView : rur::SendCommandView {
    void Status(std::string_view) override {}
    void Progress(int) override {}
  } asking;
  struct Case {
    Lines program;
    const char* hint;  // nullptr: none
  };
  const Case cases[] = {
      {{"%1", "N10 G1 X400 Y300 F100"}, nullptr},
      {{"%1", "N10 G1 X400.001 Y300 F100"},
       "1 Satz au\xDF" "erhalb des Arbeitsbereichs, Bahn X 0..400.001 Y 0..300 mm"},
      {{"%1", "N10 G1 X-1 F100", "N20 Y-1"}, "2 S\xE4tze au\xDF" "erhalb des Arbeitsbereichs, Bahn X -1..0 Y -1..0 mm"},
  };
  for (const Case& c : cases) {
    for (rur::SendCommandView* face : std::initializer_list<rur::SendCommandView*>{&asking, &saying}) {
      for (const bool goOn : {false, true}) {
        SCOPED_TRACE(testing::Message() << c.program[1] << (face == &saying ? ", rur-cli, " : ", window, ") << goOn);
        dialogs = {};
        dialogs.goOn = goOn;
        ASSERT_TRUE(Draw(c.program));
        testing_support::ScriptedLine line;
        const bool sent = c.hint == nullptr || goOn || face == &saying;
        EXPECT_EQ(rur::RunSendCommand(ws, line, *face),
                  sent ? rur::SendOutcome::kFinished : rur::SendOutcome::kNotSent);
        EXPECT_EQ(line.opens, sent ? 1 : 0);
        EXPECT_FALSE(ws.messages().errorFlag());
        const Lines none;
        const Lines hint = c.hint == nullptr ? none : Lines{c.hint};
        EXPECT_EQ(dialogs.warnings, face == &asking ? hint : none);
        EXPECT_EQ(dialogs.informations, face == &saying ? hint : none);
      }
    }
  }
  // The checks come first: a compensation message asks nothing.
  WriteTools(100, {0.0L, 5.0L});
  Lines arcOutside = Square("D1");
  arcOutside[3] = "N30 G42 G2 X200 Y100 I150 J100";  // compensation switched on in an arc
  arcOutside[4] = "N40 G1 Y200";
  arcOutside.push_back("N80 G1 X-10");
  dialogs = {};
  ASSERT_TRUE(Draw(arcOutside));
  testing_support::ScriptedLine line;
  EXPECT_EQ(rur::RunSendCommand(ws, line, asking), rur::SendOutcome::kNotSent);
  EXPECT_TRUE(dialogs.warnings.empty());
  EXPECT_TRUE(ws.messages().errorFlag());
}

// The contour shown before sending is the one the send makes, worked out
// without a message, a beep or a question and leaving the error flag and
// the sent store as they were; what would stop the send is said instead.
TEST_F(SendPreparationTest, TheContourIsShownQuietlyAsItWillBeSent) {
  WriteTools(100, {0.0L, 5.0L});
  struct Point {
    long double x, y;
  };
  struct Case {
    const char* side;
    std::vector<Point> ends;  // of the first compensated blocks
  };
  // The square runs counter-clockwise: G41 keeps the cutter inside (the
  // sides trimmed where they meet), G42 outside (a corner arc of the tool
  // radius about each corner).
  const Case cases[] = {
      {"G41", {{195, 105}, {195, 195}, {105, 195}}},
      {"G42", {{200, 95}, {205, 100}, {205, 200}, {200, 205}, {100, 205}}},
  };
  data::BlockStore contour(data::kMaxCompensatedBlocks);
  std::string failure;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.side);
    Lines square = Square("D1");
    square[3] = std::string("N30 ") + c.side + " G1 X200";
    ASSERT_TRUE(Draw(square));
    dialogs = {};
    ASSERT_TRUE(rur::PreviewContour(ws, contour, failure));
    EXPECT_EQ(failure, "");
    std::vector<const data::BlockRecord*> moved;
    for (std::int32_t p = 1; p <= contour.count(); ++p) {
      if (contour.At(p).compensation != geometry::kCompensationOff) moved.push_back(&contour.At(p));
    }
    ASSERT_GE(moved.size(), c.ends.size());
    // A side is compensated as an arc of radius 1,000,000: its ends move by
    // a few ten-thousandths of a millimetre along the side.
    for (std::size_t i = 0; i < c.ends.size(); ++i) {
      EXPECT_NEAR(static_cast<double>(moved[i]->endX), static_cast<double>(c.ends[i].x), 1e-3) << i;
      EXPECT_NEAR(static_cast<double>(moved[i]->endY), static_cast<double>(c.ends[i].y), 1e-3) << i;
    }
    ASSERT_TRUE(rur::PrepareSending(ws));  // the send makes the same blocks
    ASSERT_EQ(ws.sentStore().count(), contour.count());
    EXPECT_EQ(ws.sentStore().At(contour.count()).endX, contour.At(contour.count()).endX);
  }
  EXPECT_EQ(dialogs.messages.size() + dialogs.warnings.size() + static_cast<std::size_t>(dialogs.beeps), 0u);

  // Compensation switched on in an arc: no contour, the send's message as
  // a text, and nothing else touched.
  const std::int32_t sent = ws.sentStore().count();
  Lines arcFirst = Square("D1");
  arcFirst[3] = "N30 G42 G2 X200 Y100 I150 J100";
  arcFirst[4] = "N40 G1 Y200";
  ASSERT_TRUE(Draw(arcFirst));
  dialogs = {};
  EXPECT_FALSE(rur::PreviewContour(ws, contour, failure));
  EXPECT_EQ(failure, std::string(geometry::kCompensationOnArc) + " im Satz: N30 G42 G2 X200 Y100 I150 J100");
  EXPECT_EQ(contour.count(), 0);
  EXPECT_EQ(dialogs.messages.size() + dialogs.warnings.size() + static_cast<std::size_t>(dialogs.beeps), 0u);
  EXPECT_FALSE(ws.messages().errorFlag());
  EXPECT_EQ(ws.sentStore().count(), sent);
  EXPECT_FALSE(rur::PrepareSending(ws));
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].description, geometry::kCompensationOnArc);
}

// At the limit; a number far beyond it: the golden case convert_number_too_large.
TEST_F(SendPreparationTest, ANumberTheBlockTextCannotHoldStopsTheSend) {
  struct Case {
    std::string block;
    std::string word;  // empty: sent
  };
  const Case cases[] = {
      {"N20 G1 X9999999999999.99", ""},
      {"N20 G1 X10000000000000", "X+10000000000000.00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.block);
    dialogs.messages.clear();
    ASSERT_TRUE(Draw({"%1", "N10 G0 X0 Y0", c.block + " F100", "N30 G0 X0 Y0"}));
    EXPECT_EQ(rur::PrepareSending(ws), c.word.empty());
    if (c.word.empty()) continue;
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].description, "Zahl passt nicht in den Satztext (h\xF6" "chstens 15 Stellen): " +
                                                   c.word);
    EXPECT_EQ(dialogs.messages[0].block, c.block + " F100");
  }
}

}  // namespace
