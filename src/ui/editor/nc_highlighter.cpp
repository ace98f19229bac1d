#include "ui/editor/nc_highlighter.h"

#include <QColor>
#include <QFont>
#include <QTextDocument>
#include <QTextLayout>

namespace ui {
namespace {

// A block's user state says whether its formats fit its text.
constexpr int kColoured = 1;
constexpr int kUncoloured = -1;

// An edit touching at most this many lines recolours them at once (typing,
// pasting a few lines); a larger one (loading) leaves them to be coloured
// when shown.
constexpr int kRecolourAtOnce = 200;

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

NcHighlighter::NcHighlighter(QTextDocument* document) : QObject(document), document_(document) {
  for (std::size_t k = 0; k < formats_.size(); ++k) formats_[k] = FormatOf(NcWordKind(k));
  connect(document_, &QTextDocument::contentsChange, this,
          [this](int position, int, int added) { ContentsChanged(position, added); });
}

bool NcHighlighter::IsColoured(const QTextBlock& block) const { return block.userState() == kColoured; }

void NcHighlighter::Colour(const QTextBlock& block) {
  if (block.isValid() && !IsColoured(block)) Recolour(block);
}

void NcHighlighter::Recolour(const QTextBlock& block) {
  QList<QTextLayout::FormatRange> ranges;
  for (const NcSpan& span : ScanNcLine(block.text())) {
    ranges.append({span.start, span.length, formats_[std::size_t(span.kind)]});
  }
  QTextBlock target = block;
  target.setUserState(kColoured);
  recolouring_ = true;
  // Only the layout changes: the text, its undo history and the modified
  // mark stay as they are.
  target.layout()->setFormats(ranges);
  document_->markContentsDirty(block.position(), block.length());
  recolouring_ = false;
}

void NcHighlighter::ContentsChanged(int position, int added) {
  // Recolouring marks the layout dirty, which may come back here.
  if (recolouring_) return;
  const QTextBlock first = document_->findBlock(position);
  QTextBlock last = document_->findBlock(std::max(position, position + added - 1));
  if (!last.isValid()) last = document_->lastBlock();
  const bool atOnce = last.blockNumber() - first.blockNumber() < kRecolourAtOnce;
  for (QTextBlock b = first; b.isValid(); b = b.next()) {
    if (atOnce) {
      Recolour(b);
    } else {
      b.setUserState(kUncoloured);
    }
    if (b == last) break;
  }
}

}  // namespace ui
