// The editor's search dialog "Suchen" (Ctrl+F): a search text, a switch for
// matching letter case (off: case-insensitive), "Weitersuchen" to find the
// next occurrence and a status line that tells a wrap or a miss.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace ui {

enum class FindResult {
  Found,
  FoundAfterWrap,  // found only by going on from the program's start
  NotFound,
};

class FindDialog : public QDialog {
  Q_OBJECT
 public:
  // Starts with the last search's text (selected) and letter-case switch.
  FindDialog(const QString& text, bool caseSensitive, QWidget* parent = nullptr);

  // Shows what the last search gave in the status line.
  void ShowResult(FindResult result);

 signals:
  // "Weitersuchen" pressed with a non-empty text.
  void findNext(const QString& text, bool caseSensitive);

 private:
  QLineEdit* text_ = nullptr;
  QCheckBox* matchCase_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace ui
