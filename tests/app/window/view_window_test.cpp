// The path view under offscreen Qt: opening, docking and floating it,
// picking blocks in the view and on the picture (the editor follows, the
// status lines name the block), the editor's cursor lighting up blocks,
// zoom, pan and "Einpassen", the statistics, the compensated contour and
// the depth legend, the marks of the work area and the path over the main
// window's picture, and the main window's room (size, place, maximised,
// the view docked) kept for the next start.
#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QWheelEvent>

#include <span>

#include "data/extended.h"
#include "draw/picture/raster.h"
#include "geometry/compensation.h"
#include "ui/path_view/depth_legend.h"
#include "ui/path_view/path_view.h"
#include "ui/path_view/picture_overlay.h"
#include "window/view_placement.h"
#include "window/view_window.h"
#include "window_fixture.h"

using namespace testing_support;

namespace {

// Editor lines 0 and 1 come before the program; line 4 is split before its
// parameter word; %7 runs from (100, 100) to (200, 100) and (200, 200).
const char kMain[] =
    "(TEIL)\r\n\r\n%1\r\nN10 G00 X10 Y10\r\nN20 G01 X100 F200 L5=3\r\nN30 Y100\r\nN40 G77 H7\r\nN50 M30\r\n";
const char kSub[] = "%7\r\nN10 G01 X200 Y100 F100\r\nN20 Y200\r\nN30 M17\r\n";

const ui::ViewWindowNames& kView = ui::kViewWindowNames;

struct Fixture : WindowFixture {
  Fixture() { Start(); }
  void DrawExample() {
    dir.Write("%1", kMain);
    dir.Write("%7", kSub);
    window.OpenProgram(QString::fromStdString(dir.File("%1")));
    Press(kNames.drawButton);
  }
  // The first stored block of that motion ending at (x, y); 0 when none.
  std::int32_t BlockEndingAt(double x, double y, int motion = 1) {
    const data::BlockStore& store = ws().blockStore();
    for (std::int32_t p = 1; p <= store.count(); ++p) {
      const data::BlockRecord& r = store.At(p);
      if (r.endX == x && r.endY == y && r.motion == motion) return p;
    }
    return 0;
  }
  void PutCursorOnLine(int line) { editor().setTextCursor(QTextCursor(editor().document()->findBlockByNumber(line))); }
  int EditorLine() { return editor().textCursor().blockNumber(); }
  app::ViewWindow& viewWindow() { return Get<app::ViewWindow>(kView.window); }
  template <typename T>
  T& InView(const char* name) {
    return Part<T>(viewWindow(), name);
  }
  ui::PathView& view() { return InView<ui::PathView>(kView.view); }
  QString Picked() { return InView<QLabel>(kView.pickedBlock).text(); }
  QString Statistics() { return InView<QLabel>(kView.statistics).text(); }
  QDoubleSpinBox& rapidRate() { return InView<QDoubleSpinBox>(kView.rapidRate); }
  QLabel& picture() { return Get<QLabel>(kNames.picture); }
  QCheckBox& contourBox() { return InView<QCheckBox>(kView.contourBox); }
  QCheckBox& depthBox() { return InView<QCheckBox>(kView.depthBox); }
  QString ContourNote() { return InView<QLabel>(kView.contourNote).text(); }
  ui::DepthLegend& legend() { return InView<ui::DepthLegend>(kView.depthLegend); }
  int ContourPixels() {
    QImage image(view().size(), QImage::Format_RGB32);
    QPainter painter(&image);
    view().Render(painter);
    return PixelsOf(image, QColor(ui::kContourColour));
  }
  // A tool file whose entry 1 has radius 5.
  void WriteTools() {
    std::vector<std::uint8_t> bytes(100 * 20, 0);
    data::EncodeExtended(5.0L, std::span<std::uint8_t>(bytes).subspan(20 + 10, 10));
    dir.Write("QVM_wkz.dat", bytes);
  }
  void ClickInView(draw::PathPoint p) { QTest::mouseClick(&view(), Qt::LeftButton, {}, view().ToPixel(p).toPoint()); }
};

// A mouse move with the left button held.
void DragTo(QWidget* widget, QPointF at) {
  QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &move);
}

}  // namespace

class ViewWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // The test screen (800 pixels wide) has no room beside the 651 pixels of
  // the components: the view floats the first time, and the window keeps
  // its size. Docked by the operator, it sits right of the components and
  // F4 and the double click show it there again.
  void doubleClickOnThePictureAndF4OpenTheViewDockedOrFloating() {
    Fixture f;
    f.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    QVERIFY(!f.viewWindow().isVisible());
    QTest::mouseDClick(&f.picture(), Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(f.viewWindow().isVisible());
    QVERIFY(f.viewWindow().isFloating());
    QCOMPARE(f.window.size(), QSize(651, 587));
    f.viewWindow().setFloating(false);
    QApplication::processEvents();
    QVERIFY(f.viewWindow().isVisible());
    QVERIFY(f.window.width() >= 651 + f.viewWindow().width());
    QCOMPARE(f.window.centralWidget()->width(), 651);
    QVERIFY(f.viewWindow().x() >= f.window.centralWidget()->geometry().right());
    for (const bool byKey : {true, false}) {
      f.viewWindow().close();
      QVERIFY(!f.viewWindow().isVisible());
      f.window.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&f.window));
      if (byKey) QTest::keyClick(&f.window, Qt::Key_F4);
      if (!byKey) QTest::mouseDClick(&f.picture(), Qt::LeftButton, {}, QPoint(20, 20));
      QVERIFY(f.viewWindow().isVisible());
      QVERIFY(!f.viewWindow().isFloating());
    }
  }

  // The first place of the view: docked while the screen holds the
  // components and the view's least width, to the pixel; floating below.
  void theViewDocksWhereTheScreenHasRoom() {
    const int min = 300;  // the view's least width with its separator
    struct Case {
      int screen, window;
      bool maximised;
      app::ViewPlacement want;
    } cases[] = {
        {1920, 651, false, {true, 1101, 450}},  // widened by the view's width
        {1600, 1200, false, {true, 1600, 474}},  // as far as the screen goes; half the room
        {951, 651, false, {true, 951, 300}},     // exactly the least width
        {950, 651, false, {false, 651, 0}},      // one pixel short: floating, the window as it was
        {1920, 1920, true, {true, 1920, 634}},   // maximised: no wider, half the room
        {800, 800, true, {false, 800, 0}},
    };
    for (const Case& c : cases) {
      const app::ViewPlacement p = app::PlaceViewFirst({c.screen, c.window, 0, c.maximised, 651, min});
      const QString name = QStringLiteral("%1 %2").arg(c.screen).arg(c.window);
      QVERIFY2(p.docked == c.want.docked, qPrintable(name));
      QVERIFY2(p.windowWidth == c.want.windowWidth, qPrintable(name));
      QVERIFY2(p.viewWidth == c.want.viewWidth, qPrintable(name));
    }
    // The frame of the window counts against the screen.
    QCOMPARE(app::PlaceViewFirst({1920, 1400, 10, false, 651, min}).windowWidth, 1850);
  }

  // A block picked in the view or on the picture selects the line that
  // made it; the editor's cursor lines light up their blocks.
  void aPickedBlockSelectsItsLineAndTheCursorLightsUpBlocks() {
    Fixture f;
    f.DrawExample();
    QCOMPARE(f.host.unexpected, 0);
    f.window.OpenView();
    struct Case {
      draw::PathPoint at;
      int editorLine;
      const char* selected;
    } cases[] = {
        {{100.0, 55.0}, 5, "N30 Y100"},
        {{55.0, 10.0}, 4, "N20 G01 X100 F200 L5=3"},  // the split line, whole
        {{5.0, 5.0}, 3, "N10 G00 X10 Y10"},           // a rapid move: drawn in the view, so picked there
    };
    for (const Case& c : cases) {
      f.ClickInView(c.at);
      QCOMPARE(f.EditorLine(), c.editorLine);
      QCOMPARE(f.editor().textCursor().selectedText(), QString::fromLatin1(c.selected));
      QVERIFY2(f.Picked().endsWith(QStringLiteral(", Zeile %1").arg(c.editorLine + 1)), qPrintable(f.Picked()));
    }
    // The selected line lights up its block.
    QVERIFY(f.view().Highlighted() == std::vector<std::int32_t>{f.BlockEndingAt(10.0, 10.0, 0)});
    // Nothing within a few pixels: the editor stays.
    f.ClickInView({300.0, 20.0});
    QCOMPARE(f.EditorLine(), 3);
    // A block of a subprogram is named; the editor stays.
    f.PutCursorOnLine(1);
    f.ClickInView({200.0, 150.0});
    QCOMPARE(f.Picked(), QStringLiteral("Satz %1: %7, Zeile 3").arg(f.BlockEndingAt(200.0, 200.0)));
    QCOMPARE(f.EditorLine(), 1);

    // On the picture, 1.12 pixels a mm (448 / 400): (100, 55) is the pixel (112, 357 - 61.6).
    QTest::mouseClick(&f.picture(), Qt::LeftButton, {}, QPoint(112, 295));
    QCOMPARE(f.EditorLine(), 5);
    const QString text = f.status().text();
    QCOMPARE(text, QStringLiteral("Satz %1: %2, Zeile 6")
                       .arg(f.BlockEndingAt(100.0, 100.0))
                       .arg(QString::fromStdString(f.ws().subprograms().NameOf(0))));
    // The picture draws no rapid moves: (5, 5) on the rapid one picks nothing.
    QTest::mouseClick(&f.picture(), Qt::LeftButton, {}, QPoint(6, 351));
    QCOMPARE(f.EditorLine(), 5);
    QCOMPARE(f.status().text(), text);

    // The editor's cursor lines light up the blocks made from them.
    using Positions = std::vector<std::int32_t>;
    f.PutCursorOnLine(5);
    QVERIFY(f.view().Highlighted() == Positions{f.BlockEndingAt(100.0, 100.0)});
    f.PutCursorOnLine(1);  // before the "%": made nothing
    QVERIFY(f.view().Highlighted().empty());
    // A selection over lines 5 and 6: the call made no block of its own line.
    QTextCursor cursor(f.editor().document()->findBlockByNumber(5));
    cursor.setPosition(f.editor().document()->findBlockByNumber(6).position() + 2, QTextCursor::KeepAnchor);
    f.editor().setTextCursor(cursor);
    QVERIFY(f.view().Highlighted().size() >= 1u);
    QCOMPARE(f.view().Highlighted().front(), f.BlockEndingAt(100.0, 100.0));
    // An edit moves the lines: nothing is linked until the next drawing.
    f.PutCursorOnLine(5);
    f.editor().insertPlainText(QStringLiteral(" "));
    QVERIFY(f.view().Highlighted().empty());
  }

  void zoomKeepsThePointUnderTheCursorAndEinpassenRestoresTheFit() {
    Fixture f;
    f.DrawExample();
    f.window.OpenView();
    ui::PathView& view = f.view();
    view.Fit();
    const ui::ViewTransform fitted = view.Transform();
    const QPointF at(150.0, 120.0);
    const draw::PathPoint before = view.ToMachine(at);
    QWheelEvent wheel(at, view.mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &wheel);
    QCOMPARE(view.Transform().scale, fitted.scale * 1.25);
    QCOMPARE(view.ToMachine(at).x, before.x);
    QCOMPARE(view.ToMachine(at).y, before.y);
    // A drag of 40 pixels to the right moves the picture with the mouse.
    const ui::ViewTransform zoomed = view.Transform();
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(100, 100));
    DragTo(&view, QPointF(120, 100));
    DragTo(&view, QPointF(140, 100));
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(140, 100));
    QCOMPARE(view.Transform().originX, zoomed.originX + 40.0);
    QCOMPARE(view.Transform().originY, zoomed.originY);
    QTest::mouseClick(&f.InView<QPushButton>(kView.fitButton), Qt::LeftButton);
    QVERIFY(view.Transform() == fitted);
  }

  // A closed view works nothing out; opened, it shows the drawing made
  // while it was closed.
  void statisticsFollowTheRapidRate() {
    Fixture f;
    f.DrawExample();
    QCOMPARE(f.Statistics(), QString());
    f.viewWindow().Open();
    // Feed: 90 + 90 + 100 + 100 mm; rapid: (0, 0) to (10, 10), 10 sqrt 2.
    QVERIFY2(f.Statistics().startsWith(QStringLiteral("Vorschubweg 380.000 mm, Eilgangweg 14.142 mm")),
             qPrintable(f.Statistics()));
    f.rapidRate().setValue(60.0);  // 14.142 mm at 1 mm/s
    QVERIFY2(f.Statistics().contains(QStringLiteral("Eilgang 0:00:14")), qPrintable(f.Statistics()));
    // The box of the drawn figures (the rapid move is not drawn on the picture).
    QVERIFY2(f.Statistics().endsWith(QStringLiteral("\nBahn X 10..200 Y 10..200 mm")), qPrintable(f.Statistics()));
    // Moves without a feed are counted, one of them in the singular; times
    // are h:mm:ss on either side of the hour (1 mm/s).
    for (const auto& [program, tail] :
         {std::pair{"%1\nN10 G1 X10\nN20 M30", "Verweilen 0:00:00), 1 Satz ohne Vorschub"},
          std::pair{"%1\nN10 G1 X10\nN20 Y10\nN30 M30", "), 2 Sätze ohne Vorschub"},
          std::pair{"%1\nN10 G1 X3599 F60\nN20 M30",
                    "Zeit 0:59:59 (Vorschub 0:59:59, Eilgang 0:00:00, Verweilen 0:00:00)"},
          std::pair{"%1\nN10 G1 X3600 F60\nN20 M30",
                    "Zeit 1:00:00 (Vorschub 1:00:00, Eilgang 0:00:00, Verweilen 0:00:00)"}}) {
      f.editor().setPlainText(QString::fromUtf8(program));
      f.window.OnDraw();  // three lines: the button is off, the command is not
      const QString firstLine = f.Statistics().section(QLatin1Char('\n'), 0, 0);
      QVERIFY2(firstLine.endsWith(QString::fromUtf8(tail)), qPrintable(f.Statistics()));
    }
  }

  // The contour a send would make shows on request over a clean drawing,
  // worked out without a box and without touching the send; what would
  // stop the send shows instead of it. The legend's ends are the top and
  // bottom Z of the drawing.
  void theContourAndTheDepthsOfTheDrawing() {
    Fixture f;
    f.WriteTools();
    f.viewWindow().Open();
    const QString square = QStringLiteral(
        "%1\nN10 T1 D1 F100\nN20 G0 X100 Y100\nN30 G41 G1 X200\nN40 Y200\nN50 X100\nN60 Y100\nN70 G40 G0 X0 Y0\n");
    f.Draw(square);
    QVERIFY(f.Enabled(kNames.sendButton));
    QVERIFY(!f.contourBox().isChecked());  // on request only
    QCOMPARE(f.ContourPixels(), 0);
    f.contourBox().setChecked(true);
    QVERIFY(f.ContourPixels() > 100);
    QCOMPARE(f.ContourNote(), QString());
    // Switched on in an arc: the send's message, as a note.
    QString arcFirst = square;
    arcFirst.replace(QStringLiteral("N30 G41 G1 X200\nN40 Y200"),
                     QStringLiteral("N30 G41 G2 X200 Y100 I150 J100\nN40 G1 Y200"));
    f.Draw(arcFirst);
    QCOMPARE(f.ContourPixels(), 0);
    QCOMPARE(f.ContourNote(), QStringLiteral("Keine korrigierte Kontur: ") +
                                  QString::fromLatin1(geometry::kCompensationOnArc) +
                                  QStringLiteral(" im Satz: N30 G41 G2 X200 Y100 I150 J100"));
    QVERIFY(f.host.shown.isEmpty());
    QCOMPARE(f.host.unexpected, 0);
    QVERIFY(!f.ws().messages().errorFlag());
    QCOMPARE(f.ws().sentStore().count(), 0);
    QVERIFY(f.Enabled(kNames.sendButton));
    f.contourBox().setChecked(false);
    QCOMPARE(f.ContourNote(), QString());

    struct Case {
      const char* program;
      const char* top;
      const char* bottom;
    } cases[] = {
        {"%1\nN10 G0 X10 Y10 Z2\nN20 G1 Z-5 F100\nN30 X50\nN40 G0 Z2\n", "Z 2", "Z -5"},
        {"%1\nN10 G1 X10 Y10 Z-0 F100\nN20 X50\nN30 M30\n", "Z 0", "Z 0"},
    };
    for (const Case& c : cases) {
      f.Draw(QString::fromLatin1(c.program));
      QCOMPARE(f.legend().topText(), QString::fromLatin1(c.top));
      QCOMPARE(f.legend().bottomText(), QString::fromLatin1(c.bottom));
    }
    QVERIFY(f.legend().isVisibleTo(&f.viewWindow()));
    f.depthBox().setChecked(false);
    QVERIFY(!f.legend().isVisibleTo(&f.viewWindow()));
    f.depthBox().setChecked(true);
  }

  // The marks lie on a layer of their own: the picture keeps the drawing's
  // pixels. The work area's frame lies where a path along its edge is
  // drawn (1.12 pixels a mm: X 0 is column 0, Y 300 row 357 - 336 = 21)
  // and under such a path; the path's box is dashed.
  void thePictureMarksTheWorkAreaAndThePathBox() {
    Fixture f;
    const QRgb frame = ui::kWorkAreaFrameColour, box = ui::kPathBoxColour, yellow = qRgb(255, 255, 0);
    const auto shown = [&f] { return f.picture().grab().toImage().convertToFormat(QImage::Format_RGB32); };
    QCOMPARE(shown().pixel(0, 100), qRgb(0, 0, 128));  // nothing over a blank picture
    // Away from the origin: the box runs from (112, 189) to (224, 245).
    f.Draw(QStringLiteral("%1\nN10 G0 X100 Y100\nN20 G1 X200 Y150 F100\nN30 M30\n"));
    const draw::Raster& raster = f.ws().raster();
    const QImage drawn = QImage(raster.pixels().data(), raster.width(), raster.height(), raster.width() * 3,
                                QImage::Format_RGB888).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(f.picture().pixmap().toImage().convertToFormat(QImage::Format_RGB32), drawn);
    QImage image = shown();
    QCOMPARE(image.pixel(0, 100), frame);
    QCOMPARE(image.pixel(300, 21), frame);
    QCOMPARE(image.pixel(300, 20), drawn.pixel(300, 20));
    QCOMPARE(image.pixel(1, 100), drawn.pixel(1, 100));
    QCOMPARE(image.pixel(113, 189), box);
    QCOMPARE(image.pixel(117, 189), drawn.pixel(117, 189));  // between two dashes
    QCOMPARE(image.pixel(112, 190), box);
    QCOMPARE(image.pixel(224, 220), box);
    // Exactly on the edges: the path lies over the frame.
    f.Draw(QStringLiteral("%1\nN10 G0 X50 Y300\nN20 G1 X150 F100\nN30 G0 X0 Y50\nN40 G1 Y100\nN50 M30\n"));
    image = shown();
    QCOMPARE(image.pixel(100, 21), yellow);
    QCOMPARE(image.pixel(200, 21), frame);
    QCOMPARE(image.pixel(0, 270), yellow);
    QCOMPARE(image.pixel(0, 200), frame);
    f.dir.Write("%2", "%2\nN10 G1 X10 F100\n");
    f.window.OpenProgram(QString::fromStdString(f.dir.File("%2")));
    QCOMPARE(shown().pixel(0, 100), qRgb(0, 0, 128));
  }

  // Kept when the window closes, for the next start: its size and place,
  // the view docked (or floating) with its width, the maximised state, the
  // rapid rate and the view's check boxes; a place off every screen comes
  // back onto the screen.
  // The first start opens at 651 x 587 in the middle of the screen.
  void theWindowKeepsItsRoomAndTheViewForTheNextStart() {
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QRect kept;
    int viewWidth = 0;
    {
      Fixture f;
      QCOMPARE(f.window.geometry(), QRect(screen.center() - QPoint(325, 293), QSize(651, 587)));
      f.window.show();
      f.window.OpenView();
      f.viewWindow().setFloating(false);
      f.rapidRate().setValue(1500.0);
      f.contourBox().setChecked(true);
      f.depthBox().setChecked(false);
      f.window.setGeometry(QRect(40, 60, f.window.width() + 30, 592));
      QApplication::processEvents();
      kept = f.window.geometry();
      viewWidth = f.viewWindow().width();
      f.window.OnActivated();  // the start picture's hold on closing ends
      QVERIFY(f.window.close());
    }
    {
      Fixture f;
      f.window.show();
      QApplication::processEvents();
      QCOMPARE(f.window.geometry(), kept);
      QVERIFY(f.viewWindow().isVisible());
      QVERIFY(!f.viewWindow().isFloating());
      QCOMPARE(f.viewWindow().width(), viewWidth);
      QCOMPARE(f.rapidRate().value(), 1500.0);
      QVERIFY(f.contourBox().isChecked());
      QVERIFY(!f.depthBox().isChecked());
      f.viewWindow().setFloating(true);
      f.window.showMaximized();
      QApplication::processEvents();
      f.window.OnActivated();
      QVERIFY(f.window.close());
    }
    {
      Fixture f;
      QVERIFY(f.window.isMaximized());
      f.window.show();
      QVERIFY(f.viewWindow().isFloating());
      f.window.showNormal();
      f.window.setGeometry(5000, 5000, 700, 592);
      f.window.OnActivated();
      QVERIFY(f.window.close());
    }
    Fixture f;
    QVERIFY(!f.window.isMaximized());
    QCOMPARE(f.window.size(), QSize(700, 592));
    QVERIFY(screen.contains(f.window.geometry()));  // its frame may stand out by its border
  }
};

RUR_WINDOW_TEST_MAIN(ViewWindowTest)

#include "view_window_test.moc"
