#include "ui/dialogs/zero_point_dialog.h"

#include <QLabel>
#include <QPalette>
#include <QPushButton>

#include "data/controllers.h"
#include "ui/component_names.h"
#include "ui/dialogs/mask_table.h"

namespace ui {
namespace {

constexpr int kHeadingHeight = 20;
constexpr int kRowHeight = 20;
constexpr int kColumnWidth = 88;
constexpr int kTableX = 44;
constexpr int kTableY = 8;
static_assert(kZeroPointDialogNames.rowLabels.size() == data::kZeroPoints);

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

ZeroPointDialog::ZeroPointDialog(data::ZeroPointRecord& record, data::DataFileLocation files, QWidget* parent)
    : QDialog(parent), record_(record), files_(files) {
  CreateComponents();
  connect(saveButton_, &QPushButton::clicked, this, &ZeroPointDialog::OnSave);
  connect(clearButton_, &QPushButton::clicked, this, &ZeroPointDialog::OnClear);
  connect(cancelButton_, &QPushButton::clicked, this, &ZeroPointDialog::OnCancel);
}

void ZeroPointDialog::CreateComponents() {
  const ZeroPointDialogNames& names = kZeroPointDialogNames;
  SetUpDataDialog(*this, names.window, "Nullpunktverschiebungen", QSize(399, 160));

  table_ = Named(new MaskTable(this), names.table);
  table_->setFrameStyle(QFrame::Box | QFrame::Plain);
  table_->setLineWidth(1);
  model_ = new ZeroPointModel(record_, this);
  table_->setModel(model_);
  table_->SetGeometry(kHeadingHeight, kRowHeight, {kColumnWidth, kColumnWidth, kColumnWidth});
  table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table_->setEditTriggers(QAbstractItemView::AllEditTriggers);  // the current cell is always being edited
  const int frame = table_->frameWidth();
  table_->setGeometry(kTableX, kTableY, 3 * kColumnWidth + 2 * frame,
                      kHeadingHeight + data::kZeroPoints * kRowHeight + 2 * frame);

  // Red while their row can be edited; the disabled colour otherwise.
  QPalette red = palette();
  red.setColor(QPalette::Active, QPalette::WindowText, Qt::red);
  red.setColor(QPalette::Inactive, QPalette::WindowText, Qt::red);
  for (std::size_t k = 0; k < rowLabels_.size(); ++k) {
    const char* name = names.rowLabels[k];
    auto* label = Named(new QLabel(QString::fromLatin1(name), this), name);
    label->setPalette(red);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(4, kTableY + frame + kHeadingHeight + static_cast<int>(k) * kRowHeight, kTableX - 10,
                       kRowHeight);
    rowLabels_[k] = label;
  }

  auto button = [this](const char* name, const char* caption, const char* hint, int y) {
    auto* b = Named(new QPushButton(QString::fromUtf8(caption), this), name);
    b->setToolTip(QString::fromUtf8(hint));
    b->setGeometry(318, y, 73, 26);
    b->setAutoDefault(false);
    return b;
  };
  saveButton_ = button(names.saveButton, "Speichern", "", 8);
  saveButton_->setDefault(true);
  clearButton_ = button(names.clearButton, "&Initialisir.", "Alles auf NULL setzen", 40);
  cancelButton_ = button(names.cancelButton, "&Abbruch", "", 72);
}

void ZeroPointDialog::PrepareToShow() {
  table_->CancelEdit();
  model_->Refresh();
  const int rows = ZeroPointRowsFor(files_.controllerType, model_->rowCount());
  model_->SetRows(rows);
  for (int k = 0; k < data::kZeroPoints; ++k) rowLabels_[static_cast<std::size_t>(k)]->setEnabled(k < rows);
  if (rows == 0) return;
  const QModelIndex first = model_->index(0, 0);
  table_->setCurrentIndex(first);
  table_->edit(first);
}

void ZeroPointDialog::OnSave() {
  table_->CommitEdit();
  if (data::WriteZeroPoints(record_, files_.directory, files_.controllerType, files_.dialogs)) {
    accept();
  }
}

void ZeroPointDialog::OnClear() {
  // Every zero point goes, also those the table does not show: asked first.
  if (!files_.dialogs.ConfirmDespite(kClearWarning, kClearQuestion)) return;
  data::ClearZeroPoints(record_);
  table_->CancelEdit();
  model_->Refresh();
}

void ZeroPointDialog::OnCancel() {
  // Leaving by the mouse commits the edit through the focus change; the
  // keyboard shortcut must give the same result.
  table_->CommitEdit();
  reject();
}

}  // namespace ui
