#include "window/view_window.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "draw/path/extent.h"
#include "draw/path/statistics.h"
#include "geometry/compensation.h"
#include "ui/component_names.h"
#include "ui/path_view/depth_legend.h"
#include "ui/path_view/path_view.h"
#include "ui/platform/qt_text.h"
#include "window/path_link.h"
#include "window/user_settings.h"
#include "workstation/contour_preview.h"
#include "workstation/work_area_hint.h"

namespace app {
namespace {

constexpr double kDefaultRapidRate = 2000.0;  // mm/min
const char kRapidRateKey[] = "Ansicht/Eilgang";
const char kContourKey[] = "Ansicht/KorrigierteKontur";
const char kDepthKey[] = "Ansicht/TiefeFarbig";

QString Figure(double value, int decimals) { return QString::number(value, 'f', decimals); }

QString Clock(double seconds) { return QString::fromStdString(draw::ClockTime(seconds)); }

// A check box that keeps its state per user under key.
QCheckBox* RememberedBox(QWidget* parent, const char* name, const QString& caption, const char* key, bool byDefault) {
  auto* box = ui::Named(new QCheckBox(caption, parent), name);
  box->setChecked(UserSettings().value(QLatin1String(key), byDefault).toBool());
  QObject::connect(box, &QCheckBox::toggled, box,
                   [key](bool on) { UserSettings().setValue(QLatin1String(key), on); });
  return box;
}

}  // namespace

ViewWindow::ViewWindow(const rur::Workstation& ws, PathLink& link, QWidget* parent)
    : QDockWidget(QStringLiteral("Ansicht"), parent), ws_(ws), link_(link) {
  setObjectName(QString::fromLatin1(ui::kViewWindowNames.window));
  setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
  CreateComponents();
}

void ViewWindow::CreateComponents() {
  const ui::ViewWindowNames& names = ui::kViewWindowNames;
  auto* body = new QWidget(this);
  view_ = ui::Named(new ui::PathView(body), names.view);
  auto* fitButton = ui::Named(new QPushButton(QStringLiteral("Einpassen"), body), names.fitButton);
  rapidRate_ = ui::Named(new QDoubleSpinBox(body), names.rapidRate);
  rapidRate_->setRange(1.0, 100000.0);
  rapidRate_->setDecimals(0);
  rapidRate_->setSuffix(QStringLiteral(" mm/min"));
  rapidRate_->setValue(UserSettings().value(QLatin1String(kRapidRateKey), kDefaultRapidRate).toDouble());
  position_ = ui::Named(new QLabel(body), names.position);
  pickedBlock_ = ui::Named(new QLabel(body), names.pickedBlock);
  statistics_ = ui::Named(new QLabel(body), names.statistics);
  contourBox_ = RememberedBox(body, names.contourBox, QStringLiteral("Korrigierte Kontur"), kContourKey, false);
  contourBox_->setToolTip(
      QStringLiteral("Zeigt die radiuskorrigierte Bahn, wie sie gesendet wird, über der programmierten"));
  depthBox_ = RememberedBox(body, names.depthBox, QStringLiteral("Tiefe farbig"), kDepthKey, true);
  depthBox_->setToolTip(QStringLiteral("Färbt die Bahn nach ihrer Z-Lage, Eilgänge bleiben gestrichelt"));
  contourNote_ = ui::Named(new QLabel(body), names.contourNote);
  depthLegend_ = ui::Named(new ui::DepthLegend(body), names.depthLegend);
  for (QLabel* label : {position_, pickedBlock_, statistics_, contourNote_}) label->setTextFormat(Qt::PlainText);
  // Wrapped, so that a long text (a whole block) never widens a docked view.
  for (QLabel* label : {pickedBlock_, statistics_, contourNote_}) label->setWordWrap(true);

  auto* controls = new QHBoxLayout;
  controls->addWidget(fitButton);
  controls->addWidget(new QLabel(QStringLiteral("Eilgang:"), body));
  controls->addWidget(rapidRate_);
  controls->addWidget(contourBox_);
  controls->addWidget(depthBox_);
  controls->addStretch(1);
  controls->addWidget(position_);
  auto* picture = new QHBoxLayout;
  picture->addWidget(view_, 1);
  picture->addWidget(depthLegend_);
  auto* layout = new QVBoxLayout(body);
  layout->addLayout(controls);
  layout->addLayout(picture, 1);
  layout->addWidget(pickedBlock_);
  layout->addWidget(contourNote_);
  layout->addWidget(statistics_);

  setWidget(body);

  connect(fitButton, &QPushButton::clicked, view_, &ui::PathView::Fit);
  connect(rapidRate_, &QDoubleSpinBox::valueChanged, this, &ViewWindow::RapidRateChanged);
  connect(view_, &ui::PathView::clickedAt, this, &ViewWindow::ClickedInView);
  connect(view_, &ui::PathView::cursorAt, this, [this](double x, double y) {
    position_->setText(QStringLiteral("X %1  Y %2 mm").arg(Figure(x, 3), Figure(y, 3)));
  });
  connect(&link_, &PathLink::highlightChanged, this, &ViewWindow::Highlight);
  connect(contourBox_, &QCheckBox::toggled, this, &ViewWindow::ShowContour);
  connect(depthBox_, &QCheckBox::toggled, this, &ViewWindow::ShowDepths);
  ShowDepths();
}

void ViewWindow::Open() {
  show();
  ShowDeferred();  // also when the main window is not shown yet
  raise();
  if (isFloating()) activateWindow();
}

void ViewWindow::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  ShowDeferred();
}

bool ViewWindow::Deferred(Shown shown) {
  if (!isHidden()) return false;
  deferred_ = true;
  noted_ = shown;
  return true;
}

