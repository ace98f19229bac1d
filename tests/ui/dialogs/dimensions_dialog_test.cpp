// The dimensions dialog "Abmessungen": the three cells edit the work-area
// size and the Z zero offset in place; OK and activation commit the edit in
// progress, Cancel drops it.
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ui/dialogs/dimensions_dialog.h"
#include "ui/dialogs/mask_table.h"

namespace {

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
    ui::TForm5 d(s);
    QCOMPARE(d.Tabelle->model()->columnCount(), 1);
    QCOMPARE(d.Tabelle->model()->rowCount(), 3);
    QVERIFY(d.Tabelle->horizontalHeader()->isHidden());
    QCOMPARE(CellText(d.Tabelle, 0), QStringLiteral("400.000"));
    QCOMPARE(CellText(d.Tabelle, 1), QStringLiteral("300.000"));
    QCOMPARE(CellText(d.Tabelle, 2), QStringLiteral("-2.500"));
  }

  void okCommitsTheEditInProgress() {
    data::Settings s;
    ui::TForm5 d(s);
    TypeIntoCell(d.Tabelle, 1, QStringLiteral("9999.999"));  // the widest the mask takes
    d.OKBtn->click();
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(s.workAreaY, 9999999.0L / 1000.0L);
    QCOMPARE(s.workAreaX, 400.0L);
  }

  void cancelDropsTheEditInProgressOnly() {
    data::Settings s;
    ui::TForm5 d(s);
    TypeIntoCell(d.Tabelle, 0, QStringLiteral("123"));
    QTest::keyClick(d.Tabelle->Editor(), Qt::Key_Return);  // committed before Cancel
    TypeIntoCell(d.Tabelle, 2, QStringLiteral("7"));
    d.CancelBtn->click();
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(s.workAreaX, 123.0L);
    QCOMPARE(s.zZeroOffset, 0.0L);
    // Escape or the title bar count as Cancel.
    TypeIntoCell(d.Tabelle, 1, QStringLiteral("5"));
    d.reject();
    QCOMPARE(s.workAreaY, 300.0L);
  }

  void activationCommitsAndShowsTheRecordAsItIsNow() {
    data::Settings s;
    ui::TForm5 d(s);
    TypeIntoCell(d.Tabelle, 2, QStringLiteral("-12.345"));
    s.workAreaX = 50.0L;  // changed behind the dialog's back
    d.FormActivate();
    QVERIFY(d.Tabelle->Editor() == nullptr);
    QCOMPARE(s.zZeroOffset, -12345.0L / 1000.0L);
    QCOMPARE(CellText(d.Tabelle, 0), QStringLiteral("50.000"));
  }
};

QTEST_MAIN(DimensionsDialogTest)
#include "dimensions_dialog_test.moc"
