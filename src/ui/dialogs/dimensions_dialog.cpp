#include "ui/dialogs/dimensions_dialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

#include "ui/component_names.h"
#include "ui/dialogs/mask_table.h"

namespace ui {
namespace {

constexpr int kRows = 3;
constexpr int kRowHeight = 20;
constexpr QRect kTableRect(120, 8, 101, kRows * kRowHeight + 2);
const char* const kLabelTexts[kRows] = {"Max. koord. in X", "Max. koord. in Y", "Nullpunkt in Z"};

}  // namespace

// One column without heading: the work-area size in X and Y, then the Z
// zero offset.
class DimensionsModel : public MaskTableModel {
 public:
  DimensionsModel(data::Settings& settings, QObject* parent)
      : MaskTableModel({QString()}, parent), settings_(settings) {}

  int rowCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : kRows; }

 protected:
  long double* Cell(int row, int column) const override {
    if (column != 0) return nullptr;
    switch (row) {
      case 0: return &settings_.workAreaX;
      case 1: return &settings_.workAreaY;
      case 2: return &settings_.zZeroOffset;
      default: return nullptr;
    }
  }

 private:
  data::Settings& settings_;
};

DimensionsDialog::DimensionsDialog(data::Settings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
  CreateComponents();
  connect(okButton_, &QPushButton::clicked, this, &DimensionsDialog::OnOk);
  connect(cancelButton_, &QPushButton::clicked, this, &DimensionsDialog::reject);
}

void DimensionsDialog::CreateComponents() {
  const DimensionsDialogNames& names = kDimensionsDialogNames;
  SetUpDataDialog(*this, names.window, "Abmessungen", QSize(229, 125));

  for (int row = 0; row < kRows; ++row) {
    auto* label = Named(new QLabel(QString::fromLatin1(kLabelTexts[row]), this), names.rowLabels[row]);
    label->setGeometry(8, kTableRect.top() + 1 + row * kRowHeight, 108, kRowHeight);
  }

  table_ = Named(new MaskTable(this), names.table);
  table_->setGeometry(kTableRect);
  table_->setFrameStyle(QFrame::Box | QFrame::Plain);
  table_->setLineWidth(1);
  table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  model_ = new DimensionsModel(settings_, this);
  table_->setModel(model_);
  table_->horizontalHeader()->hide();
  table_->SetGeometry(0, kRowHeight, {kTableRect.width() - 2});

  okButton_ = Named(new QPushButton(QStringLiteral("OK"), this), names.okButton);
  okButton_->setToolTip(QStringLiteral("Speichen und beenden"));
  okButton_->setGeometry(8, 92, 100, 25);
  okButton_->setAutoDefault(false);
  okButton_->setDefault(true);
  cancelButton_ = Named(new QPushButton(QStringLiteral("Cancel"), this), names.cancelButton);
  cancelButton_->setGeometry(121, 92, 100, 25);
  cancelButton_->setAutoDefault(false);
}

void DimensionsDialog::PrepareToShow() {
  table_->CommitEdit();
  model_->Refresh();
}

void DimensionsDialog::OnOk() {
  table_->CommitEdit();
  accept();
}

void DimensionsDialog::reject() {
  table_->CancelEdit();
  QDialog::reject();
}

}  // namespace ui
