// The main window's room: its size, place and maximised state and the
// docked or floating path view, kept per user and restored on the next
// start; the first start opens at the minimum size in the middle of the
// screen. A saved place off every screen is moved onto one by Qt.
#include <QApplication>
#include <QScreen>
#include <QStyle>

#include "main_window.h"
#include "window/user_settings.h"
#include "window/view_placement.h"
#include "window/view_window.h"

namespace app {
namespace {

const char kGeometryKey[] = "Hauptfenster/Geometrie";
const char kStateKey[] = "Hauptfenster/Zustand";
const char kViewPlacedKey[] = "Hauptfenster/AnsichtPlatziert";
constexpr int kStateVersion = 1;
constexpr QSize kFloatingViewSize(800, 600);

QRect AvailableFor(const QWidget& window) {
  const QScreen* screen = window.screen();
  return screen != nullptr ? screen->availableGeometry() : QRect(QPoint(0, 0), window.size());
}

}  // namespace

void MainWindow::RestoreRoom() {
  addDockWidget(Qt::RightDockWidgetArea, viewWindow_);
  viewWindow_->hide();
  const QSettings settings = UserSettings();
  viewPlaced_ = settings.value(QLatin1String(kViewPlacedKey), false).toBool();
  if (restoreGeometry(settings.value(QLatin1String(kGeometryKey)).toByteArray())) {
    restoreState(settings.value(QLatin1String(kStateKey)).toByteArray(), kStateVersion);
    return;
  }
  resize(minimumSizeHint());
  move(AvailableFor(*this).center() - rect().center());
}

void MainWindow::SaveRoom() {
  QSettings settings = UserSettings();
  settings.setValue(QLatin1String(kGeometryKey), saveGeometry());
  settings.setValue(QLatin1String(kStateKey), saveState(kStateVersion));
  settings.setValue(QLatin1String(kViewPlacedKey), viewPlaced_);
}

void MainWindow::OpenView() {
  if (!viewPlaced_) PlaceViewFirstTime();
  viewWindow_->Open();
}

void MainWindow::PlaceViewFirstTime() {
  viewPlaced_ = true;
  const QRect available = AvailableFor(*this);
  const int separator = style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent, nullptr, this);
  const ViewPlacement place = PlaceViewFirst({available.width(), width(), frameGeometry().width() - width(),
                                              isMaximized() || isFullScreen(), centralWidget()->minimumSizeHint().width(),
                                              viewWindow_->minimumSizeHint().width() + separator});
  if (!place.docked) {
    viewWindow_->setFloating(true);
    viewWindow_->resize(kFloatingViewSize.boundedTo(available.size()));
    viewWindow_->move(available.center() - viewWindow_->rect().center());
    return;
  }
  if (place.windowWidth != width()) {
    resize(place.windowWidth, height());
    // Widened past the screen's right edge: moved back onto it.
    const int over = frameGeometry().right() - available.right();
    if (over > 0) move(std::max(available.left(), x() - over), y());
  }
  viewWindow_->show();
  resizeDocks({viewWindow_}, {place.viewWidth}, Qt::Horizontal);
}

}  // namespace app
