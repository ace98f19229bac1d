// A picture that acts as a button (the start and end pictures), and the
// two pictures themselves, drawn by the program. It takes the focus by Tab
// or click, shows it with a frame, and Return, Enter or Space click it.
#pragma once

#include <QLabel>
#include <QPixmap>

namespace ui {

class PictureButton : public QLabel {
  Q_OBJECT
 public:
  explicit PictureButton(QWidget* parent = nullptr);
 signals:
  void clicked();
 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

// The start picture (enters the working state), w x h pixels.
QPixmap StartPicture(int w, int h);
// The end picture (returns to the idle state), w x h pixels.
QPixmap EndPicture(int w, int h);

}  // namespace ui
