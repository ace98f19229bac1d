// The link between the drawn path and the editor, both ways: a block
// picked on the path view or on the work-area picture moves the editor to
// the line that made it and is named in a status line; the editor's
// cursor lines light up the blocks made from them.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

#include "draw/path/geometry.h"
#include "draw/path/index.h"
#include "draw/path/line_index.h"
#include "workstation/editor_line_map.h"
#include "workstation/workstation.h"

namespace ui {
class NcEditor;
}

namespace app {

class PathLink : public QObject {
  Q_OBJECT
 public:
  PathLink(rur::Workstation& ws, ui::NcEditor& editor, QObject* parent = nullptr);

  // After a drawing: indexes ws.blockStore and maps the listing lines of
  // the main program to the lines of the drawn editor text.
  void Rebuild(const QStringList& drawnLines);
  // No drawing to link (a new program).
  void Clear();
  // No drawing to link (a transfer's picture), but the listing is still
  // the drawing's: its lines stay mapped to the editor for ShowPlace.
  void ClearPath();
  bool Linked() const { return linked_; }

  // The block nearest to a point of the view (rapid moves count), within
  // tolerance mm.
  std::optional<std::int32_t> HitInView(draw::PathPoint point, double tolerance) const;
  // The block drawn nearest to a pixel of the work-area picture (rapid
  // moves are not drawn there), within a few pixels.
  std::optional<std::int32_t> HitOnPicture(QPoint pixel) const;

  // Names the block ("Satz 17: %201, Zeile 5"); a block of the main program
  // in the editor moves the editor's cursor to its line and selects it.
  QString Select(std::int32_t position);
  // Names a listing line as Select names a block ("Fehler in %201, Zeile
  // 5" without a position); a line of the main program in the editor moves
  // the editor's cursor there and selects it.
  QString ShowPlace(const rur::ListingPlace& place);

  // The blocks made from the editor lines under the cursor or selection.
  std::vector<std::int32_t> BlocksAtEditorCursor() const;

 signals:
  // The blocks of the editor's cursor lines changed (also to none).
  void highlightChanged();

 private:
  rur::Workstation& ws_;
  ui::NcEditor& editor_;
  draw::PathIndex viewIndex_;     // rapid moves included
  draw::PathIndex pictureIndex_;  // as the picture draws
  draw::PathLineIndex lineIndex_;
  rur::EditorLineMap map_;
  long double pixelScale_ = 0.0L;  // of the picture when drawn
  int pictureHeight_ = 0;
  bool linked_ = false;

  void SelectEditorLine(std::int32_t editorLine);
};

}  // namespace app
