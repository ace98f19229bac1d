#include "window/path_link.h"

#include <QTextBlock>
#include <QTextCursor>

#include "data/program_text.h"
#include "draw/picture/surface.h"
#include "ui/editor/nc_editor.h"
#include "ui/platform/qt_text.h"
#include "workstation/block_origin.h"

namespace app {
namespace {

constexpr double kPicturePixels = 4.0;  // how near a click on the picture must be

}  // namespace

PathLink::PathLink(rur::Workstation& ws, ui::NcEditor& editor, QObject* parent)
    : QObject(parent), ws_(ws), editor_(editor) {
  connect(&editor_, &QPlainTextEdit::cursorPositionChanged, this, &PathLink::highlightChanged);
  // An edit shifts the lines: the map no longer fits the drawing.
  connect(&editor_, &QPlainTextEdit::textChanged, this, [this] {
    if (!map_.Valid()) return;
    map_ = rur::EditorLineMap();
    emit highlightChanged();
  });
}

void PathLink::Rebuild(const QStringList& drawnLines) {
  viewIndex_ = draw::PathIndex(ws_.blockStore(), {.includeRapids = true});
  pictureIndex_ = draw::PathIndex(ws_.blockStore());
  lineIndex_ = draw::PathLineIndex(ws_.blockStore());
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(drawnLines.size()));
  for (const QString& line : drawnLines) lines.push_back(ui::FromQt(line));
  map_ = rur::EditorLineMap(ws_.listing(), ws_.subprograms(), data::ProgramText(lines));
  pixelScale_ = draw::PixelScale(ws_.raster(), ws_.settings().workAreaX, ws_.settings().workAreaY);
  pictureHeight_ = ws_.raster().height();
  linked_ = true;
  emit highlightChanged();
}

void PathLink::Clear() {
  map_ = rur::EditorLineMap();
  ClearPath();
}

void PathLink::ClearPath() {
  viewIndex_ = pictureIndex_ = draw::PathIndex();
  lineIndex_ = draw::PathLineIndex();
  linked_ = false;
  emit highlightChanged();
}

std::optional<std::int32_t> PathLink::HitInView(draw::PathPoint point, double tolerance) const {
  if (!linked_) return std::nullopt;
  const auto hit = viewIndex_.Nearest(point, tolerance);
  return hit ? std::optional(hit->position) : std::nullopt;
}

std::optional<std::int32_t> PathLink::HitOnPicture(QPoint pixel) const {
  if (!linked_ || !(pixelScale_ > 0.0L)) return std::nullopt;
  const double k = static_cast<double>(pixelScale_);
  const draw::PathPoint point{pixel.x() / k, (pictureHeight_ - pixel.y()) / k};
  const auto hit = pictureIndex_.Nearest(point, kPicturePixels / k);
  return hit ? std::optional(hit->position) : std::nullopt;
}

QString PathLink::Select(std::int32_t position) {
  const rur::BlockOrigin origin = rur::OriginOfBlock(ws_.blockStore(), ws_.subprograms(), map_, position);
  SelectEditorLine(origin.editorLine);
  return ui::ToQt(rur::DescribeOrigin(origin));
}

QString PathLink::ShowPlace(const rur::ListingPlace& place) {
  const rur::BlockOrigin origin = rur::OriginOfPlace(ws_.subprograms(), map_, place);
  SelectEditorLine(origin.editorLine);
  return ui::ToQt(rur::DescribeOrigin(origin));
}

void PathLink::SelectEditorLine(std::int32_t editorLine) {
  const QTextBlock line = editor_.document()->findBlockByNumber(editorLine);
  if (editorLine < 0 || !line.isValid()) return;
  QTextCursor cursor(line);
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  editor_.setTextCursor(cursor);
  editor_.ensureCursorVisible();
}

std::vector<std::int32_t> PathLink::BlocksAtEditorCursor() const {
  if (!linked_ || !map_.Valid()) return {};
  const QTextCursor cursor = editor_.textCursor();
  const QTextDocument* document = editor_.document();
  const int first = document->findBlock(cursor.selectionStart()).blockNumber();
  const int last = document->findBlock(cursor.selectionEnd()).blockNumber();
  const rur::ListingLineRange lines = map_.ListingLinesOf(first, last);
  if (lines.Empty()) return {};
  return lineIndex_.BlocksOfListingLines(0, lines.first, lines.last);
}

}  // namespace app
