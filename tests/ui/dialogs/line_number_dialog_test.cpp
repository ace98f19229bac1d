// The input dialog of the error search: what the field "Zeile:" takes and
// the number it gives.
#include <QLineEdit>
#include <QTest>

#include "ui/dialogs/line_number_dialog.h"

class LineNumberDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void fieldTakesASignAndFiveDigitsAtMost() {
    struct Case {
      QString typed;
      QString shown;
      std::optional<int> number;
    };
    const Case cases[] = {
        {QStringLiteral("99999"), QStringLiteral("99999"), 99999},
        {QStringLiteral("123456"), QStringLiteral("12345"), 12345},
        {QStringLiteral("-7x"), QStringLiteral("-7"), -7},
        {QStringLiteral("0"), QStringLiteral("0"), 0},
        {QStringLiteral("-"), QStringLiteral("-"), std::nullopt},
        {QString(), QString(), std::nullopt},
    };
    ui::LineNumberDialog dialog;
    for (const Case& c : cases) {
      dialog.Zeile->clear();
      QTest::keyClicks(dialog.Zeile, c.typed);
      QCOMPARE(dialog.Zeile->text(), c.shown);
      QCOMPARE(dialog.Number(), c.number);
    }
  }
};

QTEST_MAIN(LineNumberDialogTest)
#include "line_number_dialog_test.moc"
