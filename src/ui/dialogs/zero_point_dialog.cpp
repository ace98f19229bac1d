#include "ui/dialogs/zero_point_dialog.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include "data/controllers.h"
#include "ui/dialogs/mask_table.h"

namespace ui {
namespace {

constexpr int kHeadingHeight = 20;
constexpr int kRowHeight = 20;
constexpr int kColumnWidth = 88;
constexpr int kTableX = 44;
constexpr int kTableY = 8;

}  // namespace

// Row r, column c is the shift along axis c of zero point G(54 + r).
class ZeroPointModel : public MaskTableModel {
 public:
  ZeroPointModel(data::ZeroPointRecord& record, QObject* parent)
      : MaskTableModel({QStringLiteral("Verschieb. in X"), QStringLiteral("Verschieb. in Y"),
                        QStringLiteral("Verschieb. in Z")},
                       parent),
        record_(record) {}

  int rowCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : rows_; }

  // Rows come and go without a model reset, so the view keeps its column widths.
  void SetRows(int rows) {
    if (rows > rows_) {
      beginInsertRows(QModelIndex(), rows_, rows - 1);
      rows_ = rows;
      endInsertRows();
    } else if (rows < rows_) {
      beginRemoveRows(QModelIndex(), rows, rows_ - 1);
      rows_ = rows;
      endRemoveRows();
    }
  }

 protected:
  long double* Cell(int row, int column) const override {
    if (row < 0 || row >= rows_ || column < 0 || column > 2) return nullptr;
    return &record_.At(static_cast<data::Axis>(column), row);
  }

 private:
  data::ZeroPointRecord& record_;
  int rows_ = data::kZeroPoints;
};

int ZeroPointRowsFor(int controllerType, int currentRows) {
  switch (data::TraitsOf(controllerType).zeroPointRows) {
    case data::ZeroPointRows::kNone: return 0;
    case data::ZeroPointRows::kAsShown: return currentRows;
    case data::ZeroPointRows::kAllButLast: break;
  }
  return data::kZeroPoints - 1;
}

TForm4::TForm4(data::ZeroPointRecord& record, data::DataFileLocation files, QWidget* parent)
    : QDialog(parent), record_(record), files_(files) {
  CreateComponents();
  connect(SpeichernBtn, &QPushButton::clicked, this, &TForm4::SpeichernBtnClick);
  connect(InitBtn, &QPushButton::clicked, this, &TForm4::InitBtnClick);
  connect(AbbruchBtn, &QPushButton::clicked, this, &TForm4::AbbruchBtnClick);
}

void TForm4::CreateComponents() {
  SetUpDataDialog(*this, "Form4", "Nullpunktverschiebungen", QSize(399, 160));

  Tabelle = new MaskTable(this);
  Tabelle->setObjectName(QStringLiteral("Tabelle"));
  Tabelle->setFrameStyle(QFrame::Box | QFrame::Plain);
  Tabelle->setLineWidth(1);
  model_ = new ZeroPointModel(record_, this);
  Tabelle->setModel(model_);
  Tabelle->SetGeometry(kHeadingHeight, kRowHeight, {kColumnWidth, kColumnWidth, kColumnWidth});
  Tabelle->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Tabelle->setEditTriggers(QAbstractItemView::AllEditTriggers);  // the current cell is always being edited
  const int frame = Tabelle->frameWidth();
  Tabelle->setGeometry(kTableX, kTableY, 3 * kColumnWidth + 2 * frame,
                       kHeadingHeight + data::kZeroPoints * kRowHeight + 2 * frame);

  // Red while their row can be edited; the disabled colour otherwise.
  QPalette red = palette();
  red.setColor(QPalette::Active, QPalette::WindowText, Qt::red);
  red.setColor(QPalette::Inactive, QPalette::WindowText, Qt::red);
  for (int k = 0; k < data::kZeroPoints; ++k) {
    const QString name = QStringLiteral("G%1").arg(54 + k);
    auto* label = new QLabel(name, this);
    label->setObjectName(name);
    label->setPalette(red);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(4, kTableY + frame + kHeadingHeight + k * kRowHeight, kTableX - 10, kRowHeight);
    Labels[static_cast<std::size_t>(k)] = label;
  }

  auto button = [this](const char* name, const char* caption, const char* hint, int y) {
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(QString::fromUtf8(hint));
    b->setGeometry(318, y, 73, 26);
    b->setAutoDefault(false);
    return b;
  };
  SpeichernBtn = button("SpeichernBtn", "Speichern", "", 8);
  SpeichernBtn->setDefault(true);
  InitBtn = button("InitBtn", "&Initialisir.", "Alles auf NULL setzen", 40);
  AbbruchBtn = button("AbbruchBtn", "&Abbruch", "", 72);
}

void TForm4::FormActivate() {
  Tabelle->CancelEdit();
  model_->Refresh();
  const int rows = ZeroPointRowsFor(files_.controllerType, model_->rowCount());
  model_->SetRows(rows);
  for (int k = 0; k < data::kZeroPoints; ++k) Labels[static_cast<std::size_t>(k)]->setEnabled(k < rows);
  if (rows == 0) return;
  const QModelIndex first = model_->index(0, 0);
  Tabelle->setCurrentIndex(first);
  Tabelle->edit(first);
}

void TForm4::SpeichernBtnClick() {
  Tabelle->CommitEdit();
  if (data::WriteZeroPoints(record_, files_.directory, files_.controllerType, files_.dialogs)) {
    accept();
  }
}

void TForm4::InitBtnClick() {
  data::ClearZeroPoints(record_);
  Tabelle->CancelEdit();
  model_->Refresh();
}

void TForm4::AbbruchBtnClick() {
  // Leaving by the mouse commits the edit through the focus change; the
  // keyboard shortcut must give the same result.
  Tabelle->CommitEdit();
  reject();
}

}  // namespace ui
