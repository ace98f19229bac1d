// The path view widget alone, on paths and zooms at the limits: far-out
// coordinates and boxes beyond the doubles end the grid, a circle too large
// for its chord angle is still drawn in chords, only a press in the view
// starts a drag or a click, the depth colours and their legend reach from
// the top Z to the bottom Z (a path at one Z too), and only compensated
// blocks of a contour are drawn over the path.
#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>
#include <cmath>

#include "data/block_record.h"
#include "ui/path_view/depth_legend.h"
#include "ui/path_view/path_view.h"

namespace {

data::BlockRecord Record(std::uint8_t motion, draw::PathPoint start, draw::PathPoint end) {
  data::BlockRecord r;
  r.motion = motion;
  r.hasX = r.hasY = 1;
  r.startX = start.x;
  r.startY = start.y;
  r.endX = end.x;
  r.endY = end.y;
  r.feed = 100.0L;
  return r;
}

data::BlockRecord At(data::BlockRecord r, long double z, std::uint8_t compensation = 40) {
  r.endZ = z;
  r.compensation = compensation;
  return r;
}

data::BlockRecord Arc(std::uint8_t motion, draw::PathPoint start, draw::PathPoint end, draw::PathPoint centre,
                      long double radius) {
  data::BlockRecord r = Record(motion, start, end);
  r.centreX = centre.x;
  r.centreY = centre.y;
  r.radius = radius;
  return r;
}

int PixelsOf(const QImage& image, QColor colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == colour ? 1 : 0;
  }
  return n;
}

QImage Rendered(const ui::PathView& view) {
  QImage image(view.size(), QImage::Format_RGB32);
  QPainter painter(&image);
  view.Render(painter);
  return image;
}

// A 400 x 300 view fitted to a path of one block.
struct OneBlockView {
  explicit OneBlockView(const data::BlockRecord& record) {
    store.Append(record);
    view.resize(400, 300);
    view.SetPath(&store, false);
    view.Fit();
  }
  data::BlockStore store;
  ui::PathView view;
};

void SendMouse(QWidget* widget, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, at, widget->mapToGlobal(at), button, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

}  // namespace

class PathViewTest : public QObject {
  Q_OBJECT

 private slots:
  // Far from the origin a grid step no longer moves a coordinate (1e17 + 5
  // is 1e17), and an arc whose box reaches beyond the doubles puts the view
  // at infinity: the grid must end all the same.
  void theGridEndsOnPathsFarOut() {
    const data::BlockRecord cases[] = {
        Record(data::kFeed, {1e17, 0.0}, {1e17 + 100.0, 0.0}),
        Record(data::kFeed, {-1e17, 5.0}, {-1e17, 105.0}),
        // From (1.5e308, -1e308) through x 2.5e308 (beyond the doubles).
        Arc(data::kCounterClockwise, {1.5e308, -1e308}, {1.5e308, 1e308}, {1.5e308, 0.0}, 1e308L),
    };
    for (const data::BlockRecord& record : cases) {
      OneBlockView v(record);
      Rendered(v.view);  // returns
      v.view.ZoomAbout({200.0, 150.0}, 1e12);
      Rendered(v.view);
    }
  }

