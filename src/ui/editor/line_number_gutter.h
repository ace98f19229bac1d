// The strip of line numbers at the editor's left edge: right-aligned, muted,
// the cursor's line brighter. It sits in the editor's left viewport margin
// and paints only the lines in view.
#pragma once

#include <QWidget>

namespace ui {

class NcEditor;

class LineNumberGutter : public QWidget {
  Q_OBJECT
 public:
  explicit LineNumberGutter(NcEditor* editor);

  // The width that holds the numbers of lineCount lines (two digits at least).
  int WidthFor(int lineCount) const;
  QSize sizeHint() const override;

  static QColor NumberColour();
  static QColor CurrentNumberColour();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  NcEditor* editor_;
};

}  // namespace ui
