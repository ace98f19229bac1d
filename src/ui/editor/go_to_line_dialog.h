// The dialog "Gehe zu Zeile" of the editor (Ctrl+G): a line number from 1 to
// the program's line count, OK or Abbrechen.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

namespace ui {

class GoToLineDialog : public QDialog {
  Q_OBJECT
 public:
  // The field starts at currentLine, selected to be typed over.
  GoToLineDialog(int lineCount, int currentLine, QWidget* parent = nullptr);

  int Line() const;

  // Components (objectName = the member's name).
  QLabel* Label1 = nullptr;
  QSpinBox* Zeile = nullptr;
  QPushButton* OKBtn = nullptr;
  QPushButton* CancelBtn = nullptr;
};

}  // namespace ui
