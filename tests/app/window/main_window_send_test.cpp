// The send command of the main window offscreen: compensation, the sent
// path in red, the frames, and what a compensation message does.
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "support/temp_dir.h"
#include "ui/fake_host.h"
#include "ui/nc_editor.h"
#include "window/main_window.h"

using testing_support::FakeHost;
using testing_support::TempDir;

namespace {

int PixelsOf(const QImage& picture, QColor colour) {
  int n = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) n += picture.pixelColor(x, y) == colour ? 1 : 0;
  }
  return n;
}

// A tool table with tool 1 of radius 5 (20-byte records: length, radius).
void WriteToolFile(TempDir& dir) {
  std::vector<std::uint8_t> bytes(100 * 20, 0);
  const std::uint8_t five[] = {0, 0, 0, 0, 0, 0, 0, 0xA0, 0x01, 0x40};
  std::copy(std::begin(five), std::end(five), bytes.begin() + 30);
  dir.Write("QVM_wkz.dat", bytes);
}

}  // namespace

class MainWindowSendTest : public QObject {
  Q_OBJECT

 private:
  struct Fixture {
    Fixture() : window(host, {"/nowhere/rur", dir.path()}, QString()) {
      WriteToolFile(dir);
      for (int i = 0; i < 2; ++i) host.Answer(QMessageBox::Ok);  // no settings, no zero points
      window.Image1Click();
      window.FormActivate();
    }
    void Draw(const QString& program) {
      window.showeditor->setPlainText(program);
      window.simuliereClick();
    }
    TempDir dir;
    FakeHost host;
    app::MainWindow window;
  };

 private slots:
  void sendingDrawsTheCompensatedPathInRedAndBuildsTheFrames() {
    Fixture f;
    f.Draw(QStringLiteral("%1\nN10 T1 D1 F100\nN20 G0 X100 Y100\nN30 G42 G1 X200\nN40 Y200\nN50 X100\n"
                          "N60 Y100\nN70 G40 G0 X0 Y0\nN80 M30"));
    QCOMPARE(f.host.unexpected, 0);
    QVERIFY(f.window.senden->isEnabled());
    const int drawnBlocks = f.window.workstation().blockStore.count();
    f.window.sendenClick();
    QCOMPARE(f.host.unexpected, 0);
    // Three corner blocks are added; the last corner falls at the G40 move.
    QCOMPARE(f.window.workstation().sentStore.count(), drawnBlocks + 3);
    QCOMPARE(f.window.meldung->text(),
             QStringLiteral("Sendedaten erstellt: %1 Sätze in 2 Rahmen (keine Schnittstelle angeschlossen)")
                 .arg(drawnBlocks + 3));
    const QImage picture = f.window.Image0->pixmap().toImage();
    QVERIFY(PixelsOf(picture, Qt::red) > 300);
    QCOMPARE(PixelsOf(picture, Qt::yellow), 0);
    // A new drawing is needed before the next transfer.
    QVERIFY(!f.window.senden->isEnabled());
    QVERIFY(f.window.simuliere->isEnabled());
    QVERIFY(f.window.laden->isEnabled());
    QCOMPARE(f.window.OvcMeter1->value(), 100);
    QVERIFY(f.window.programModified());  // the editor's text was not saved
  }

  void aCompensationMessageSendsNothing() {
    Fixture f;
    f.Draw(QStringLiteral("%1\nN10 T1 D1 F100\nN20 G0 X100 Y100\nN30 G41 G2 X120 Y120 I120 J100\nN40 G40 G0 X0"));
    QVERIFY(f.window.senden->isEnabled());
    f.host.Answer(QDialog::Accepted);  // the message window
    f.window.sendenClick();
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.window.workstation().messages.labels().description,
             std::string("Radiuskorrektur kann nur, in \" G0 oder G1 \" aufgebaut werden!"));
    QVERIFY(!f.window.meldung->text().startsWith(QStringLiteral("Sendedaten")));
    QCOMPARE(PixelsOf(f.window.Image0->pixmap().toImage(), Qt::red), 0);
    QVERIFY(!f.window.senden->isEnabled());
    QVERIFY(f.window.simuliere->isEnabled());
  }
};

QTEST_MAIN(MainWindowSendTest)
#include "main_window_send_test.moc"
