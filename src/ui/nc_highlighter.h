// Colours the words of an NC program in the editor, one line at a time, in
// colours that read on the editor's black background. Qt calls it for the
// changed lines only, so typing in a long program stays cheap.
#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <array>

#include "ui/nc_line_scan.h"

namespace ui {

class NcHighlighter : public QSyntaxHighlighter {
  Q_OBJECT
 public:
  explicit NcHighlighter(QTextDocument* document);

  // The format a kind of range is drawn with.
  static QTextCharFormat FormatOf(NcWordKind kind);

 protected:
  void highlightBlock(const QString& text) override;

 private:
  std::array<QTextCharFormat, int(NcWordKind::Header) + 1> formats_;
};

}  // namespace ui
