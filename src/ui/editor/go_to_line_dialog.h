// The dialog "Gehe zu Zeile" of the editor (Ctrl+G): a line number from 1 to
// the program's line count, OK or Abbrechen.
#pragma once

#include <QDialog>

class QSpinBox;

namespace ui {

class GoToLineDialog : public QDialog {
  Q_OBJECT
 public:
  // The field starts at currentLine, selected to be typed over.
  GoToLineDialog(int lineCount, int currentLine, QWidget* parent = nullptr);

  int Line() const;

 private:
  QSpinBox* line_ = nullptr;
};

}  // namespace ui