void ViewWindow::ShowDeferred() {
  if (!deferred_ || isHidden()) return;
  deferred_ = false;
  switch (noted_) {
    case Shown::kDrawing: ShowDrawing(notedClean_); break;
    case Shown::kSentPath:
      showingSent_ = false;
      ShowSentPath(notedPercent_);
      ShowSentPath(notedPercent_);
      break;
    case Shown::kNothing: ShowNothing(); break;
  }
}

void ViewWindow::SetCommandState(CommandState state) { commandRunning_ = Running(state); }

void ViewWindow::ShowDrawing(bool clean) {
  notedClean_ = clean;
  if (Deferred(Shown::kDrawing)) return;
  showingSent_ = false;
  showingDrawing_ = true;
  drawingClean_ = clean;
  view_->SetWorkArea(static_cast<double>(ws_.settings().workAreaX), static_cast<double>(ws_.settings().workAreaY));
  view_->SetZeroPoint(static_cast<double>(ws_.machine().offset.x), static_cast<double>(ws_.machine().offset.y));
  view_->SetPath(&ws_.blockStore(), false);
  pickedBlock_->clear();
  Highlight();
  ShowStatistics();
  ShowContour();
  ShowDepths();
}

// The sent path grows with the transfer's progress, as on the picture.
void ViewWindow::ShowSentPath(int percentSent) {
  notedPercent_ = percentSent;
  if (Deferred(Shown::kSentPath)) return;
  const data::BlockStore& sent = ws_.sentStore();
  if (!showingSent_) {
    showingSent_ = true;
    showingDrawing_ = false;
    view_->SetPath(&sent, true);
    view_->SetShownCount(0);
    pickedBlock_->clear();
    ShowContour();
    ShowDepths();
    return;
  }
  view_->SetShownCount(static_cast<std::int32_t>(sent.count() * std::int64_t{percentSent} / 100));
}

void ViewWindow::ShowNothing() {
  if (Deferred(Shown::kNothing)) return;
  showingSent_ = false;
  showingDrawing_ = false;
  view_->SetPath(nullptr, false);
  statistics_->clear();
  pickedBlock_->clear();
  ShowContour();
  ShowDepths();
}

void ViewWindow::ShowStatistics() {
  if (showingSent_) return;
  if (!drawingClean_) {
    statistics_->setText(QStringLiteral("Weglängen und Zeit nur nach fehlerfreier Zeichnung"));
    return;
  }
  draw::PathStatisticsOptions options;
  options.rapidRate = rapidRate_->value();
  const draw::PathStatistics s = draw::ComputePathStatistics(ws_.blockStore(), options);
  QString text = QStringLiteral("Vorschubweg %1 mm, Eilgangweg %2 mm, Zeit %3 (Vorschub %4, Eilgang %5, "
                                "Verweilen %6)")
                     .arg(Figure(s.feedLength, 3), Figure(s.rapidLength, 3), Clock(s.totalSeconds),
                          Clock(s.feedSeconds), Clock(s.rapidSeconds), Clock(s.dwellSeconds));
  if (s.blocksWithoutFeed == 1) text += QStringLiteral(", 1 Satz ohne Vorschub");
  if (s.blocksWithoutFeed > 1) text += QStringLiteral(", %1 Sätze ohne Vorschub").arg(s.blocksWithoutFeed);
  // The box of the drawn figures, as the picture marks it.
  if (const std::optional<draw::PathBox>& box = view_->DrawnBox()) {
    const draw::PathBox& b = *box;
    text += ui::ToQt("\nBahn X " + rur::Millimetres(b.minX) + ".." + rur::Millimetres(b.maxX) + " Y " +
                     rur::Millimetres(b.minY) + ".." + rur::Millimetres(b.maxY) + " mm");
  }
  statistics_->setText(text);
}

// The contour a send would make of a clean drawing; a drawing with an
// error, or one the send would refuse, shows none and says why. Worked out
// quietly: it shows no message and leaves the send's store alone.
void ViewWindow::ShowContour() {
  view_->SetContour(nullptr);
  contourNote_->clear();
  contour_.Clear();
  if (!contourBox_->isChecked() || !showingDrawing_) return;
  if (!drawingClean_) {
    contourNote_->setText(QStringLiteral("Korrigierte Kontur nur nach fehlerfreier Zeichnung"));
    return;
  }
  std::string failure;
  if (!rur::PreviewContour(ws_, contour_, failure)) {
    contourNote_->setText(QStringLiteral("Keine korrigierte Kontur: ") + ui::ToQt(failure));
    return;
  }
  bool compensated = false;
  for (std::int32_t p = 1; p <= contour_.count() && !compensated; ++p) {
    compensated = contour_.At(p).compensation != geometry::kCompensationOff;
  }
  if (!compensated) contourNote_->setText(QStringLiteral("Keine Radiuskorrektur im Programm"));
  view_->SetContour(&contour_);
}

void ViewWindow::ShowDepths() {
  const bool on = depthBox_->isChecked();
  view_->SetDepthColours(on);
  depthLegend_->SetRange(on && !showingSent_ ? view_->Depths() : std::nullopt);
  depthLegend_->setVisible(on);
}

void ViewWindow::RapidRateChanged(double rate) {
  UserSettings().setValue(QLatin1String(kRapidRateKey), rate);
  ShowStatistics();
}

void ViewWindow::Highlight() {
  if (showingSent_ || isHidden()) return;
  view_->SetHighlighted(link_.BlocksAtEditorCursor());
}

void ViewWindow::ClickedInView(double x, double y, double tolerance) {
  if (commandRunning_) return;
  const auto hit = link_.HitInView({x, y}, tolerance);
  if (hit) pickedBlock_->setText(link_.Select(*hit));
}

}  // namespace app
