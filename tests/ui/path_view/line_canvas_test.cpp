// One-pixel lines written into an image: clipped exactly at the image's
// edges, both ends drawn, dashes by pixel count, and coordinates far out
// or no number drawing nothing wrong.
#include <QImage>
#include <QTest>
#include <cmath>
#include <limits>

#include "ui/path_view/line_canvas.h"

namespace {

constexpr QRgb kInk = 0xFFFFFF00;

QImage Blank() {
  QImage image(20, 10, QImage::Format_RGB32);
  image.fill(Qt::black);
  return image;
}

// The inked pixels as "x,y" texts, row by row.
QStringList Inked(const QImage& image) {
  QStringList inked;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == kInk) inked << QStringLiteral("%1,%2").arg(x).arg(y);
    }
  }
  return inked;
}

QStringList Row(int y, std::initializer_list<int> xs) {
  QStringList row;
  for (int x : xs) row << QStringLiteral("%1,%2").arg(x).arg(y);
  return row;
}

QStringList Draw(QPointF a, QPointF b, int dashOn = 0, int dashOff = 0) {
  QImage image = Blank();
  ui::LineCanvas canvas(image);
  canvas.SetColour(kInk);
  canvas.SetDash(dashOn, dashOff);
  canvas.DrawLine(a, b);
  return Inked(image);
}

}  // namespace

class LineCanvasTest : public QObject {
  Q_OBJECT

 private slots:
  void clipsAtTheEdgesAndDrawsBothEnds() {
    const QStringList wholeRow = Row(5, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19});
    QCOMPARE(Draw({-10.0, 5.0}, {30.0, 5.0}), wholeRow);
    QCOMPARE(Draw({0.0, 5.0}, {19.0, 5.0}), wholeRow);  // exactly from edge to edge
    QCOMPARE(Draw({19.0, 5.0}, {0.0, 5.0}), wholeRow);  // either way round
    QCOMPARE(Draw({3.0, 2.0}, {3.0, 2.0}), Row(2, {3}));  // a point
    QStringList diagonal;
    for (int i = 0; i < 10; ++i) diagonal << QStringLiteral("%1,%1").arg(i);
    QCOMPARE(Draw({-5.0, -5.0}, {9.0, 9.0}), diagonal);
    // The last pixel centre (19, 9) is inside; half a pixel beyond it is not.
    QCOMPARE(Draw({19.0, 9.0}, {25.0, 9.0}), Row(9, {19}));
    QCOMPARE(Draw({19.6, 9.0}, {25.0, 9.0}), QStringList());
  }

  void linesOutsideOrNotNumbersDrawNothing() {
    QCOMPARE(Draw({-10.0, -1.0}, {30.0, -1.0}), QStringList());  // above the first row
    QCOMPARE(Draw({-10.0, -10.0}, {-1.0, 30.0}), QStringList());
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    QCOMPARE(Draw({nan, 5.0}, {10.0, 5.0}), QStringList());
    QCOMPARE(Draw({-inf, 5.0}, {10.0, 5.0}), QStringList());
    // Far out but finite: clipped before it becomes whole pixels.
    QCOMPARE(Draw({-1e300, 5.0}, {1e300, 5.0}).size(), 20);
  }

  void dashesCountPixelsFromTheStart() {
    QCOMPARE(Draw({0.0, 0.0}, {8.0, 0.0}, 2, 1), Row(0, {0, 1, 3, 4, 6, 7}));
  }
};

QTEST_GUILESS_MAIN(LineCanvasTest)
#include "line_canvas_test.moc"
