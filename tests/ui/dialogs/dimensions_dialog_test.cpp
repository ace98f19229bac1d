// The dimensions dialog "Abmessungen": the three cells edit the work-area
// size and the Z zero offset in place; OK and activation commit the edit in
// progress, Cancel drops it.
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ui/component_names.h"
#include "ui/dialogs/dimensions_dialog.h"
#include "ui/dialogs/mask_table.h"
#include "ui/parts.h"

using testing_support::Part;

namespace {

const ui::DimensionsDialogNames& kNames = ui::kDimensionsDialogNames;

ui::MaskTable* Table(QDialog& d) { return &Part<ui::MaskTable>(d, kNames.table); }

// Opens a cell's editor and types into it, without committing.
void TypeIntoCell(ui::MaskTable* table, int row, const QString& text) {
  const QModelIndex index = table->model()->index(row, 0);
  table->setCurrentIndex(index);
  if (table->Editor() == nullptr) table->edit(index);
  QLineEdit* editor = table->Editor();
  QVERIFY(editor != nullptr);
  QTest::keyClicks(editor, text);
}

QString CellText(ui::MaskTable* table, int row) { return table->model()->index(row, 0).data().toString(); }

}  // namespace

class DimensionsDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheThreeFieldsInOneColumnWithoutHeading() {
    data::Settings s;
    s.zZeroOffset = -2.5L;
    ui::DimensionsDialog d(s);
    QCOMPARE(Table(d)->model()->columnCount(), 1);
    QCOMPARE(Table(d)->model()->rowCount(), 3);
    QVERIFY(Table(d)->horizontalHeader()->isHidden());
    QCOMPARE(CellText(Table(d), 0), QStringLiteral("400.000"));
    QCOMPARE(CellText(Table(d), 1), QStringLiteral("300.000"));
    QCOMPARE(CellText(Table(d), 2), QStringLiteral("-2.500"));
  }

  void okCommitsTheEditInProgress() {
    data::Settings s;
    ui::DimensionsDialog d(s);
    TypeIntoCell(Table(d), 1, QStringLiteral("9999.999"));  // the widest the mask takes
    Part<QPushButton>(d, kNames.okButton).click();
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(s.workAreaY, 9999999.0L / 1000.0L);
    QCOMPARE(s.workAreaX, 400.0L);
  }

  void cancelDropsTheEditInProgressOnly() {
    data::Settings s;
    ui::DimensionsDialog d(s);
    TypeIntoCell(Table(d), 0, QStringLiteral("123"));
    QTest::keyClick(Table(d)->Editor(), Qt::Key_Return);  // committed before Cancel
    TypeIntoCell(Table(d), 2, QStringLiteral("7"));
    Part<QPushButton>(d, kNames.cancelButton).click();
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(s.workAreaX, 123.0L);
    QCOMPARE(s.zZeroOffset, 0.0L);
    // Escape or the title bar count as Cancel.
    TypeIntoCell(Table(d), 1, QStringLiteral("5"));
    d.reject();
    QCOMPARE(s.workAreaY, 300.0L);
  }

  void activationCommitsAndShowsTheRecordAsItIsNow() {
    data::Settings s;
    ui::DimensionsDialog d(s);
    TypeIntoCell(Table(d), 2, QStringLiteral("-12.345"));
    s.workAreaX = 50.0L;  // changed behind the dialog's back
    d.PrepareToShow();
    QVERIFY(Table(d)->Editor() == nullptr);
    QCOMPARE(s.zZeroOffset, -12345.0L / 1000.0L);
    QCOMPARE(CellText(Table(d), 0), QStringLiteral("50.000"));
  }
};

QTEST_MAIN(DimensionsDialogTest)
#include "dimensions_dialog_test.moc"
