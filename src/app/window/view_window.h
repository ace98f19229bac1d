// The path view window "Ansicht": the last drawing (or a transfer's sent
// path) as vectors, with "Einpassen", the cursor's position, the rapid rate
// and status lines for the picked block and the path statistics. Opened by
// a double click on the picture or F4; remembers its geometry per user.
#pragma once

#include <QWidget>
#include <cstdint>

#include "draw/path/statistics.h"

class QDoubleSpinBox;
class QLabel;
class QPushButton;

namespace ui {
class PathView;
}

namespace app {

class MainWindow;
class PathLink;

class ViewWindow : public QWidget {
  Q_OBJECT
 public:
  // A window of its own, owned by the main window, hidden until opened.
  explicit ViewWindow(MainWindow& main);
  // Keeps the geometry of a window still open when the program ends.
  ~ViewWindow() override;

  void Open();
  PathLink& link() { return *link_; }

  // Components (objectName = the member's name).
  ui::PathView* view = nullptr;
  QPushButton* einpassen = nullptr;
  QDoubleSpinBox* eilgang = nullptr;  // rapid rate, mm/min
  QLabel* position = nullptr;         // the cursor's X and Y
  QLabel* meldung = nullptr;          // the picked block
  QLabel* statistik = nullptr;        // lengths and times of the path

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void SaveGeometry();
  void CreateComponents();
  void ConnectMainWindow();
  void PictureShown();
  void ShowDrawing();
  void ShowSentPath();
  void ShowStatistics();
  void Highlight();
  void ClickedInView(double x, double y, double tolerance);
  void ClickedOnPicture(QPoint pixel);
  void RapidRateChanged(double rate);

  MainWindow& main_;
  PathLink* link_ = nullptr;
  bool geometryRestored_ = false;
  bool showingSent_ = false;
  bool drawingClean_ = false;
};

}  // namespace app
