// The PNG writer read back by Qt's own decoder: the pixels that were drawn
// are the pixels that come back.
#include <QImage>
#include <QTest>
#include <random>

#include "draw/png_writer.h"
#include "draw/primitives.h"
#include "draw/surface.h"

namespace {

void Compare(const draw::Raster& raster) {
  const std::vector<std::uint8_t> png = draw::EncodePng(raster);
  QImage image;
  QVERIFY(image.loadFromData(png.data(), static_cast<int>(png.size()), "PNG"));
  QCOMPARE(image.width(), raster.width());
  QCOMPARE(image.height(), raster.height());
  for (int y = 0; y < raster.height(); ++y) {
    for (int x = 0; x < raster.width(); ++x) {
      const draw::Rgb expected = raster.Pixel(x, y);
      const QRgb actual = image.pixel(x, y);
      if (qRed(actual) != expected.r || qGreen(actual) != expected.g || qBlue(actual) != expected.b) {
        QFAIL(qPrintable(QStringLiteral("pixel %1,%2 differs").arg(x).arg(y)));
      }
    }
  }
}

}  // namespace

class PngWriterTest : public QObject {
  Q_OBJECT

 private slots:
  void drawnPictureDecodesToTheSamePixels() {
    draw::Raster raster;
    draw::Loesche_bitmap(raster);
    data::BlockRecord block;
    block.centreX = 200;
    block.centreY = 150;
    block.radius = 80;
    block.startX = 280;
    block.startY = 150;
    const draw::DrawTarget target{raster, 400, 300};
    draw::DrawArc(block, 5.0L, target);
    raster.SetPenColour(draw::kRed);
    block.endX = 10;
    block.endY = 290;
    draw::FeedMove(block, target);
    Compare(raster);
  }

  void noiseDecodesToTheSamePixels() {
    draw::Raster raster(97, 23);
    std::mt19937 random(1);
    for (int y = 0; y < 23; ++y) {
      for (int x = 0; x < 97; ++x) {
        const auto v = static_cast<std::uint32_t>(random());
        const auto byte = [v](int shift) { return static_cast<std::uint8_t>(v >> shift); };
        raster.SetPixel(x, y, x % 3 == 0 ? draw::Rgb{byte(0), byte(8), byte(16)} : draw::Rgb{byte(0), 0, 0});
      }
    }
    Compare(raster);
  }
};

QTEST_MAIN(PngWriterTest)
#include "png_writer_test.moc"
