// A layout for a window drawn at one fixed size that may grow: every widget
// keeps the geometry it has at the minimum size, and the room beyond it
// moves or stretches each widget as its anchors say. One widget may grow
// upward to the height its content needs, taken from the widget above it.
#pragma once

#include <QLayout>
#include <QRect>
#include <vector>

namespace app {

class AnchoredLayout : public QLayout {
 public:
  // How a widget follows the room beyond the minimum in one direction:
  // it stays, moves with the far side (right, bottom) or stretches to it.
  enum class Follow { kStay, kMove, kStretch };

  // minimum: the size at which every widget has the geometry it is added with.
  AnchoredLayout(QWidget* parent, QSize minimum);
  ~AnchoredLayout() override;

  // Adds a child of the parent at its geometry now.
  void Add(QWidget* widget, Follow x, Follow y);
  // grown gets at least its heightForWidth, its top edge moving up into
  // donor, which keeps donorMinimum pixels of height; both must be added.
  void GrowUpward(QWidget* grown, QWidget* donor, int donorMinimum);

  void addItem(QLayoutItem* item) override;
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;
  int count() const override;
  QSize sizeHint() const override { return minimum_; }
  QSize minimumSize() const override { return minimum_; }
  void setGeometry(const QRect& rect) override;

 private:
  struct Entry {
    QLayoutItem* item;
    QRect atMinimum;
    Follow x, y;
  };
  QRect Placed(const Entry& entry, QSize room) const;
  Entry* Find(const QWidget* widget);

  QSize minimum_;
  std::vector<Entry> entries_;
  const QWidget* grown_ = nullptr;
  const QWidget* donor_ = nullptr;
  int donorMinimum_ = 0;
};

}  // namespace app