  // A clockwise full circle of 1e13 mm at 1e4 pixels a mm: half a pixel of
  // chord error asks for more chords than an int holds; the count stops at
  // the most an arc gets, so the circle leaves its start along its tangent
  // (vertical here) instead of shrinking to its start point.
  void aCircleBeyondTheChordLimitIsDrawnInChords() {
    constexpr double kRadius = 1e13;
    OneBlockView v(Arc(data::kClockwise, {kRadius, 0.0}, {kRadius, 0.0}, {0.0, 0.0}, kRadius));
    ui::PathView& view = v.view;
    // Pan the start to the middle, then zoom about it as far as the view goes.
    const QPointF start = view.ToPixel({kRadius, 0.0});
    SendMouse(&view, QEvent::MouseButtonPress, {10.0, 10.0}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(&view, QEvent::MouseMove, QPointF(10.0, 10.0) + QPointF(200.0, 150.0) - start, Qt::NoButton,
              Qt::LeftButton);
    SendMouse(&view, QEvent::MouseButtonRelease, {0.0, 0.0}, Qt::LeftButton, Qt::NoButton);
    view.ZoomAbout({200.0, 150.0}, 1e12);
    QCOMPARE(view.Transform().scale, 1e4);
    QVERIFY(std::fabs(view.ToPixel({kRadius, 0.0}).x() - 200.0) < 20.0);
    QVERIFY(PixelsOf(Rendered(view), Qt::yellow) >= 250);
  }

  // A move with the button held, or a release, after a press elsewhere
  // (the press went to another window) neither pans nor picks.
  void onlyAPressInTheViewDragsOrClicks() {
    OneBlockView v(Record(data::kFeed, {0.0, 0.0}, {100.0, 0.0}));
    ui::PathView& view = v.view;
    const ui::ViewTransform fitted = view.Transform();
    QSignalSpy clicks(&view, &ui::PathView::clickedAt);
    SendMouse(&view, QEvent::MouseMove, {50.0, 50.0}, Qt::NoButton, Qt::LeftButton);
    SendMouse(&view, QEvent::MouseMove, {150.0, 90.0}, Qt::NoButton, Qt::LeftButton);
    SendMouse(&view, QEvent::MouseButtonRelease, {150.0, 90.0}, Qt::LeftButton, Qt::NoButton);
    QVERIFY(view.Transform() == fitted);
    QCOMPARE(clicks.count(), 0);
    // A press in the view still clicks, and a drag of exactly 3 pixels is
    // still a click.
    SendMouse(&view, QEvent::MouseButtonPress, {100.0, 100.0}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(&view, QEvent::MouseMove, {103.0, 100.0}, Qt::NoButton, Qt::LeftButton);
    SendMouse(&view, QEvent::MouseButtonRelease, {103.0, 100.0}, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(clicks.count(), 1);
    QVERIFY(view.Transform() == fitted);
  }

  void depthColoursAndTheContour() {
    const QRgb top = ui::DepthColour(0.0), bottom = ui::DepthColour(1.0);
    QCOMPARE(QColor(top), QColor(Qt::yellow));
    // At Z 2, down to Z -5 along the second side, at Z -5.
    OneBlockView v(At(Record(data::kFeed, {0.0, 0.0}, {100.0, 0.0}), 2.0L));
    v.store.Append(At(Record(data::kFeed, {100.0, 0.0}, {100.0, 100.0}), -5.0L));
    v.store.Append(At(Record(data::kFeed, {100.0, 100.0}, {0.0, 100.0}), -5.0L));
    v.view.SetPath(&v.store, false);
    v.view.SetDepthColours(true);
    QCOMPARE(v.view.Depths()->top, 2.0);
    QCOMPARE(v.view.Depths()->bottom, -5.0);
    QImage image = Rendered(v.view);
    QVERIFY(PixelsOf(image, top) >= 100);
    QVERIFY(PixelsOf(image, bottom) >= 100);
    const QColor halfway(image.pixel(v.view.ToPixel({100.0, 50.0}).toPoint()));  // shaded along the way down
    QVERIFY2(halfway.red() == 255 && halfway.green() > 64 && halfway.green() < 192, qPrintable(halfway.name()));
    ui::DepthLegend legend;
    legend.SetRange(v.view.Depths());
    QCOMPARE(legend.topText(), QStringLiteral("Z 2"));
    QCOMPARE(legend.bottomText(), QStringLiteral("Z -5"));

    // One Z, "-0": nothing to divide by; all of it the top's colour.
    OneBlockView flat(At(Record(data::kFeed, {0.0, 0.0}, {100.0, 0.0}), -0.0L));
    flat.view.SetDepthColours(true);
    image = Rendered(flat.view);
    QVERIFY(PixelsOf(image, top) >= 100);
    QCOMPARE(PixelsOf(image, bottom), 0);
    legend.SetRange(flat.view.Depths());
    QCOMPARE(legend.topText(), QStringLiteral("Z 0"));
    QCOMPARE(legend.bottomText(), QStringLiteral("Z 0"));
    legend.SetRange(std::nullopt);
    QVERIFY(legend.topText().isEmpty());

    // Rapid moves and moves in Z alone count (a plunge is what the range is
    // for), a block that does not move does not; the drawn box leaves the
    // rapid move out.
    OneBlockView plunge(At(Record(data::kRapid, {0.0, 0.0}, {10.0, 10.0}), 5.0L));
    QVERIFY(!plunge.view.DrawnBox());
    plunge.store.Append(At(Record(data::kFeed, {10.0, 10.0}, {10.0, 10.0}), -3.0L));
    plunge.store.Append(At(Record(data::kFeed, {10.0, 10.0}, {20.0, 10.0}), -3.0L));
    plunge.store.Append(At(Record(data::kDwell, {20.0, 10.0}, {20.0, 10.0}), -9.0L));
    plunge.view.SetPath(&plunge.store, false);
    QCOMPARE(plunge.view.Depths()->top, 5.0);
    QCOMPARE(plunge.view.Depths()->bottom, -3.0);
    QCOMPARE(plunge.view.DrawnBox()->minX, 10.0);
    QCOMPARE(plunge.view.DrawnBox()->maxX, 20.0);
    plunge.view.SetPath(nullptr, false);
    QVERIFY(!plunge.view.Depths() && !plunge.view.DrawnBox());

    // The compensated block of the contour lies over the path; the one the
    // compensation passed unchanged is the path's own.
    data::BlockStore contour;
    contour.Append(At(Record(data::kFeed, {0.0, 5.0}, {100.0, 5.0}), 0.0L, 41));
    contour.Append(At(Record(data::kFeed, {0.0, 50.0}, {100.0, 50.0}), 0.0L, 40));
    v.view.SetContour(&contour);
    image = Rendered(v.view);
    QCOMPARE(image.pixel(v.view.ToPixel({50.0, 5.0}).toPoint()), ui::kContourColour);
    QVERIFY(image.pixel(v.view.ToPixel({50.0, 50.0}).toPoint()) != ui::kContourColour);
    v.view.SetContour(nullptr);
    QCOMPARE(PixelsOf(Rendered(v.view), ui::kContourColour), 0);
  }
};

QTEST_MAIN(PathViewTest)
#include "path_view_test.moc"
