// The editor's line numbers, "Gehe zu Zeile" (Ctrl+G) and "Suchen" (Ctrl+F,
// F3), redo by Ctrl+Y, with the modal host replaced so that no dialog waits
// on a click.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTextBlock>

#include "ui/component_names.h"
#include "ui/editor/line_number_gutter.h"
#include "ui/editor/nc_editor.h"
#include "ui/fake_host.h"
#include "ui/parts.h"

using testing_support::FakeHost;
using ui::FindResult;

namespace {

QString NumberedLines(int count) {
  QStringList lines;
  for (int n = 1; n <= count; ++n) lines << QStringLiteral("N%1 X%1").arg(n);
  return lines.join(QLatin1Char('\n'));
}

struct Fixture {
  Fixture() {
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::Monospace);
    courier.setPointSize(10);
    editor.setFont(courier);
    editor.resize(441, 160);
    editor.SetModalHost(host);
    editor.show();
  }
  FakeHost host;
  ui::NcEditor editor;
};

}  // namespace

class NcEditorTest : public QObject {
  Q_OBJECT

 private slots:
  // Two digits at least; one digit's width more at 100 and at 1000 lines.
  void gutterGrowsWithTheDigitCount() {
    Fixture f;
    const int digit = f.editor.fontMetrics().horizontalAdvance(QLatin1Char('9'));
    const struct {
      int lines;
      int digits;
    } cases[] = {{1, 2}, {9, 2}, {10, 2}, {99, 2}, {100, 3}, {999, 3}, {1000, 4}, {32000, 5}};
    int twoDigits = 0;
    for (const auto& c : cases) {
      f.editor.setPlainText(NumberedLines(c.lines));
      QCOMPARE(f.editor.blockCount(), c.lines);
      const int width = f.editor.Gutter()->width();
      if (c.lines == 1) twoDigits = width;
      QCOMPARE(width, twoDigits + (c.digits - 2) * digit);
      QCOMPARE(f.editor.Gutter()->WidthFor(c.lines), width);
      // The text starts right of the gutter; the editor keeps its own size.
      QCOMPARE(f.editor.viewport()->x(), f.editor.contentsRect().left() + width);
      QCOMPARE(f.editor.size(), QSize(441, 160));
    }
  }

