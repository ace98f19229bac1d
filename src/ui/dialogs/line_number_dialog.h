// The input dialog "Eingeben" of the error search: one field "Zeile:" for
// the block number shown on the controller's display, an integer of up to
// five digits. "Ab Satz senden" asks for its block number in one too.
#pragma once

#include <QDialog>
#include <optional>

#include "ui/component_names.h"

class QLineEdit;

namespace ui {

class LineNumberDialog : public QDialog {
  Q_OBJECT
 public:
  explicit LineNumberDialog(QWidget* parent = nullptr);
  // The dialog of "Ab Satz senden": its own names, title and label.
  LineNumberDialog(QWidget* parent, const LineNumberDialogNames& names, const QString& title, const QString& label);

  // Before each showing: the last number stays, selected, to be typed over.
  void PrepareToShow();
  // Before a showing: n stands in the field, selected.
  void Offer(int n);
  // The number entered; nullopt while the field holds no digit.
  std::optional<int> Number() const;

 private:
  QLineEdit* field_ = nullptr;
};

}  // namespace ui
