// The path view window under offscreen Qt: opening it, picking blocks in
// the view and on the picture (the editor follows, the status lines name
// the block), the editor's cursor lighting up blocks, zoom, pan and
// "Einpassen", the statistics, and the window's remembered size.
#include <QApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QWheelEvent>
#include <memory>

#include "support/temp_dir.h"
#include "ui/fake_host.h"
#include "ui/editor/nc_editor.h"
#include "ui/path_view/path_view.h"
#include "window/main_window.h"
#include "window/view_window.h"

using testing_support::FakeHost;
using testing_support::TempDir;

namespace {

// Editor lines 0 and 1 come before the program; line 4 is split before its
// parameter word; %7 runs from (100, 100) to (200, 100) and (200, 200).
const char kMain[] =
    "(TEIL)\r\n\r\n%1\r\nN10 G00 X10 Y10\r\nN20 G01 X100 F200 L5=3\r\nN30 Y100\r\nN40 G77 H7\r\nN50 M30\r\n";
const char kSub[] = "%7\r\nN10 G01 X200 Y100 F100\r\nN20 Y200\r\nN30 M17\r\n";

struct Fixture {
  Fixture() : window(host, {"/nowhere/rur", dir.path()}, QString()) {
    for (int i = 0; i < 3; ++i) host.Answer(QMessageBox::Ok);
    window.Image1Click();
  }
  void Draw() {
    dir.Write("%1", kMain);
    dir.Write("%7", kSub);
    window.OpenProgram(QString::fromStdString(dir.File("%1")));
    window.simuliereClick();
  }
  // The first stored block of that motion ending at (x, y); 0 when none.
  std::int32_t BlockEndingAt(double x, double y, int motion = 1) {
    const data::BlockStore& store = window.workstation().blockStore();
    for (std::int32_t p = 1; p <= store.count(); ++p) {
      const data::BlockRecord& r = store.At(p);
      if (r.endX == x && r.endY == y && r.motion == motion) return p;
    }
    return 0;
  }
  void PutCursorOnLine(int line) {
    window.showeditor->setTextCursor(QTextCursor(window.showeditor->document()->findBlockByNumber(line)));
  }
  int EditorLine() const { return window.showeditor->textCursor().blockNumber(); }
  ui::PathView& view() { return *window.Ansicht->view; }
  void ClickInView(draw::PathPoint p) { QTest::mouseClick(&view(), Qt::LeftButton, {}, view().ToPixel(p).toPoint()); }

  TempDir dir;
  FakeHost host;
  app::MainWindow window;
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
  void doubleClickOnThePictureAndF4OpenTheView() {
    Fixture f;
    QVERIFY(!f.window.Ansicht->isVisible());
    QTest::mouseDClick(f.window.Image0, Qt::LeftButton, {}, QPoint(20, 20));
    QVERIFY(f.window.Ansicht->isVisible());
    QCOMPARE(f.window.size(), QSize(651, 587));  // the main window keeps its layout
    f.window.Ansicht->hide();
    f.window.show();
    f.window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QTest::keyClick(&f.window, Qt::Key_F4);
    QVERIFY(f.window.Ansicht->isVisible());
  }

  void clickInTheViewSelectsTheLineThatMadeTheBlock() {
    Fixture f;
    f.Draw();
    QCOMPARE(f.host.unexpected, 0);
    f.window.Ansicht->Open();
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
      QCOMPARE(f.window.showeditor->textCursor().selectedText(), QString::fromLatin1(c.selected));
      QVERIFY2(f.window.Ansicht->meldung->text().endsWith(QStringLiteral(", Zeile %1").arg(c.editorLine + 1)),
               qPrintable(f.window.Ansicht->meldung->text()));
    }
    // The selected line lights up its block.
    QVERIFY(f.view().Highlighted() == std::vector<std::int32_t>{f.BlockEndingAt(10.0, 10.0, 0)});
    // Nothing within a few pixels: the editor stays.
    f.ClickInView({300.0, 20.0});
    QCOMPARE(f.EditorLine(), 3);
  }

  void clickOnThePictureSelectsTheLine() {
    Fixture f;
    f.Draw();
    // 1.12 pixels a mm (448 / 400): (100, 55) is the pixel (112, 357 - 61.6).
    QTest::mouseClick(f.window.Image0, Qt::LeftButton, {}, QPoint(112, 295));
    QCOMPARE(f.EditorLine(), 5);
    const QString text = f.window.meldung->text();
    QCOMPARE(text, QStringLiteral("Satz %1: %2, Zeile 6")
                       .arg(f.BlockEndingAt(100.0, 100.0))
                       .arg(QString::fromStdString(f.window.workstation().subprograms().NameOf(0))));
    // The picture draws no rapid moves: (5, 5) on the rapid one picks nothing.
    QTest::mouseClick(f.window.Image0, Qt::LeftButton, {}, QPoint(6, 351));
    QCOMPARE(f.EditorLine(), 5);
    QCOMPARE(f.window.meldung->text(), text);
  }

