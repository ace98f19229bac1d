#include "window/status_line.h"

#include <QPainter>
#include <QTextLayout>
#include <cmath>

namespace app {
namespace {

// Lays text out in lines of `width` pixels and returns the height used.
qreal LayOut(QTextLayout& layout, qreal width) {
  QTextOption option(Qt::AlignLeft);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  qreal height = 0;
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    line.setPosition(QPointF(0, height));
    height += line.height();
  }
  layout.endLayout();
  return height;
}

// Line breaks of the text count as such (a text layout takes only U+2028).
QString WithLineSeparators(QString text) {
  text.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
  text.replace(QLatin1Char('\n'), QChar::LineSeparator);
  text.replace(QLatin1Char('\r'), QChar::LineSeparator);
  return text;
}

}  // namespace

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  QSizePolicy policy = sizePolicy();
  policy.setHeightForWidth(true);
  setSizePolicy(policy);
}

int StatusLine::heightForWidth(int width) const {
  QTextLayout layout(WithLineSeparators(text()), font());
  const QMargins margins = contentsMargins();
  const qreal height = LayOut(layout, width - margins.left() - margins.right());
  return static_cast<int>(std::ceil(height)) + margins.top() + margins.bottom();
}

// One line sits in the middle of the label, as a label shows it; lines
// that need more than its height start at its top.
void StatusLine::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  const QRect area = contentsRect();
  QTextLayout layout(WithLineSeparators(text()), font());
  const qreal height = LayOut(layout, area.width());
  const qreal top = area.top() + std::max<qreal>(0, (area.height() - height) / 2);
  QPainter painter(this);
  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
  layout.draw(&painter, QPointF(area.left(), top));
}

}  // namespace app
