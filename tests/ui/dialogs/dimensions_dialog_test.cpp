// The dimensions dialog "Abmessungen": the three cells edit the work-area
// size and the Z zero offset in place; OK and activation commit the edit in
// progress, Cancel drops it.
#include <QHeaderView>
#include <QPushButton>

#include "ui/component_names.h"
#include "ui/dialogs/dimensions_dialog.h"
#include "ui/parts.h"

using namespace testing_support;

namespace {

const ui::DimensionsDialogNames& kNames = ui::kDimensionsDialogNames;

ui::MaskTable& Table(QDialog& d) { return Part<ui::MaskTable>(d, kNames.table); }

}  // namespace

class DimensionsDialogTest : public QObject {
  Q_OBJECT

 private slots:
  // One column without heading; activation commits the edit in progress
  // and shows the record as it is now.
  void showsTheThreeFieldsAndActivationCommits() {
    data::Settings s;
    s.zZeroOffset = -2.5L;
    ui::DimensionsDialog d(s);
    QCOMPARE(Table(d).model()->columnCount(), 1);
    QVERIFY(Table(d).horizontalHeader()->isHidden());
    QStringList shown;
    for (int row = 0; row < Table(d).model()->rowCount(); ++row) shown << CellText(Table(d), row, 0);
    QCOMPARE(shown, (QStringList{"400.000", "300.000", "-2.500"}));

    TypeIntoCell(Table(d), 2, 0, QStringLiteral("-12.345"), false);
    s.workAreaX = 50.0L;  // changed behind the dialog's back
    d.PrepareToShow();
    QVERIFY(Table(d).Editor() == nullptr);
    QCOMPARE(s.zZeroOffset, -12345.0L / 1000.0L);
    QCOMPARE(CellText(Table(d), 0, 0), QStringLiteral("50.000"));
  }

  // OK commits the edit in progress; Cancel (Escape, the title bar) drops
  // only that, not what Enter committed before.
  void okCommitsAndCancelDropsTheEditInProgress() {
    data::Settings s;
    ui::DimensionsDialog d(s);
    TypeIntoCell(Table(d), 1, 0, QStringLiteral("9999.999"), false);  // the widest the mask takes
    Part<QPushButton>(d, kNames.okButton).click();
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(s.workAreaY, 9999999.0L / 1000.0L);
    QCOMPARE(s.workAreaX, 400.0L);

    data::Settings t;
    ui::DimensionsDialog e(t);
    TypeIntoCell(Table(e), 0, 0, QStringLiteral("123"));
    TypeIntoCell(Table(e), 2, 0, QStringLiteral("7"), false);
    Part<QPushButton>(e, kNames.cancelButton).click();
    QCOMPARE(e.result(), int(QDialog::Rejected));
    QCOMPARE(t.workAreaX, 123.0L);
    QCOMPARE(t.zZeroOffset, 0.0L);
    TypeIntoCell(Table(e), 1, 0, QStringLiteral("5"), false);
    e.reject();
    QCOMPARE(t.workAreaY, 300.0L);
  }
};

QTEST_MAIN(DimensionsDialogTest)
#include "dimensions_dialog_test.moc"
