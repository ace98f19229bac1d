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

Twerkzeug::Twerkzeug(data::ToolTable& tools, data::DataFileLocation files, QWidget* parent)
    : QDialog(parent), tools_(tools), files_(files) {
  CreateComponents();
  connect(SpeichernBtn, &QPushButton::clicked, this, &Twerkzeug::SpeichernBtnClick);
  connect(AbbruchBtn, &QPushButton::clicked, this, &QDialog::reject);
  connect(InitialBtn, &QPushButton::clicked, this, &Twerkzeug::InitialBtnClick);
  connect(ZeigenBtn, &QPushButton::clicked, this, &Twerkzeug::ZeigenBtnClick);
  connect(Bild, &PictureButton::clicked, Bild, &QWidget::hide);
  connect(Tabelle->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) currentToolRow_ = current.row() + 1;
          });
}

void Twerkzeug::CreateComponents() {
  SetUpDataDialog(*this, "werkzeug", "Werkzeugdaten", QSize(237, 444));

  Tabelle = new MaskTable(this);
  Tabelle->setObjectName(QStringLiteral("Tabelle"));
  Tabelle->setGeometry(kTableRect);
  model_ = new ToolTableModel(tools_, this);
  Tabelle->setModel(model_);
  Tabelle->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The two value columns share what the number column and the scroll bar leave.
  const int valueWidths = Tabelle->width() - 2 * Tabelle->frameWidth() -
                          Tabelle->verticalScrollBar()->sizeHint().width() - kNumberWidth;
  Tabelle->SetGeometry(22, 20, {kNumberWidth, valueWidths / 2, valueWidths / 2});
  QFont heading = font();
  heading.setPixelSize(10);
  Tabelle->horizontalHeader()->setFont(heading);

  auto button = [this](const char* name, const char* caption, const char* hint, QRect geometry) {
    auto* b = new QPushButton(QString::fromUtf8(caption), this);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolTip(QString::fromUtf8(hint));
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    return b;
  };
  SpeichernBtn = button("SpeichernBtn", "Speichern", "Speichen und beenden", {8, 386, 106, 25});
  SpeichernBtn->setDefault(true);
  AbbruchBtn = button("AbbruchBtn", "&Abbruch", "", {123, 386, 106, 25});
  InitialBtn = button("InitialBtn", "&Initial.", "Alles auf Null setzen", {8, 414, 106, 25});
  ZeigenBtn = button("ZeigenBtn", "&Zeigen", "Werkzeugform zeigen", {123, 414, 106, 25});

  Bild = new PictureButton(this);
  Bild->setObjectName(QStringLiteral("Bild"));
  Bild->setToolTip(QStringLiteral("Werkzeugform"));
  QRect picture(QPoint(), kPictureSize);
  picture.moveCenter(kTableRect.center());
  Bild->setGeometry(picture);
  Bild->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Bild->setAutoFillBackground(true);
  Bild->setWordWrap(true);
  Bild->hide();
}

void Twerkzeug::FormShow() {
  Tabelle->CommitEdit();
  model_->Refresh();
  Bild->hide();
  Tabelle->setCurrentIndex(model_->index(0, kLengthColumn));
  Tabelle->scrollToTop();
  currentToolRow_ = 1;
}

void Twerkzeug::SpeichernBtnClick() {
  Tabelle->CommitEdit();
  if (data::WriteToolTable(tools_, files_.directory, files_.controllerType, files_.dialogs)) accept();
}

void Twerkzeug::InitialBtnClick() {
  // The edit in progress goes in first, as leaving the table would do, so
  // that nothing typed survives the clearing.
  Tabelle->CommitEdit();
  data::ClearToolTable(tools_);
  model_->Refresh();
}

void Twerkzeug::ZeigenBtnClick() {
  const std::string toolPicture = data::ToolPictureName(currentToolRow_);
  std::optional<std::string> path = data::FindFileNoCase(files_.directory, toolPicture);
  if (!path) path = data::FindFileNoCase(files_.directory, data::kNoPictureName);

  QImage image;
  if (!path) {
    Bild->setText(QStringLiteral("Kein Bild vorhanden:\n%1 und %2 fehlen")
                      .arg(ToQt(toolPicture), QString::fromLatin1(data::kNoPictureName)));
  } else if (!image.load(FromNative(*path), "BMP")) {
    Bild->setText(QStringLiteral("Bild nicht lesbar:\n%1").arg(FromNative(data::FileNamePart(*path))));
  } else {
    Bild->setPixmap(QPixmap::fromImage(image));
  }
  Bild->show();
  Bild->raise();
}

}  // namespace ui