  void aSubprogramBlockIsNamedAndTheEditorStays() {
    Fixture f;
    f.Draw();
    f.window.Ansicht->Open();
    f.PutCursorOnLine(1);
    f.ClickInView({200.0, 150.0});
    QCOMPARE(f.window.Ansicht->meldung->text(),
             QStringLiteral("Satz %1: %7, Zeile 3").arg(f.BlockEndingAt(200.0, 200.0)));
    QCOMPARE(f.EditorLine(), 1);
  }

  void theEditorCursorLightsUpTheBlocksOfItsLines() {
    Fixture f;
    f.Draw();
    using Positions = std::vector<std::int32_t>;
    f.PutCursorOnLine(5);
    QVERIFY(f.view().Highlighted() == Positions{f.BlockEndingAt(100.0, 100.0)});
    f.PutCursorOnLine(1);  // before the "%": made nothing
    QVERIFY(f.view().Highlighted().empty());
    // A selection over lines 5 and 6: the call made no block of its own line.
    QTextCursor cursor(f.window.showeditor->document()->findBlockByNumber(5));
    cursor.setPosition(f.window.showeditor->document()->findBlockByNumber(6).position() + 2, QTextCursor::KeepAnchor);
    f.window.showeditor->setTextCursor(cursor);
    QVERIFY(f.view().Highlighted().size() >= 1u);
    QCOMPARE(f.view().Highlighted().front(), f.BlockEndingAt(100.0, 100.0));
    // An edit moves the lines: nothing is linked until the next drawing.
    f.PutCursorOnLine(5);
    f.window.showeditor->insertPlainText(QStringLiteral(" "));
    QVERIFY(f.view().Highlighted().empty());
  }

  void zoomKeepsThePointUnderTheCursorAndEinpassenRestoresTheFit() {
    Fixture f;
    f.Draw();
    f.window.Ansicht->Open();
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
    QTest::mouseClick(f.window.Ansicht->einpassen, Qt::LeftButton);
    QVERIFY(view.Transform() == fitted);
  }

  void statisticsFollowTheRapidRate() {
    Fixture f;
    f.Draw();
    // Feed: 90 + 90 + 100 + 100 mm; rapid: (0, 0) to (10, 10), 10 sqrt 2.
    const QString text = f.window.Ansicht->statistik->text();
    QVERIFY2(text.startsWith(QStringLiteral("Vorschubweg 380.000 mm, Eilgangweg 14.142 mm")), qPrintable(text));
    f.window.Ansicht->eilgang->setValue(60.0);  // 14.142 mm at 1 mm/s
    QVERIFY2(f.window.Ansicht->statistik->text().contains(QStringLiteral("Eilgang 14.1 s")),
             qPrintable(f.window.Ansicht->statistik->text()));
    // Moves without a feed are counted, one of them in the singular.
    for (const auto& [program, tail] : {std::pair{"%1\nN10 G1 X10\nN20 M30", "Verweilen 0.0 s), 1 Satz ohne Vorschub"},
                                        std::pair{"%1\nN10 G1 X10\nN20 Y10\nN30 M30", "s), 2 Sätze ohne Vorschub"}}) {
      f.window.showeditor->setPlainText(QString::fromUtf8(program));
      f.window.simuliereClick();
      const QString statistics = f.window.Ansicht->statistik->text();
      QVERIFY2(statistics.endsWith(QString::fromUtf8(tail)), qPrintable(statistics));
    }
  }

  // The size is kept when the view is hidden and when the program ends with
  // the view still open (it is never hidden then); the rapid rate too.
  void theWindowRemembersItsSizeAndTheRapidRate() {
    for (const auto& [hidden, size] : {std::pair{true, QSize(640, 480)}, std::pair{false, QSize(700, 500)}}) {
      {
        Fixture f;
        if (!hidden) f.window.show();
        f.window.Ansicht->Open();
        f.window.Ansicht->resize(size);
        if (hidden) f.window.Ansicht->eilgang->setValue(1500.0);
        if (hidden) f.window.Ansicht->hide();
      }
      Fixture f;
      f.window.Ansicht->Open();
      QCOMPARE(f.window.Ansicht->size(), size);
      QCOMPARE(f.window.Ansicht->eilgang->value(), 1500.0);
    }
  }
};

// The per-user settings go into a directory of the test's own.
int main(int argc, char** argv) {
  const TempDir config;
  qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path()));
  QApplication app(argc, argv);
  ViewWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "view_window_test.moc"
