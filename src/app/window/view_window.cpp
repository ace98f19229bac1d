#include "window/view_window.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include "draw/path/statistics.h"
#include "ui/component_names.h"
#include "ui/path_view/path_view.h"
#include "window/path_link.h"

namespace app {
namespace {

constexpr double kDefaultRapidRate = 2000.0;  // mm/min
const char kRapidRateKey[] = "Ansicht/Eilgang";

QSettings UserSettings() { return QSettings(QStringLiteral("RUR"), QStringLiteral("rur")); }

QString Figure(double value, int decimals) { return QString::number(value, 'f', decimals); }

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
  for (QLabel* label : {position_, pickedBlock_, statistics_}) label->setTextFormat(Qt::PlainText);
  // Wrapped, so that a long text never widens a docked view.
  pickedBlock_->setWordWrap(true);
  statistics_->setWordWrap(true);

  auto* controls = new QHBoxLayout;
  controls->addWidget(fitButton);
  controls->addWidget(new QLabel(QStringLiteral("Eilgang:"), body));
  controls->addWidget(rapidRate_);
  controls->addStretch(1);
  controls->addWidget(position_);
  auto* layout = new QVBoxLayout(body);
  layout->addLayout(controls);
  layout->addWidget(view_, 1);
  layout->addWidget(pickedBlock_);
  layout->addWidget(statistics_);

  setWidget(body);

  connect(fitButton, &QPushButton::clicked, view_, &ui::PathView::Fit);
  connect(rapidRate_, &QDoubleSpinBox::valueChanged, this, &ViewWindow::RapidRateChanged);
  connect(view_, &ui::PathView::clickedAt, this, &ViewWindow::ClickedInView);
  connect(view_, &ui::PathView::cursorAt, this, [this](double x, double y) {
    position_->setText(QStringLiteral("X %1  Y %2 mm").arg(Figure(x, 3), Figure(y, 3)));
  });
  connect(&link_, &PathLink::highlightChanged, this, &ViewWindow::Highlight);
}

void ViewWindow::Open() {
  show();
  raise();
  if (isFloating()) activateWindow();
}

void ViewWindow::SetCommandState(CommandState state) { commandRunning_ = Running(state); }

void ViewWindow::ShowDrawing(bool clean) {
  showingSent_ = false;
  drawingClean_ = clean;
  view_->SetWorkArea(static_cast<double>(ws_.settings().workAreaX), static_cast<double>(ws_.settings().workAreaY));
  view_->SetZeroPoint(static_cast<double>(ws_.machine().offset.x), static_cast<double>(ws_.machine().offset.y));
  view_->SetPath(&ws_.blockStore(), false);
  pickedBlock_->clear();
  Highlight();
  ShowStatistics();
}

// The sent path grows with the transfer's progress, as on the picture.
void ViewWindow::ShowSentPath(int percentSent) {
  const data::BlockStore& sent = ws_.sentStore();
  if (!showingSent_) {
    showingSent_ = true;
    view_->SetPath(&sent, true);
    view_->SetShownCount(0);
    pickedBlock_->clear();
    return;
  }
  view_->SetShownCount(static_cast<std::int32_t>(sent.count() * std::int64_t{percentSent} / 100));
}

void ViewWindow::ShowNothing() {
  showingSent_ = false;
  view_->SetPath(nullptr, false);
  statistics_->clear();
  pickedBlock_->clear();
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
  QString text = QStringLiteral("Vorschubweg %1 mm, Eilgangweg %2 mm, Zeit %3 s (Vorschub %4 s, Eilgang %5 s, "
                                "Verweilen %6 s)")
                     .arg(Figure(s.feedLength, 3), Figure(s.rapidLength, 3), Figure(s.totalSeconds, 1),
                          Figure(s.feedSeconds, 1), Figure(s.rapidSeconds, 1), Figure(s.dwellSeconds, 1));
  if (s.blocksWithoutFeed == 1) text += QStringLiteral(", 1 Satz ohne Vorschub");
  if (s.blocksWithoutFeed > 1) text += QStringLiteral(", %1 Sätze ohne Vorschub").arg(s.blocksWithoutFeed);
  statistics_->setText(text);
}

void ViewWindow::RapidRateChanged(double rate) {
  UserSettings().setValue(QLatin1String(kRapidRateKey), rate);
  ShowStatistics();
}

void ViewWindow::Highlight() {
  if (showingSent_) return;
  view_->SetHighlighted(link_.BlocksAtEditorCursor());
}

void ViewWindow::ClickedInView(double x, double y, double tolerance) {
  if (commandRunning_) return;
  const auto hit = link_.HitInView({x, y}, tolerance);
  if (hit) pickedBlock_->setText(link_.Select(*hit));
}

}  // namespace app
