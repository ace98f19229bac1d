#include "ui/nc_highlighter.h"

#include <QColor>
#include <QFont>

namespace ui {
namespace {

struct Style {
  QColor colour;
  bool bold = false;
  bool italic = false;
};

// Colours for text on black; the plain text stays the editor's yellow.
Style StyleOf(NcWordKind kind) {
  switch (kind) {
    case NcWordKind::Motion: return {QColor(0, 230, 255), true};
    case NcWordKind::GCode: return {QColor(110, 170, 255)};
    case NcWordKind::MCode: return {QColor(255, 120, 230)};
    case NcWordKind::Coordinate: return {QColor(255, 255, 255)};
    case NcWordKind::Parameter: return {QColor(255, 165, 60)};
    case NcWordKind::JumpCall: return {QColor(255, 95, 95), true};
    case NcWordKind::BlockNumber: return {QColor(150, 150, 150)};
    case NcWordKind::Comment: return {QColor(90, 200, 90), false, true};
    case NcWordKind::BlockSkip: return {QColor(255, 60, 60), true};
    case NcWordKind::Header: return {QColor(120, 255, 120), true};
  }
  return {};
}

}  // namespace

QTextCharFormat NcHighlighter::FormatOf(NcWordKind kind) {
  const Style style = StyleOf(kind);
  QTextCharFormat format;
  format.setForeground(style.colour);
  if (style.bold) format.setFontWeight(QFont::Bold);
  if (style.italic) format.setFontItalic(true);
  return format;
}

NcHighlighter::NcHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
  for (std::size_t k = 0; k < formats_.size(); ++k) formats_[k] = FormatOf(NcWordKind(k));
}

void NcHighlighter::highlightBlock(const QString& text) {
  for (const NcSpan& span : ScanNcLine(text)) setFormat(span.start, span.length, formats_[std::size_t(span.kind)]);
}

}  // namespace ui
