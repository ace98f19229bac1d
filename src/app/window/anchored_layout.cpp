#include "window/anchored_layout.h"

#include <QWidget>
#include <algorithm>

namespace app {
namespace {

// One edge pair of a rectangle moved or stretched by the room in its direction.
void Shift(AnchoredLayout::Follow how, int room, int& start, int& length) {
  if (how == AnchoredLayout::Follow::kMove) start += room;
  if (how == AnchoredLayout::Follow::kStretch) length += room;
}

}  // namespace

AnchoredLayout::AnchoredLayout(QWidget* parent, QSize minimum) : QLayout(parent), minimum_(minimum) {
  setContentsMargins(0, 0, 0, 0);
}

AnchoredLayout::~AnchoredLayout() {
  for (const Entry& e : entries_) delete e.item;
}

void AnchoredLayout::Add(QWidget* widget, Follow x, Follow y) {
  const QRect atMinimum = widget->geometry();
  addChildWidget(widget);
  entries_.push_back({new QWidgetItem(widget), atMinimum, x, y});
  invalidate();
}

void AnchoredLayout::GrowUpward(QWidget* grown, QWidget* donor, int donorMinimum) {
  grown_ = grown;
  donor_ = donor;
  donorMinimum_ = donorMinimum;
  invalidate();
}

// Widgets come in through Add only: an item without its geometry at the
// minimum would have no place.
void AnchoredLayout::addItem(QLayoutItem* item) { delete item; }

QLayoutItem* AnchoredLayout::itemAt(int index) const {
  return index >= 0 && index < count() ? entries_[static_cast<std::size_t>(index)].item : nullptr;
}

QLayoutItem* AnchoredLayout::takeAt(int index) {
  if (index < 0 || index >= count()) return nullptr;
  QLayoutItem* item = entries_[static_cast<std::size_t>(index)].item;
  entries_.erase(entries_.begin() + index);
  return item;
}

int AnchoredLayout::count() const { return static_cast<int>(entries_.size()); }

QRect AnchoredLayout::Placed(const Entry& entry, QSize room) const {
  int x = entry.atMinimum.x(), y = entry.atMinimum.y();
  int width = entry.atMinimum.width(), height = entry.atMinimum.height();
  Shift(entry.x, room.width(), x, width);
  Shift(entry.y, room.height(), y, height);
  return {x, y, width, height};
}

AnchoredLayout::Entry* AnchoredLayout::Find(const QWidget* widget) {
  for (Entry& e : entries_) {
    if (e.item->widget() == widget) return &e;
  }
  return nullptr;
}

void AnchoredLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  // Smaller than the minimum (a window not yet sized): placed as at the minimum.
  const QSize room(std::max(0, rect.width() - minimum_.width()), std::max(0, rect.height() - minimum_.height()));
  std::vector<QRect> places;
  places.reserve(entries_.size());
  for (const Entry& e : entries_) places.push_back(Placed(e, room).translated(rect.topLeft()));

  const Entry* grown = Find(grown_);
  const Entry* donor = Find(donor_);
  if (grown != nullptr && donor != nullptr) {
    QRect& g = places[static_cast<std::size_t>(grown - entries_.data())];
    QRect& d = places[static_cast<std::size_t>(donor - entries_.data())];
    const int wanted = grown_->heightForWidth(g.width()) - g.height();
    const int taken = std::clamp(wanted, 0, std::max(0, d.height() - donorMinimum_));
    g.setTop(g.top() - taken);
    d.setBottom(d.bottom() - taken);
  }
  for (std::size_t i = 0; i < entries_.size(); ++i) entries_[i].item->widget()->setGeometry(places[i]);
}

}  // namespace app
