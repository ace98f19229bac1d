#include "ui/path_view/depth_legend.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

#include "ui/path_view/path_view.h"
#include "ui/platform/qt_text.h"
#include "workstation/work_area_hint.h"

namespace ui {
namespace {

constexpr int kBarWidth = 16;
constexpr int kGap = 4;

}  // namespace

DepthLegend::DepthLegend(QWidget* parent) : QWidget(parent) {
  setMinimumWidth(kBarWidth + 2 * kGap);
  setToolTip(QStringLiteral("Farben der Tiefe: oben die h\u00F6chste, unten die tiefste Z-Lage der Bahn"));
}

void DepthLegend::SetRange(const std::optional<draw::DepthRange>& range) {
  top_ = range ? QStringLiteral("Z ") + ToQt(rur::Millimetres(range->top)) : QString();
  bottom_ = range ? QStringLiteral("Z ") + ToQt(rur::Millimetres(range->bottom)) : QString();
  singleDepth_ = range && !(range->top > range->bottom);
  setMinimumWidth(sizeHint().width());  // the figures are never cut
  update();
}

QSize DepthLegend::sizeHint() const {
  const QFontMetrics metrics(font());
  const int text = std::max(metrics.horizontalAdvance(top_), metrics.horizontalAdvance(bottom_));
  return {std::max(text, kBarWidth) + 2 * kGap, 120};
}

void DepthLegend::paintEvent(QPaintEvent*) {
  if (top_.isEmpty()) return;
  QPainter painter(this);
  const QFontMetrics metrics(font());
  const int line = metrics.height();
  const QRect bar((width() - kBarWidth) / 2, line + kGap, kBarWidth, height() - 2 * (line + kGap));
  painter.drawText(QRect(0, 0, width(), line), Qt::AlignHCenter, top_);
  painter.drawText(QRect(0, height() - line, width(), line), Qt::AlignHCenter, bottom_);
  if (bar.height() <= 0) return;
  for (int y = 0; y < bar.height(); ++y) {
    const double share = singleDepth_ || bar.height() == 1 ? 0.0 : static_cast<double>(y) / (bar.height() - 1);
    painter.setPen(QColor::fromRgb(DepthColour(share)));
    painter.drawLine(bar.left(), bar.top() + y, bar.right(), bar.top() + y);
  }
}

}  // namespace ui
