// The "####.###" cells: what is shown, what typing may enter, how typed text
// becomes an extended value, and when an edit reaches its field.
#include <QLineEdit>
#include <QTest>
#include <array>
#include <cmath>
#include <limits>

#include "ui/dialogs/mask_table.h"

namespace {

// One fixed number column and two value columns over four fields.
class PairModel : public ui::MaskTableModel {
 public:
  explicit PairModel(std::array<long double, 4>& fields)
      : MaskTableModel({QStringLiteral("Nr."), QStringLiteral("A"), QStringLiteral("B")}, nullptr), fields_(fields) {}
  int rowCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : 2; }

 protected:
  long double* Cell(int row, int column) const override {
    return column == 0 ? nullptr : &fields_[static_cast<std::size_t>(row * 2 + column - 1)];
  }
  QString FixedText(int row, int) const override { return QString::number(row + 1); }

 private:
  std::array<long double, 4>& fields_;
};

struct Table {
  Table() : model(fields) { view.setModel(&model); }
  // Opens the editor of a cell the way F2 does.
  QLineEdit* Open(int row, int column) {
    const QModelIndex index = model.index(row, column);
    view.setCurrentIndex(index);
    view.edit(index);
    return view.Editor();
  }
  std::array<long double, 4> fields{};
  PairModel model;
  ui::MaskTable view;
};

}  // namespace

class MaskTableTest : public QObject {
  Q_OBJECT

 private slots:
  void shownTextHasThreeDecimalsOrAReadableGeneralForm() {
    QCOMPARE(ui::FormatMaskValue(2.5L), QStringLiteral("2.500"));
    QCOMPARE(ui::FormatMaskValue(-1234.5678L), QStringLiteral("-1234.568"));
    QCOMPARE(ui::FormatMaskValue(-0.0L), QStringLiteral("0.000"));
    QCOMPARE(ui::FormatMaskValue(9999.9996L), QStringLiteral("9999.9996"));  // not "10000.000"
    QCOMPARE(ui::FormatMaskValue(123456.7L), QStringLiteral("123456.7"));
    QCOMPARE(ui::FormatMaskValue(-1e4000L), QStringLiteral("-1e+4000"));
    QCOMPARE(ui::FormatMaskValue(std::numeric_limits<long double>::infinity()), QStringLiteral("inf"));
    QVERIFY(ui::FormatMaskValue(std::numeric_limits<long double>::quiet_NaN()).contains(QStringLiteral("nan")));
  }

  void typedTextBecomesTheNearestExtendedValue() {
    QCOMPARE(ui::ParseMaskText(QStringLiteral("2.5")), std::optional<long double>(2.5L));
    QCOMPARE(ui::ParseMaskText(QStringLiteral("0,1")), std::optional<long double>(0.1L));
    QCOMPARE(ui::ParseMaskText(QStringLiteral("-.125")), std::optional<long double>(-0.125L));
    QCOMPARE(ui::ParseMaskText(QStringLiteral("+9999.999")), std::optional<long double>(9999.999L));
    QCOMPARE(ui::ParseMaskText(QString()), std::optional<long double>(0.0L));
    const std::optional<long double> negativeZero = ui::ParseMaskText(QStringLiteral("-0"));
    QVERIFY(negativeZero && *negativeZero == 0.0L && !std::signbit(*negativeZero));
    for (const char* refused : {"12345", "1.2345", "1e3", " 1", "--1", "1.2.3"}) {
      QVERIFY2(!ui::ParseMaskText(QString::fromLatin1(refused)), refused);
    }
  }

  void editorTakesOnlyTheMaskAndAnUntouchedCellKeepsItsValue() {
    Table t;
    t.fields = {2.12345L, 123456.7L, 0.0L, 0.0L};
    QLineEdit* editor = t.Open(0, 1);
    QCOMPARE(editor->text(), QStringLiteral("2.123"));
    QTest::keyClick(editor, Qt::Key_Tab);
    QCOMPARE(t.view.Editor()->text(), QString());  // beyond the mask: nothing to edit in place
    QTest::keyClick(t.view.Editor(), Qt::Key_Tab);
    QCOMPARE(t.fields[0], 2.12345L);
    QCOMPARE(t.fields[1], 123456.7L);
    QTest::keyClicks(t.view.Editor(), QStringLiteral("12x345.6789"));  // row 2, past the number column
    QCOMPARE(t.view.Editor()->text(), QStringLiteral("1234.678"));
    t.view.CancelEdit();
    QCOMPARE(t.fields[2], 0.0L);
  }

  void enterOutsideAnEditMovesOnInsteadOfClosingTheDialog() {
    Table t;
    t.view.setCurrentIndex(t.model.index(0, 2));
    QTest::keyClick(&t.view, Qt::Key_Return);
    QCOMPARE(t.view.currentIndex(), t.model.index(1, 1));
  }
};

QTEST_MAIN(MaskTableTest)
#include "mask_table_test.moc"
