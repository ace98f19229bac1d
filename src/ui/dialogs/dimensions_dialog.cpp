#include "ui/dialogs/dimensions_dialog.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

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

TForm5::TForm5(data::Settings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
  CreateComponents();
  connect(OKBtn, &QPushButton::clicked, this, &TForm5::OKBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &TForm5::CancelBtnClick);
}

void TForm5::CreateComponents() {
  SetUpDataDialog(*this, "Form5", "Abmessungen", QSize(229, 125));

  for (int row = 0; row < kRows; ++row) {
    auto* label = new QLabel(QString::fromLatin1(kLabelTexts[row]), this);
    label->setObjectName(QStringLiteral("Label%1").arg(row + 1));
    label->setGeometry(8, kTableRect.top() + 1 + row * kRowHeight, 108, kRowHeight);
    Labels[static_cast<std::size_t>(row)] = label;
  }

  Tabelle = new MaskTable(this);
  Tabelle->setObjectName(QStringLiteral("Tabelle"));
  Tabelle->setGeometry(kTableRect);
  Tabelle->setFrameStyle(QFrame::Box | QFrame::Plain);
  Tabelle->setLineWidth(1);
  Tabelle->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  model_ = new DimensionsModel(settings_, this);
  Tabelle->setModel(model_);
  Tabelle->horizontalHeader()->hide();
  Tabelle->SetGeometry(0, kRowHeight, {kTableRect.width() - 2});

  OKBtn = new QPushButton(QStringLiteral("OK"), this);
  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setToolTip(QStringLiteral("Speichen und beenden"));
  OKBtn->setGeometry(8, 92, 100, 25);
  OKBtn->setAutoDefault(false);
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton(QStringLiteral("Cancel"), this);
  CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
  CancelBtn->setGeometry(121, 92, 100, 25);
  CancelBtn->setAutoDefault(false);
}

void TForm5::FormActivate() {
  Tabelle->CommitEdit();
  model_->Refresh();
}

void TForm5::OKBtnClick() {
  Tabelle->CommitEdit();
  accept();
}

void TForm5::CancelBtnClick() { reject(); }

void TForm5::reject() {
  Tabelle->CancelEdit();
  QDialog::reject();
}

}  // namespace ui