  // The current line's number is drawn brighter than the others.
  void currentLineNumberIsBrighter() {
    Fixture f;
    f.editor.setPlainText(NumberedLines(5));
    f.editor.MoveToLine(3);
    const QImage image = f.editor.Gutter()->grab().toImage();
    const int lineHeight = f.editor.fontMetrics().height();
    auto brightest = [&](int line) {
      const int top = int(f.editor.cursorRect(QTextCursor(f.editor.document()->findBlockByNumber(line - 1))).top());
      int best = 0;
      for (int y = top; y < top + lineHeight && y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) best = std::max(best, qGray(image.pixel(x, y)));
      }
      return best;
    };
    // Anti-aliasing may keep a glyph below its pen's full colour.
    QVERIFY(brightest(2) > 24);
    QVERIFY(brightest(2) <= qGray(ui::LineNumberGutter::NumberColour().rgb()));
    QVERIFY(brightest(3) > qGray(ui::LineNumberGutter::NumberColour().rgb()) + 40);
  }

  void ctrlGGoesToTheLineChosen() {
    struct Case {
      int answer;  // the value put into the field, -1: cancelled
      int line;    // the line the cursor then stands on
    };
    const Case cases[] = {{1, 1}, {137, 137}, {400, 400}, {401, 400}, {-1, 10}};
    for (const Case& c : cases) {
      Fixture f;
      f.editor.setPlainText(NumberedLines(400));
      f.editor.MoveToLine(10);
      int minimum = 0, maximum = 0, shown = 0;
      f.host.Then([&](QDialog& dialog) {
        auto& line = testing_support::Part<QSpinBox>(dialog, ui::kGoToLineDialogNames.line);
        minimum = line.minimum();
        maximum = line.maximum();
        shown = line.value();
        if (c.answer < 0) return int(QDialog::Rejected);
        line.setValue(c.answer);
        return int(QDialog::Accepted);
      });
      QTest::keyClick(&f.editor, Qt::Key_G, Qt::ControlModifier);
      QCOMPARE(f.host.shown, QStringList{QStringLiteral("Gehe zu Zeile")});
      QCOMPARE(minimum, 1);
      QCOMPARE(maximum, 400);
      QCOMPARE(shown, 10);
      QCOMPARE(f.editor.textCursor().blockNumber() + 1, c.line);
      QCOMPARE(f.editor.textCursor().positionInBlock(), 0);
      QVERIFY(!f.editor.document()->isModified());
      // Centred: the line lies in the middle of the view, within a line.
      const QRect cursor = f.editor.cursorRect();
      QVERIFY(f.editor.viewport()->rect().contains(cursor));
      if (c.line > 20 && c.line < 380) {
        QVERIFY(qAbs(cursor.center().y() - f.editor.viewport()->height() / 2) <= cursor.height());
      }
    }
  }

  // Case-insensitive by default; past the last match the search goes on
  // from the start; a text that is nowhere leaves the cursor where it was.
  void findNextWrapsAndReportsAMiss() {
    Fixture f;
    f.editor.setPlainText(QStringLiteral("%1\nG01 X1\nM30 (g01)\nG01 X2"));
    const struct {
      const char* text;
      bool caseSensitive;
      FindResult result;
      int line;
      int column;
    } steps[] = {
        {"g01", false, FindResult::Found, 2, 0},
        {"g01", false, FindResult::Found, 3, 5},
        {"g01", false, FindResult::Found, 4, 0},
        {"g01", false, FindResult::FoundAfterWrap, 2, 0},
        {"g01", true, FindResult::Found, 3, 5},
        {"g01", true, FindResult::FoundAfterWrap, 3, 5},  // the only match
        {"X3", false, FindResult::NotFound, 3, 5},
    };
    for (const auto& s : steps) {
      QCOMPARE(f.editor.FindNext(QString::fromLatin1(s.text), s.caseSensitive), s.result);
      const QTextCursor cursor = f.editor.textCursor();
      QCOMPARE(cursor.blockNumber() + 1, s.line);
      QCOMPARE(cursor.selectionStart() - cursor.block().position(), s.column);
      QCOMPARE(cursor.selectedText().size(), 3);
    }
  }

  // F3 before any search opens the dialog. The dialog searches on each
  // "Weitersuchen" and says when it wrapped or missed; F3 then goes on with
  // the last text.
  void ctrlFSearchesFromTheDialogAndF3GoesOn() {
    Fixture f;
    f.editor.setPlainText(QStringLiteral("N1 X1\nN2 Y1\nN3 X2"));
    f.host.Answer(QDialog::Rejected);
    QTest::keyClick(&f.editor, Qt::Key_F3);
    QStringList statuses;
    bool caseSensitive = true;
    f.host.Then([&](QDialog& dialog) {
      const ui::FindDialogNames& names = ui::kFindDialogNames;
      caseSensitive = testing_support::Part<QCheckBox>(dialog, names.matchCase).isChecked();
      const auto findNext = [&](const char* text) {
        if (text != nullptr) testing_support::Part<QLineEdit>(dialog, names.text).setText(QString::fromLatin1(text));
        testing_support::Part<QPushButton>(dialog, names.findNextButton).click();
        statuses << testing_support::Part<QLabel>(dialog, names.status).text();
      };
      findNext("y");
      findNext(nullptr);
      findNext("Q");
      findNext("x");
      return int(QDialog::Rejected);
    });
    QTest::keyClick(&f.editor, Qt::Key_F, Qt::ControlModifier);
    QCOMPARE(f.host.shown, (QStringList{QStringLiteral("Suchen"), QStringLiteral("Suchen")}));
    QVERIFY(!caseSensitive);
    QCOMPARE(statuses, (QStringList{QString(), QStringLiteral("Am Anfang fortgesetzt"),
                                    QStringLiteral("Nicht gefunden"), QString()}));
    QCOMPARE(f.editor.textCursor().blockNumber(), 2);  // the X of line 3 follows line 2's Y
    QTest::keyClick(&f.editor, Qt::Key_F3);
    QCOMPARE(f.editor.textCursor().blockNumber(), 0);
    QCOMPARE(f.host.unexpected, 0);
    QVERIFY(!f.editor.document()->isModified());
  }

  // The typing rules hold with the new keys in place: a..z upper case, a
  // line of exactly 256 characters takes no more but a new line, Ctrl+G
  // inserts nothing. Ctrl+Y redoes what Ctrl+Z undid, as Ctrl+Shift+Z does.
  void typingRulesStay() {
    Fixture f;
    const QString full(256, QLatin1Char('X'));
    f.editor.setPlainText(full.chopped(1));
    f.editor.moveCursor(QTextCursor::End);
    QTest::keyClicks(&f.editor, QStringLiteral("ab"));
    QCOMPARE(f.editor.toPlainText(), full.chopped(1) + QLatin1Char('A'));
    f.host.Answer(QDialog::Rejected);
    QTest::keyClick(&f.editor, Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(f.editor.toPlainText().size(), 256);
    QTest::keyClick(&f.editor, Qt::Key_Return);
    QTest::keyClicks(&f.editor, QStringLiteral("y"));
    const QString typed = full.chopped(1) + QStringLiteral("A\nY");
    QCOMPARE(f.editor.toPlainText(), typed);
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Y, Qt::KeyboardModifiers(Qt::ControlModifier)},
                                         std::pair{Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier}}) {
      QTest::keyClick(&f.editor, Qt::Key_Z, Qt::ControlModifier);
      QVERIFY(f.editor.toPlainText() != typed);
      QTest::keyClick(&f.editor, key, modifiers);
      QCOMPARE(f.editor.toPlainText(), typed);
    }
  }
};

QTEST_MAIN(NcEditorTest)
#include "nc_editor_test.moc"
