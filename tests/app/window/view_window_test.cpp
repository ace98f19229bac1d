// The path view under offscreen Qt: opening, docking and floating it,
// picking blocks in the view and on the picture (the editor follows, the
// status lines name the block), the editor's cursor lighting up blocks,
// zoom, pan and "Einpassen", the statistics, and the main window's room
// (size, place, maximised, the view docked) kept for the next start.
#include <QApplication>
#include <QDoubleSpinBox>
#include <QMouseEvent>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QWheelEvent>

#include "ui/path_view/path_view.h"
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

  void statisticsFollowTheRapidRate() {
    Fixture f;
    f.DrawExample();
    // Feed: 90 + 90 + 100 + 100 mm; rapid: (0, 0) to (10, 10), 10 sqrt 2.
    QVERIFY2(f.Statistics().startsWith(QStringLiteral("Vorschubweg 380.000 mm, Eilgangweg 14.142 mm")),
             qPrintable(f.Statistics()));
    f.rapidRate().setValue(60.0);  // 14.142 mm at 1 mm/s
    QVERIFY2(f.Statistics().contains(QStringLiteral("Eilgang 14.1 s")), qPrintable(f.Statistics()));
    // Moves without a feed are counted, one of them in the singular.
    for (const auto& [program, tail] : {std::pair{"%1\nN10 G1 X10\nN20 M30", "Verweilen 0.0 s), 1 Satz ohne Vorschub"},
                                        std::pair{"%1\nN10 G1 X10\nN20 Y10\nN30 M30", "s), 2 Sätze ohne Vorschub"}}) {
      f.editor().setPlainText(QString::fromUtf8(program));
      f.window.OnDraw();  // three lines: the button is off, the command is not
      QVERIFY2(f.Statistics().endsWith(QString::fromUtf8(tail)), qPrintable(f.Statistics()));
    }
  }

  // Kept when the window closes, for the next start: its size and place,
  // the view docked (or floating) with its width, the maximised state, and
  // the rapid rate; a place off every screen comes back onto the screen.
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
