// The colouring of NC lines: which ranges of a line get which kind, a long
// program coloured where it is shown, and edits recoloured.
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "ui/editor/nc_editor.h"
#include "ui/editor/nc_highlighter.h"
#include "ui/editor/nc_line_scan.h"

using ui::NcSpan;
using ui::NcWordKind;
using K = ui::NcWordKind;

namespace {

// The format of the range that covers position pos of a block; an empty
// format where the highlighter left the text alone.
QTextCharFormat FormatAt(const QTextBlock& block, int pos) {
  for (const QTextLayout::FormatRange& range : block.layout()->formats()) {
    if (pos >= range.start && pos < range.start + range.length) return range.format;
  }
  return {};
}

QString Describe(const std::vector<NcSpan>& spans) {
  QStringList parts;
  for (const NcSpan& s : spans) parts << QStringLiteral("%1+%2:%3").arg(s.start).arg(s.length).arg(int(s.kind));
  return parts.join(QLatin1Char(' '));
}

}  // namespace

class NcHighlighterTest : public QObject {
  Q_OBJECT

 private slots:
  void scanFindsTheRangesOfEachKind() {
    struct Case {
      const char* line;
      std::vector<NcSpan> spans;
    };
    const Case cases[] = {
        {"N10 G01 X-10.5 Y20 F100 M3",
         {{0, 3, K::BlockNumber}, {4, 3, K::Motion}, {8, 6, K::Coordinate}, {15, 3, K::Coordinate}, {24, 2, K::MCode}}},
        // Only G0 to G3 are motions, G04 is another G word; the G01 in the
        // comment is no word.
        {"G2 X5 I2.5 J0 (HALBKREIS G01) G04",
         {{0, 2, K::Motion}, {3, 2, K::Coordinate}, {6, 4, K::Coordinate}, {11, 2, K::Coordinate},
          {14, 15, K::Comment}, {30, 3, K::GCode}}},
        {"G3 X0 K1 Z-2", {{0, 2, K::Motion}, {3, 2, K::Coordinate}, {6, 2, K::Coordinate}, {9, 3, K::Coordinate}}},
        // The N after a G79 is its target; the block number stays one.
        {"N5 G79 L1>5 N20",
         {{0, 2, K::BlockNumber}, {3, 3, K::JumpCall}, {7, 2, K::Parameter}, {12, 3, K::JumpCall}}},
        {"N30 G77 H12 S3 P2",
         {{0, 3, K::BlockNumber}, {4, 3, K::JumpCall}, {8, 3, K::JumpCall}, {12, 2, K::JumpCall},
          {15, 2, K::JumpCall}}},
        // Without G77, H and S are plain letters.
        {"H12 S3", {}},
        // S, C and R after an operator are functions; SIN's letters no words.
        {"L5=S30", {{0, 2, K::Parameter}}},
        {"L15=R16+C2", {{0, 3, K::Parameter}}},
        {"X=SIN[30] R005", {{0, 1, K::Coordinate}, {10, 4, K::Parameter}}},
        {"G03 X10 R5 E+", {{0, 3, K::Motion}, {4, 3, K::Coordinate}, {8, 2, K::Parameter}}},
        {"L R", {}},
        {"G01X10Y5ED30", {{0, 3, K::Motion}, {3, 3, K::Coordinate}, {6, 2, K::Coordinate}, {8, 4, K::Coordinate}}},
        {"G51 X- Y-", {{0, 3, K::GCode}, {4, 2, K::Coordinate}, {7, 2, K::Coordinate}}},
        // Lower case is no word. Only what the run removes is a comment:
        // not an unclosed "(", nor a "(" after a stray ")", nor ";" text.
        {"g01 x10 (kommentar", {}},
        {"G01 (X10", {{0, 3, K::Motion}, {5, 3, K::Coordinate}}},
        {"X1 ) (Y2)", {{0, 2, K::Coordinate}, {6, 2, K::Coordinate}}},
        {"X1 ; Y2 (A)", {{0, 2, K::Coordinate}, {5, 2, K::Coordinate}, {8, 3, K::Comment}}},
        // Only the first comment is one; the second "(" is read as a bracket.
        {"X1 (A) (B)", {{0, 2, K::Coordinate}, {3, 3, K::Comment}}},
        {"  %100 (PROGRAMM)", {{2, 15, K::Header}}},
        {"%", {{0, 1, K::Header}}},
        {"/N40 G00 Z5", {{0, 1, K::BlockSkip}, {1, 3, K::BlockNumber}, {5, 3, K::Motion}, {9, 2, K::Coordinate}}},
        {" / X1", {{1, 1, K::BlockSkip}, {3, 2, K::Coordinate}}},
        {"", {}},
        {"   ", {}},
    };
    for (const Case& c : cases) {
      const QString line = QString::fromLatin1(c.line);
      QCOMPARE(Describe(ui::ScanNcLine(line)), Describe(c.spans));
    }
  }

