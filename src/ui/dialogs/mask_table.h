// Tables of numeric cells with the picture mask "####.###" (optional sign,
// up to four integer digits, three decimals) that edit extended values in
// place: the text rules of the mask, an item model over the caller's
// fields, and the table view both data dialogs use.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QTableView>
#include <optional>

class QDialog;
class QLineEdit;

namespace ui {

// The common frame of the data dialogs: name, caption, fixed size, a fixed
// dialog border and a font small enough for the column headings.
void SetUpDataDialog(QDialog& dialog, const char* name, const char* caption, QSize size);

// True when the value, rounded to three decimals, fits the mask.
bool FitsMask(long double value);

// The text shown for a value: three decimals when it fits the mask;
// otherwise a general form ("123456.7", "1e+300", "inf", "nan"), so that
// any value read from a file is shown without being changed.
QString FormatMaskValue(long double value);

// The value of a text the mask accepts ('.' or ',' as decimal point);
// empty, a lone sign or a lone point mean 0. nullopt for any other text.
std::optional<long double> ParseMaskText(const QString& text);

// A model whose value cells are fields owned by someone else: reading shows
// the field, a committed edit writes it at once.
class MaskTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  MaskTableModel(QStringList headings, QObject* parent);

  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Tells the views that the fields changed behind the model's back.
  void Refresh();

 protected:
  // The field of a value cell, nullptr for a fixed text cell.
  virtual long double* Cell(int row, int column) const = 0;
  // The text of a fixed cell.
  virtual QString FixedText(int row, int column) const;

 private:
  QStringList headings_;
};

// A table with a locked heading row and fixed rows and columns; its editor
// takes only what the mask allows. Tab and Enter commit the edit and move to
// the next value cell; leaving the table commits it as well.
class MaskTable : public QTableView {
  Q_OBJECT
 public:
  explicit MaskTable(QWidget* parent = nullptr);

  // Sizes of the heading row, the data rows and each column, in pixels.
  void SetGeometry(int headingHeight, int rowHeight, const QList<int>& columnWidths);

  // The editor of the current cell, nullptr when no edit is in progress.
  QLineEdit* Editor() const;
  // Writes the edit in progress into its field and closes the editor.
  void CommitEdit();
  // Closes the editor and drops what was typed.
  void CancelEdit();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace ui
