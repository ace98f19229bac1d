#include "ui/dialogs/tool_dialog.h"

#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <optional>
#include <string>

#include "data/files.h"
#include "data/tool_table.h"
#include "ui/component_names.h"
#include "ui/dialogs/mask_table.h"
#include "ui/path_view/picture_button.h"
#include "ui/platform/qt_text.h"

namespace ui {
namespace {

constexpr int kDataRows = data::kToolRecords - 1;  // tools 1..99
constexpr int kLengthColumn = 1;
constexpr int kRadiusColumn = 2;
constexpr int kNumberWidth = 26;
constexpr QRect kTableRect(8, 8, 221, 372);
constexpr QSize kPictureSize(143, 145);

// Row r shows tool r + 1: its number, then the fields of its record.
class ToolTableModel : public MaskTableModel {
 public:
  ToolTableModel(data::ToolTable& tools, QObject* parent)
      : MaskTableModel({QStringLiteral("Nr."), QStringLiteral("Längenkorrektur"), QStringLiteral("Radiuskorrektur")},
                       parent),
        tools_(tools) {}

  int rowCount(const QModelIndex& parent = QModelIndex()) const override { return parent.isValid() ? 0 : kDataRows; }

 protected:
  long double* Cell(int row, int column) const override {
    if (row < 0 || row >= kDataRows) return nullptr;
    data::ToolRecord& record = tools_[static_cast<std::size_t>(row + 1)];
    if (column == kLengthColumn) return &record.lengthCorrection;
    if (column == kRadiusColumn) return &record.radiusCorrection;
    return nullptr;
  }
  QString FixedText(int row, int) const override { return QString::number(row + 1); }

 private:
  data::ToolTable& tools_;
};

QString FromNative(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace

ToolDialog::ToolDialog(data::ToolTable& tools, data::DataFileLocation files, QWidget* parent)
    : QDialog(parent), tools_(tools), files_(files) {
  CreateComponents();
  connect(saveButton_, &QPushButton::clicked, this, &ToolDialog::OnSave);
  connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
  connect(clearButton_, &QPushButton::clicked, this, &ToolDialog::OnClear);
  connect(showPictureButton_, &QPushButton::clicked, this, &ToolDialog::OnShowPicture);
  connect(picture_, &PictureButton::clicked, picture_, &QWidget::hide);
  connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) currentToolRow_ = current.row() + 1;
          });
}

void ToolDialog::CreateComponents() {
  const ToolDialogNames& names = kToolDialogNames;
  SetUpDataDialog(*this, names.window, "Werkzeugdaten", QSize(237, 444));

  table_ = Named(new MaskTable(this), names.table);
  table_->setGeometry(kTableRect);
  model_ = new ToolTableModel(tools_, this);
  table_->setModel(model_);
  table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The two value columns share what the number column and the scroll bar leave.
  const int valueWidths = table_->width() - 2 * table_->frameWidth() -
                          table_->verticalScrollBar()->sizeHint().width() - kNumberWidth;
  table_->SetGeometry(22, 20, {kNumberWidth, valueWidths / 2, valueWidths / 2});
  QFont heading = font();
  heading.setPixelSize(10);
  table_->horizontalHeader()->setFont(heading);

  auto button = [this](const char* name, const char* caption, const char* hint, QRect geometry) {
    auto* b = Named(new QPushButton(QString::fromUtf8(caption), this), name);
    b->setToolTip(QString::fromUtf8(hint));
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    return b;
  };
  saveButton_ = button(names.saveButton, "Speichern", "Speichen und beenden", {8, 386, 106, 25});
  saveButton_->setDefault(true);
  cancelButton_ = button(names.cancelButton, "&Abbruch", "", {123, 386, 106, 25});
  clearButton_ = button(names.clearButton, "&Initial.", "Alles auf Null setzen", {8, 414, 106, 25});
  showPictureButton_ = button(names.showPictureButton, "&Zeigen", "Werkzeugform zeigen", {123, 414, 106, 25});

  picture_ = Named(new PictureButton(this), names.picture);
  picture_->setToolTip(QStringLiteral("Werkzeugform"));
  QRect place(QPoint(), kPictureSize);
  place.moveCenter(kTableRect.center());
  picture_->setGeometry(place);
  picture_->setFrameStyle(QFrame::Panel | QFrame::Raised);
  picture_->setAutoFillBackground(true);
  picture_->setWordWrap(true);
  picture_->hide();
}

void ToolDialog::PrepareToShow() {
  table_->CommitEdit();
  model_->Refresh();
  picture_->hide();
  table_->setCurrentIndex(model_->index(0, kLengthColumn));
  table_->scrollToTop();
  currentToolRow_ = 1;
}

void ToolDialog::OnSave() {
  table_->CommitEdit();
  if (data::WriteToolTable(tools_, files_.directory, files_.controllerType, files_.dialogs)) accept();
}

void ToolDialog::OnClear() {
  // The edit in progress goes in first, as leaving the table would do, so
  // that nothing typed survives the clearing.
  table_->CommitEdit();
  data::ClearToolTable(tools_);
  model_->Refresh();
}

void ToolDialog::OnShowPicture() {
  const std::string toolPicture = data::ToolPictureName(currentToolRow_);
  std::optional<std::string> path = data::FindFileNoCase(files_.directory, toolPicture);
  if (!path) path = data::FindFileNoCase(files_.directory, data::kNoPictureName);

  QImage image;
  if (!path) {
    picture_->setText(QStringLiteral("Kein Bild vorhanden:\n%1 und %2 fehlen")
                          .arg(ToQt(toolPicture), QString::fromLatin1(data::kNoPictureName)));
  } else if (!image.load(FromNative(*path), "BMP")) {
    picture_->setText(QStringLiteral("Bild nicht lesbar:\n%1").arg(FromNative(data::FileNamePart(*path))));
  } else {
    picture_->setPixmap(QPixmap::fromImage(image));
  }
  picture_->show();
  picture_->raise();
}

}  // namespace ui
