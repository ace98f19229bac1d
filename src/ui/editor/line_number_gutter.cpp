#include "ui/editor/line_number_gutter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>

#include "ui/component_names.h"
#include "ui/editor/nc_editor.h"

namespace ui {
namespace {

constexpr int kLeftPadding = 4;
constexpr int kRightPadding = 6;
constexpr int kMinimumDigits = 2;

int DigitCount(int n) {
  int digits = 1;
  for (; n >= 10; n /= 10) ++digits;
  return digits;
}

}  // namespace

LineNumberGutter::LineNumberGutter(NcEditor* editor) : QWidget(editor), editor_(editor) {
  setObjectName(QString::fromLatin1(kGutterName));
}

QColor LineNumberGutter::NumberColour() { return {120, 120, 120}; }
QColor LineNumberGutter::CurrentNumberColour() { return {235, 235, 235}; }

int LineNumberGutter::WidthFor(int lineCount) const {
  const int digits = std::max(kMinimumDigits, DigitCount(lineCount));
  return kLeftPadding + digits * editor_->fontMetrics().horizontalAdvance(QLatin1Char('9')) + kRightPadding;
}

QSize LineNumberGutter::sizeHint() const { return {WidthFor(editor_->blockCount()), 0}; }

void LineNumberGutter::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), QColor(24, 24, 24));
  painter.setFont(editor_->font());
  const int current = editor_->textCursor().blockNumber();
  const int textWidth = width() - kRightPadding;
  const int lineHeight = editor_->fontMetrics().height();
  QTextBlock block = editor_->firstVisibleBlock();
  int top = qRound(editor_->blockBoundingGeometry(block).translated(editor_->contentOffset()).top());
  while (block.isValid() && top <= event->rect().bottom()) {
    const int bottom = top + qRound(editor_->blockBoundingRect(block).height());
    if (block.isVisible() && bottom >= event->rect().top()) {
      painter.setPen(block.blockNumber() == current ? CurrentNumberColour() : NumberColour());
      painter.drawText(0, top, textWidth, lineHeight, Qt::AlignRight | Qt::AlignVCenter,
                       QString::number(block.blockNumber() + 1));
    }
    block = block.next();
    top = bottom;
  }
}

}  // namespace ui
