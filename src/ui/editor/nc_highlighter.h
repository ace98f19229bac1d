// Colours the words of an NC program in the editor, in colours that read on
// the editor's black background. A line is coloured when it is first shown
// or when it is edited on screen, so loading a long program costs nothing
// here and typing recolours only the line typed in.
#pragma once

#include <QObject>
#include <QTextBlock>
#include <QTextCharFormat>
#include <array>

#include "ui/editor/nc_line_scan.h"

class QTextDocument;

namespace ui {

class NcHighlighter : public QObject {
  Q_OBJECT
 public:
  explicit NcHighlighter(QTextDocument* document);

  // The format a kind of range is drawn with.
  static QTextCharFormat FormatOf(NcWordKind kind);

  // Colours the block unless it is coloured already for its current text.
  void Colour(const QTextBlock& block);
  bool IsColoured(const QTextBlock& block) const;

 private:
  void ContentsChanged(int position, int added);
  void Recolour(const QTextBlock& block);

  QTextDocument* document_;
  bool recolouring_ = false;
  std::array<QTextCharFormat, int(NcWordKind::Header) + 1> formats_;
};

}  // namespace ui
