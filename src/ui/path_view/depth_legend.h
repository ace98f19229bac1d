// The legend of the path view's depth colours: the colour scale from the
// highest Z of the path (at its top) to the lowest (at its bottom), with
// the two figures.
#pragma once

#include <QString>
#include <QWidget>
#include <optional>

#include "draw/path/extent.h"

namespace ui {

class DepthLegend : public QWidget {
  Q_OBJECT
 public:
  explicit DepthLegend(QWidget* parent = nullptr);

  // The range of the path shown; none leaves the legend empty. A path at
  // one Z shows that Z at both ends and one colour.
  void SetRange(const std::optional<draw::DepthRange>& range);
  // "Z" and the figure in mm, as shown at the top and the bottom.
  const QString& topText() const { return top_; }
  const QString& bottomText() const { return bottom_; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString top_, bottom_;
  bool singleDepth_ = false;
};

}  // namespace ui
