#include "ui/path_view/picture_button.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace ui {

PictureButton::PictureButton(QWidget* parent) : QLabel(parent) {
  setCursor(Qt::PointingHandCursor);
  setAlignment(Qt::AlignCenter);
  setFocusPolicy(Qt::StrongFocus);
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
}

void PictureButton::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (plain && !event->isAutoRepeat() && (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
    emit clicked();
    return;
  }
  QLabel::keyPressEvent(event);
}

// The focus frame: a dashed yellow rectangle along the edge, seen on the
// navy window and on the pictures' white rings alike.
void PictureButton::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (!hasFocus()) return;
  QPainter p(this);
  p.setPen(QPen(Qt::yellow, 2, Qt::DashLine));
  p.drawRect(rect().adjusted(1, 1, -1, -1));
}

namespace {

// A round sign with a caption below it.
QPixmap Sign(int w, int h, const QColor& colour, const QString& caption,
             void (*symbol)(QPainter&, const QRectF&)) {
  QPixmap pixmap(w, h);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal d = qMin(w, h) * 0.68;
  const QRectF disc((w - d) / 2, 4, d, d);
  p.setPen(QPen(Qt::white, 3));
  p.setBrush(colour);
  p.drawEllipse(disc);
  symbol(p, disc);
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(15);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::white);
  p.drawText(QRectF(0, disc.bottom() + 2, w, h - disc.bottom() - 2), Qt::AlignCenter, caption);
  return pixmap;
}

void PlaySymbol(QPainter& p, const QRectF& r) {
  QPainterPath path;
  path.moveTo(r.left() + r.width() * 0.38, r.top() + r.height() * 0.28);
  path.lineTo(r.left() + r.width() * 0.74, r.center().y());
  path.lineTo(r.left() + r.width() * 0.38, r.top() + r.height() * 0.72);
  path.closeSubpath();
  p.fillPath(path, Qt::white);
}

void StopSymbol(QPainter& p, const QRectF& r) {
  const QRectF square(r.center().x() - r.width() * 0.2, r.center().y() - r.height() * 0.2,
                      r.width() * 0.4, r.height() * 0.4);
  p.fillRect(square, Qt::white);
}

}  // namespace

QPixmap StartPicture(int w, int h) {
  return Sign(w, h, QColor(0, 150, 60), QStringLiteral("Start"), PlaySymbol);
}

QPixmap EndPicture(int w, int h) {
  return Sign(w, h, QColor(200, 30, 30), QStringLiteral("Ende"), StopSymbol);
}

}  // namespace ui
