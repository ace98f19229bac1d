// A picture that acts as a button (the start and end pictures), and the
// two pictures themselves, drawn by the program.
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
};

// The start picture (enters the working state), w x h pixels.
QPixmap StartPicture(int w, int h);
// The end picture (returns to the idle state), w x h pixels.
QPixmap EndPicture(int w, int h);

}  // namespace ui
