// The path view "Ansicht": the picture's drawing (or sent path) as
// vectors, with "Einpassen", the cursor's position, the rapid rate, the
// picked block and the path statistics; on request the compensated contour
// over the drawing and its depths in colour with their legend. Docked in
// the main window or floating beside it (the main window keeps where it
// is); remembers its choices per user.
#pragma once

#include <QDockWidget>
#include <cstdint>

#include "window/command_state.h"
#include "workstation/workstation.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;

namespace ui {
class DepthLegend;
class PathView;
}

namespace app {

class PathLink;

class ViewWindow : public QDockWidget {
  Q_OBJECT
 public:
  // A dock of the main window parent, hidden until opened. ws: the stores,
  // settings and zero point shown; link: the drawing's link to the editor,
  // which a block picked in the view moves.
  ViewWindow(const rur::Workstation& ws, PathLink& link, QWidget* parent);

  // Shows the view where it is, docked or floating, and brings it forward.
  void Open();

  // What the main window's picture shows now: the last drawing (clean:
  // without a message, so that its statistics count), the sent path with
  // percentSent of it sent, or nothing.
  void ShowDrawing(bool clean);
  void ShowSentPath(int percentSent);
  void ShowNothing();
  // While a drawing or a transfer runs a click picks nothing.
  void SetCommandState(CommandState state);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateComponents();
  void ShowStatistics();
  void Highlight();
  void ClickedInView(double x, double y, double tolerance);
  void RapidRateChanged(double rate);
  void ShowContour();
  void ShowDepths();
  // While the view is closed nothing of it is worked out: what the picture
  // shows is noted, and shown when the view opens.
  enum class Shown { kNothing, kDrawing, kSentPath };
  bool Deferred(Shown shown);
  void ShowDeferred();

  const rur::Workstation& ws_;
  PathLink& link_;
  bool showingSent_ = false;
  bool showingDrawing_ = false;
  bool drawingClean_ = false;
  bool commandRunning_ = false;
  bool deferred_ = false;  // a picture was noted while the view was closed
  Shown noted_ = Shown::kNothing;
  bool notedClean_ = false;
  int notedPercent_ = 0;

  // Components, by role (their names: ui::kViewWindowNames).
  ui::PathView* view_ = nullptr;
  QDoubleSpinBox* rapidRate_ = nullptr;  // mm/min
  QLabel* position_ = nullptr;           // the cursor's X and Y
  QLabel* pickedBlock_ = nullptr;
  QLabel* statistics_ = nullptr;  // lengths and times of the path

  // The compensated contour and the depth colours.
  QCheckBox* contourBox_ = nullptr;
  QLabel* contourNote_ = nullptr;  // why no contour shows
  QCheckBox* depthBox_ = nullptr;
  ui::DepthLegend* depthLegend_ = nullptr;
  data::BlockStore contour_{data::kMaxCompensatedBlocks};
};

}  // namespace app
