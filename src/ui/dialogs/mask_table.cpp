#include "ui/dialogs/mask_table.h"

#include <QColor>
#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <charconv>
#include <cmath>

namespace ui {

void SetUpDataDialog(QDialog& dialog, const char* name, const char* caption, QSize size) {
  dialog.setObjectName(QString::fromLatin1(name));
  dialog.setWindowTitle(QString::fromUtf8(caption));
  dialog.setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  dialog.setFixedSize(size);
  QFont small = dialog.font();  // the headings must fit their columns
  small.setPixelSize(11);
  dialog.setFont(small);
}
namespace {

// Sign, integer digits, decimal point and decimals of "####.###".
const char kMaskPattern[] = "([+-]?)([0-9]{0,4})(?:[.,]([0-9]{0,3}))?";
constexpr long double kMaskLimit = 9999.9995L;  // the smallest value that rounds past the mask
const QColor kFixedCellColour(212, 208, 200);

// Text of to_chars output; to_chars ignores the locale, unlike printf.
template <typename... Format>
QString ToText(long double value, Format... format) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format...);
  if (result.ec != std::errc()) return QStringLiteral("?");
  return QString::fromLatin1(buffer, static_cast<qsizetype>(result.ptr - buffer));
}

// The cell editor: a line edit that refuses what the mask does not allow.
// Enter commits like Tab; an editor left untouched writes nothing, so a
// value with more decimals than shown, or one beyond the mask, survives
// being stepped through.
class MaskDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const QRegularExpression mask(QString::fromLatin1(kMaskPattern));
    edit->setValidator(new QRegularExpressionValidator(mask, edit));
    return edit;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    auto* edit = static_cast<QLineEdit*>(editor);
    edit->setText(index.data(Qt::EditRole).toString());
    edit->selectAll();
  }

  void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
    auto* edit = static_cast<QLineEdit*>(editor);
    if (edit->isModified()) model->setData(index, edit->text(), Qt::EditRole);
  }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor != nullptr && event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::EditNextItem);
        return true;
      }
    }
    return QStyledItemDelegate::eventFilter(object, event);
  }
};

}  // namespace

bool FitsMask(long double value) { return std::isfinite(value) && std::fabs(value) < kMaskLimit; }

QString FormatMaskValue(long double value) {
  if (!FitsMask(value)) return ToText(value, std::chars_format::general, 10);
  QString text = ToText(value, std::chars_format::fixed, 3);
  if (text == QStringLiteral("-0.000")) text.remove(0, 1);
  return text;
}

std::optional<long double> ParseMaskText(const QString& text) {
  static const QRegularExpression mask(QStringLiteral("^") + QString::fromLatin1(kMaskPattern) +
                                       QStringLiteral("$"));
  const QRegularExpressionMatch match = mask.match(text);
  if (!match.hasMatch()) return std::nullopt;
  // Counting in thousandths keeps the conversion exact: one division by
  // 1000, correctly rounded, gives the nearest extended value.
  long long thousandths = 0;
  for (const QChar digit : match.captured(2)) thousandths = thousandths * 10 + digit.digitValue();
  const QString decimals = match.captured(3).leftJustified(3, QLatin1Char('0'));
  for (const QChar digit : decimals) thousandths = thousandths * 10 + digit.digitValue();
  if (thousandths == 0) return 0.0L;
  const long double value = static_cast<long double>(thousandths) / 1000.0L;
  return match.captured(1) == QStringLiteral("-") ? -value : value;
}

MaskTableModel::MaskTableModel(QStringList headings, QObject* parent)
    : QAbstractTableModel(parent), headings_(std::move(headings)) {}

int MaskTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(headings_.size());
}

QString MaskTableModel::FixedText(int, int) const { return QString(); }

QVariant MaskTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return QVariant();
  const long double* field = Cell(index.row(), index.column());
  switch (role) {
    case Qt::DisplayRole:
      return field != nullptr ? FormatMaskValue(*field) : FixedText(index.row(), index.column());
    case Qt::EditRole:
      // A value beyond the mask cannot be edited in place: the editor starts empty.
      if (field == nullptr) return QVariant();
      return FitsMask(*field) ? FormatMaskValue(*field) : QString();
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::BackgroundRole:
      return field != nullptr ? QVariant() : QVariant(kFixedCellColour);
    case Qt::ForegroundRole:
      // Fixed cells are disabled so that Tab passes them; keep them readable.
      return field != nullptr ? QVariant() : QVariant(QColor(Qt::black));
    default:
      return QVariant();
  }
}

bool MaskTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  long double* field = Cell(index.row(), index.column());
  if (field == nullptr) return false;
  const std::optional<long double> parsed = ParseMaskText(value.toString());
  if (!parsed) return false;
  *field = *parsed;
  emit dataChanged(index, index);
  return true;
}

Qt::ItemFlags MaskTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid() || Cell(index.row(), index.column()) == nullptr) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

QVariant MaskTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal) return QVariant();
  if (role == Qt::DisplayRole) return headings_.value(section);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignCenter);
  return QVariant();
}

void MaskTableModel::Refresh() {
  if (rowCount() == 0 || columnCount() == 0) return;
  emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

MaskTable::MaskTable(QWidget* parent) : QTableView(parent) {
  setItemDelegate(new MaskDelegate(this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                  QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  setTabKeyNavigation(true);
  setWordWrap(false);
  setCornerButtonEnabled(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  verticalHeader()->hide();
  for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionsMovable(false);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setMinimumSectionSize(8);
  }
}

void MaskTable::SetGeometry(int headingHeight, int rowHeight, const QList<int>& columnWidths) {
  horizontalHeader()->setFixedHeight(headingHeight);
  verticalHeader()->setDefaultSectionSize(rowHeight);
  for (int column = 0; column < columnWidths.size(); ++column) setColumnWidth(column, columnWidths[column]);
}

QLineEdit* MaskTable::Editor() const {
  if (state() != QAbstractItemView::EditingState) return nullptr;
  return qobject_cast<QLineEdit*>(indexWidget(currentIndex()));
}

void MaskTable::CommitEdit() {
  if (QLineEdit* editor = Editor()) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

void MaskTable::CancelEdit() {
  if (QLineEdit* editor = Editor()) closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void MaskTable::keyPressEvent(QKeyEvent* event) {
  // Outside an edit Enter moves on like Tab instead of reaching the
  // dialog's default button.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    const QModelIndex next = moveCursor(QAbstractItemView::MoveNext, event->modifiers());
    if (next.isValid()) setCurrentIndex(next);
    event->accept();
    return;
  }
  QTableView::keyPressEvent(event);
}

}  // namespace ui
