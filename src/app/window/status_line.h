// The main window's status line "Meldung": a label that shows its whole
// text, wrapped at word boundaries and, for a word longer than the line
// (a path), anywhere; its height for a width is what the text needs.
#pragma once

#include <QLabel>

namespace app {

class StatusLine : public QLabel {
 public:
  explicit StatusLine(QWidget* parent);

  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace app