  void everyKindHasAColourOfItsOwnThatReadsOnBlack() {
    QSet<QRgb> colours;
    for (int k = 0; k <= int(K::Header); ++k) {
      const QColor c = ui::NcHighlighter::FormatOf(NcWordKind(k)).foreground().color();
      colours.insert(c.rgb());
      QVERIFY2(c.lightness() >= 110, qPrintable(QStringLiteral("kind %1 too dark").arg(k)));
    }
    QCOMPARE(colours.size(), int(K::Header) + 1);
  }

  // Loading colours nothing beyond the lines on screen; a line is coloured
  // when it is shown, and colouring neither modifies the text nor reports a
  // change (that would disable sending).
  void aLongProgramIsColouredWhereShown() {
    QStringList lines{QStringLiteral("%1")};
    for (int n = 2; n <= 32000; ++n) lines << QStringLiteral("N%1 G01 X%1 Y5 (C)").arg(n);
    ui::NcEditor editor;
    editor.resize(400, 300);
    editor.setPlainText(lines.join(QLatin1Char('\n')));
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QSignalSpy changes(&editor, &QPlainTextEdit::textChanged);
    editor.viewport()->grab();
    const QTextBlock first = editor.document()->firstBlock();
    const QTextBlock last = editor.document()->lastBlock();
    QVERIFY(editor.Highlighter()->IsColoured(first));
    QCOMPARE(FormatAt(first, 0), ui::NcHighlighter::FormatOf(K::Header));
    QVERIFY(!editor.Highlighter()->IsColoured(last));
    editor.MoveToLine(32000);
    editor.viewport()->grab();
    QVERIFY(editor.Highlighter()->IsColoured(last));
    QCOMPARE(last.text(), QStringLiteral("N32000 G01 X32000 Y5 (C)"));
    QCOMPARE(FormatAt(last, 5), ui::NcHighlighter::FormatOf(K::BlockNumber));
    QCOMPARE(FormatAt(last, 6), QTextCharFormat());
    QCOMPARE(FormatAt(last, 11), ui::NcHighlighter::FormatOf(K::Coordinate));
    QCOMPARE(FormatAt(last, 21), ui::NcHighlighter::FormatOf(K::Comment));
    QVERIFY(!editor.Highlighter()->IsColoured(editor.document()->findBlockByNumber(15999)));
    QCOMPARE(changes.count(), 0);
    QVERIFY(!editor.document()->isModified());
  }

  // After any edit, every line shows the colours of its own text: edits of
  // one line, of many lines at once (on and beyond the count recoloured at
  // once), removals and replacements by text of the same length.
  void everyLineShownAfterAnEditHasTheColoursOfItsText() {
    QStringList lines;
    for (int n = 1; n <= 600; ++n) lines << QStringLiteral("N%1 G0%2 X%1 (K)").arg(n).arg(n % 4);
    ui::NcEditor editor;
    editor.resize(400, 200);
    editor.setPlainText(lines.join(QLatin1Char('\n')));
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QStringList block200, block201;
    for (int n = 0; n < 200; ++n) block200 << QStringLiteral("M%1 L%1=2").arg(n);
    for (int n = 0; n < 201; ++n) block201 << QStringLiteral("G79 N%1").arg(n);
    const auto replace = [&](int fromLine, int toLine, const QString& text) {
      QTextCursor cursor(editor.document()->findBlockByNumber(fromLine));
      cursor.setPosition(editor.document()->findBlockByNumber(toLine).position(), QTextCursor::KeepAnchor);
      cursor.insertText(text);
    };
    replace(220, 220, QStringLiteral("M3 "));  // typed into a line (line 221, checked below)
    // Up to 200 lines are coloured at once, shown or not; more wait to be shown.
    replace(10, 210, block200.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    QVERIFY(editor.Highlighter()->IsColoured(editor.document()->findBlockByNumber(209)));
    replace(250, 451, block201.join(QLatin1Char('\n')) + QLatin1Char('\n'));
    QVERIFY(!editor.Highlighter()->IsColoured(editor.document()->findBlockByNumber(450)));
    replace(500, 520, QString());                                           // lines removed
    QTextCursor same(editor.document()->findBlockByNumber(5));
    same.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    same.insertText(QStringLiteral("(N6 G00 X6 K)"));                       // the same length
    for (int line = 1; line <= editor.LineCount(); line += 5) {
      editor.MoveToLine(line);
      editor.viewport()->grab();
      const QTextBlock block = editor.textCursor().block();
      QVERIFY(editor.Highlighter()->IsColoured(block));
      QList<QTextLayout::FormatRange> expected;
      for (const NcSpan& span : ui::ScanNcLine(block.text())) {
        expected.append({span.start, span.length, ui::NcHighlighter::FormatOf(span.kind)});
      }
      QVERIFY2(block.layout()->formats() == expected, qPrintable(block.text()));
    }
  }
};

QTEST_MAIN(NcHighlighterTest)
#include "nc_highlighter_test.moc"
