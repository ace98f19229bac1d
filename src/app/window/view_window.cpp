#include "window/view_window.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QShortcut>
#include <QVBoxLayout>

#include "main_window.h"
#include "ui/editor/nc_editor.h"
#include "ui/path_view/path_view.h"
#include "window/path_link.h"

namespace app {
namespace {

constexpr double kDefaultRapidRate = 2000.0;  // mm/min
const char kGeometryKey[] = "Ansicht/Geometrie";
const char kRapidRateKey[] = "Ansicht/Eilgang";

QSettings UserSettings() { return QSettings(QStringLiteral("RUR"), QStringLiteral("rur")); }

QString Figure(double value, int decimals) { return QString::number(value, 'f', decimals); }

}  // namespace

ViewWindow::ViewWindow(MainWindow& main) : QWidget(&main, Qt::Window), main_(main) {
  setObjectName(QStringLiteral("Ansicht"));
  setWindowTitle(QStringLiteral("Ansicht"));
  link_ = new PathLink(main.workstation(), *main.showeditor, this);
  CreateComponents();
  ConnectMainWindow();
  resize(800, 600);
}

void ViewWindow::CreateComponents() {
  view = new ui::PathView(this);
  view->setObjectName(QStringLiteral("view"));
  einpassen = new QPushButton(QStringLiteral("Einpassen"), this);
  einpassen->setObjectName(QStringLiteral("einpassen"));
  eilgang = new QDoubleSpinBox(this);
  eilgang->setObjectName(QStringLiteral("eilgang"));
  eilgang->setRange(1.0, 100000.0);
  eilgang->setDecimals(0);
  eilgang->setSuffix(QStringLiteral(" mm/min"));
  eilgang->setValue(UserSettings().value(QLatin1String(kRapidRateKey), kDefaultRapidRate).toDouble());
  position = new QLabel(this);
  position->setObjectName(QStringLiteral("position"));
  meldung = new QLabel(this);
  meldung->setObjectName(QStringLiteral("meldung"));
  statistik = new QLabel(this);
  statistik->setObjectName(QStringLiteral("statistik"));
  for (QLabel* label : {position, meldung, statistik}) label->setTextFormat(Qt::PlainText);

  auto* controls = new QHBoxLayout;
  controls->addWidget(einpassen);
  controls->addWidget(new QLabel(QStringLiteral("Eilgang:"), this));
  controls->addWidget(eilgang);
  controls->addStretch(1);
  controls->addWidget(position);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(controls);
  layout->addWidget(view, 1);
  layout->addWidget(meldung);
  layout->addWidget(statistik);

  connect(einpassen, &QPushButton::clicked, view, &ui::PathView::Fit);
  connect(eilgang, &QDoubleSpinBox::valueChanged, this, &ViewWindow::RapidRateChanged);
  connect(view, &ui::PathView::clickedAt, this, &ViewWindow::ClickedInView);
  connect(view, &ui::PathView::cursorAt, this, [this](double x, double y) {
    position->setText(QStringLiteral("X %1  Y %2 mm").arg(Figure(x, 3), Figure(y, 3)));
  });
  connect(link_, &PathLink::highlightChanged, this, &ViewWindow::Highlight);
}

// The double click on the picture and F4 open the view; every picture the
// main window shows is shown here too.
void ViewWindow::ConnectMainWindow() {
  main_.Image0->installEventFilter(this);
  auto* shortcut = new QShortcut(QKeySequence(Qt::Key_F4), &main_);
  connect(shortcut, &QShortcut::activated, this, &ViewWindow::Open);
  connect(&main_, &MainWindow::pictureShown, this, &ViewWindow::PictureShown);
}

void ViewWindow::Open() {
  if (!geometryRestored_) {
    restoreGeometry(UserSettings().value(QLatin1String(kGeometryKey)).toByteArray());
    geometryRestored_ = true;
  }
  show();
  raise();
  activateWindow();
}

// The main window's end does not hide this window: it is saved when
// hidden and, still open, when destroyed with the main window.
ViewWindow::~ViewWindow() {
  if (isVisible()) SaveGeometry();
}

void ViewWindow::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  SaveGeometry();
}

