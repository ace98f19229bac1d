// The program editor: typed a to z become A to Z, a typed character that
// would make its line longer than 256 characters is refused, and a click
// is reported (the main window re-checks its draw command then).
#pragma once

#include <QPlainTextEdit>

namespace ui {

inline constexpr int kEditorLineLimit = 256;

class NcEditor : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit NcEditor(QWidget* parent = nullptr);

  // The editor's lines as the program file holds them.
  QStringList Lines() const;
  int LineCount() const;

 signals:
  void clicked();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace ui
