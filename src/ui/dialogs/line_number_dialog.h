// The input dialog "Eingeben" of the error search: one field "Zeile:" for
// the block number shown on the controller's display, an integer of up to
// five digits.
#pragma once

#include <QDialog>
#include <optional>

class QLineEdit;

namespace ui {

class LineNumberDialog : public QDialog {
  Q_OBJECT
 public:
  explicit LineNumberDialog(QWidget* parent = nullptr);

  // Before each showing: the last number stays, selected, to be typed over.
  void PrepareToShow();
  // The number entered; nullopt while the field holds no digit.
  std::optional<int> Number() const;

 private:
  QLineEdit* field_ = nullptr;
};

}  // namespace ui