void ViewWindow::SaveGeometry() { UserSettings().setValue(QLatin1String(kGeometryKey), saveGeometry()); }

bool ViewWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != main_.Image0) return QWidget::eventFilter(watched, event);
  const QEvent::Type type = event->type();
  if (type != QEvent::MouseButtonDblClick && type != QEvent::MouseButtonPress) return false;
  const auto* mouse = static_cast<const QMouseEvent*>(event);
  if (mouse->button() != Qt::LeftButton) return false;
  if (type == QEvent::MouseButtonDblClick) {
    Open();
    return true;
  }
  ClickedOnPicture(mouse->position().toPoint());
  return false;
}

void ViewWindow::PictureShown() {
  switch (main_.pictureContent()) {
    case MainWindow::PictureContent::kDrawing:
      ShowDrawing();
      break;
    case MainWindow::PictureContent::kSentPath:
      ShowSentPath();
      break;
    case MainWindow::PictureContent::kBlank:
      showingSent_ = false;
      link_->Clear();
      view->SetPath(nullptr, false);
      statistik->clear();
      meldung->clear();
      break;
  }
}

void ViewWindow::ShowDrawing() {
  rur::Workstation& ws = main_.workstation();
  showingSent_ = false;
  drawingClean_ = ws.messages.errorFlag == 0;
  view->SetWorkArea(static_cast<double>(ws.settings.workAreaX), static_cast<double>(ws.settings.workAreaY));
  view->SetZeroPoint(static_cast<double>(ws.machine.offset.x), static_cast<double>(ws.machine.offset.y));
  view->SetPath(&ws.blockStore, false);
  meldung->clear();
  link_->Rebuild(main_.showeditor->Lines());
  ShowStatistics();
}

// The sent path grows with the transfer's progress, as on the picture.
void ViewWindow::ShowSentPath() {
  const data::BlockStore& sent = main_.workstation().sentStore;
  if (!showingSent_) {
    showingSent_ = true;
    link_->Clear();
    view->SetPath(&sent, true);
    view->SetShownCount(0);
    meldung->clear();
    return;
  }
  const std::int64_t percent = main_.OvcMeter1->value();
  view->SetShownCount(static_cast<std::int32_t>(sent.count() * percent / 100));
}

void ViewWindow::ShowStatistics() {
  if (showingSent_) return;
  if (!drawingClean_) {
    statistik->setText(QStringLiteral("Weglängen und Zeit nur nach fehlerfreier Zeichnung"));
    return;
  }
  draw::PathStatisticsOptions options;
  options.rapidRate = eilgang->value();
  const draw::PathStatistics s = draw::ComputePathStatistics(main_.workstation().blockStore, options);
  QString text = QStringLiteral("Vorschubweg %1 mm, Eilgangweg %2 mm, Zeit %3 s (Vorschub %4 s, Eilgang %5 s, "
                                "Verweilen %6 s)")
                     .arg(Figure(s.feedLength, 3), Figure(s.rapidLength, 3), Figure(s.totalSeconds, 1),
                          Figure(s.feedSeconds, 1), Figure(s.rapidSeconds, 1), Figure(s.dwellSeconds, 1));
  if (s.blocksWithoutFeed == 1) text += QStringLiteral(", 1 Satz ohne Vorschub");
  if (s.blocksWithoutFeed > 1) text += QStringLiteral(", %1 Sätze ohne Vorschub").arg(s.blocksWithoutFeed);
  statistik->setText(text);
}

void ViewWindow::RapidRateChanged(double rate) {
  UserSettings().setValue(QLatin1String(kRapidRateKey), rate);
  ShowStatistics();
}

void ViewWindow::Highlight() {
  if (showingSent_) return;
  view->SetHighlighted(link_->BlocksAtEditorCursor());
}

void ViewWindow::ClickedInView(double x, double y, double tolerance) {
  if (main_.commandRunning()) return;
  const auto hit = link_->HitInView({x, y}, tolerance);
  if (hit) meldung->setText(link_->Select(*hit));
}

void ViewWindow::ClickedOnPicture(QPoint pixel) {
  if (main_.commandRunning()) return;
  const auto hit = link_->HitOnPicture(pixel);
  if (hit) main_.meldung->setText(link_->Select(*hit));
}

}  // namespace app
