// The input dialog of the error search: what the field "Zeile:" takes and
// the number it gives.
#include <QLineEdit>
#include <QTest>

#include "ui/component_names.h"
#include "ui/dialogs/line_number_dialog.h"
#include "ui/parts.h"

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
    auto& field = testing_support::Part<QLineEdit>(dialog, ui::kLineNumberDialogNames.field);
    for (const Case& c : cases) {
      field.clear();
      QTest::keyClicks(&field, c.typed);
      QCOMPARE(field.text(), c.shown);
      QCOMPARE(dialog.Number(), c.number);
    }
  }
};

QTEST_MAIN(LineNumberDialogTest)
#include "line_number_dialog_test.moc"
