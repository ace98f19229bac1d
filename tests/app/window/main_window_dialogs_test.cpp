// The tool table and zero-point dialogs as the operator meets them through
// the main window: editing, saving byte for byte, aborting, clearing,
// failed writes, the tool pictures and the zero points per controller type.
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "support/temp_dir.h"
#include "ui/fake_host.h"
#include "ui/dialogs/mask_table.h"
#include "ui/path_view/picture_button.h"
#include "ui/dialogs/tool_dialog.h"
#include "ui/dialogs/zero_point_dialog.h"
#include "window/main_window.h"
#include "workstation/state_access.h"

using testing_support::FakeHost;
using testing_support::TempDir;

namespace {

// Extended values as the files hold them: 10 bytes, little-endian.
const std::string k2_5("\x00\x00\x00\x00\x00\x00\x00\xA0\x00\x40", 10);
const std::string k1_0("\x00\x00\x00\x00\x00\x00\x00\x80\xFF\x3F", 10);
const std::string k1_5("\x00\x00\x00\x00\x00\x00\x00\xC0\xFF\x3F", 10);
const std::string k3_0("\x00\x00\x00\x00\x00\x00\x00\xC0\x00\x40", 10);
const std::string k9_0("\x00\x00\x00\x00\x00\x00\x00\x90\x02\x40", 10);
const std::string k12_5("\x00\x00\x00\x00\x00\x00\x00\xC8\x02\x40", 10);

std::string WithValueAt(std::string bytes, std::size_t offset, const std::string& value) {
  return bytes.replace(offset, value.size(), value);
}

// Makes a cell current and opens its editor, as a click on it does.
QLineEdit* OpenCell(ui::MaskTable* table, int row, int column) {
  const QModelIndex index = table->model()->index(row, column);
  table->setCurrentIndex(index);
  if (table->Editor() == nullptr) table->edit(index);
  return table->Editor();
}

// Types over what a cell shows and presses Enter.
void TypeIntoCell(ui::MaskTable* table, int row, int column, const QString& text) {
  QLineEdit* editor = OpenCell(table, row, column);
  QVERIFY(editor != nullptr);
  QTest::keyClicks(editor, text);
  QTest::keyClick(editor, Qt::Key_Return);
}

QString CellText(ui::MaskTable* table, int row, int column) {
  return table->model()->index(row, column).data().toString();
}

void WriteBmp(const TempDir& dir, const char* name, QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::darkGreen);
  QVERIFY(image.save(QString::fromStdString(dir.File(name)), "BMP"));
}

}  // namespace

class MainWindowDialogsTest : public QObject {
  Q_OBJECT

 private:
  struct Fixture {
    Fixture() : window(host, {"/nowhere/rur", dir.path()}, QString()) {}
    // Enters the working state; start-up warnings for missing files are answered.
    void Start() {
      for (int i = 0; i < 3; ++i) host.Answer(QMessageBox::Ok);
      window.Image1Click();
      host.handlers.clear();
      host.shown.clear();
    }
    rur::Workstation& ws() { return window.workstation(); }
    // Runs the tool dialog with a handler working on it.
    void Tools(const std::function<int(ui::Twerkzeug&)>& handler) {
      host.Then([handler](QDialog& d) { return handler(static_cast<ui::Twerkzeug&>(d)); });
      window.senden->setEnabled(true);
      window.WerkzeugtasteClick();
    }
    void ZeroPoints(const std::function<int(ui::TForm4&)>& handler) {
      host.Then([handler](QDialog& d) { return handler(static_cast<ui::TForm4&>(d)); });
      window.senden->setEnabled(true);
      window.nullpunktClick();
    }
    TempDir dir;
    FakeHost host;
    app::MainWindow window;
  };

 private slots:
  void toolEditIsSavedByteForByte() {
    Fixture f;
    const std::string file = WithValueAt(std::string(2000, '\0'), 0, k9_0);  // tool 0: never shown
    f.dir.Write("QVM_wkz.dat", file);
    f.Start();
    ui::Twerkzeug* d = f.window.werkzeug;
    QCOMPARE(d->Tabelle->model()->rowCount(), 99);
    QCOMPARE(CellText(d->Tabelle, 98, 0), QStringLiteral("99"));
    int toolAfterEnter = 0;
    f.Tools([&](ui::Twerkzeug& dialog) {
      TypeIntoCell(dialog.Tabelle, 6, 2, QStringLiteral("2.5"));
      toolAfterEnter = dialog.CurrentToolRow();
      dialog.SpeichernBtn->click();
      return dialog.result();
    });
    QCOMPARE(toolAfterEnter, 8);
    QCOMPARE(f.dir.Read("QVM_wkz.dat"), WithValueAt(file, 7 * 20 + 10, k2_5));
    QCOMPARE(rur::StateOf(f.ws()).tools[7].radiusCorrection, 2.5L);
    QCOMPARE(CellText(d->Tabelle, 0, 1), QStringLiteral("0.000"));  // row 1 is tool 1
    QVERIFY(!f.window.senden->isEnabled());
    QCOMPARE(f.host.shown, QStringList{"Werkzeugdaten"});
  }

  void abortedToolEditsGiveWayToTheFile() {
    Fixture f;
    f.dir.Write("QVM_wkz.dat", WithValueAt(std::string(2000, '\0'), 7 * 20 + 10, k1_0));
    f.Start();
    f.Tools([](ui::Twerkzeug& d) {
      TypeIntoCell(d.Tabelle, 6, 2, QStringLiteral("2.5"));
      TypeIntoCell(d.Tabelle, 40, 1, QStringLiteral("4"));
      d.AbbruchBtn->click();
      return d.result();
    });
    QCOMPARE(rur::StateOf(f.ws()).tools[7].radiusCorrection, 1.0L);
    QCOMPARE(rur::StateOf(f.ws()).tools[41].lengthCorrection, 0.0L);
    ui::Twerkzeug* d = f.window.werkzeug;
    f.Tools([](ui::Twerkzeug&) { return int(QDialog::Rejected); });
    QCOMPARE(CellText(d->Tabelle, 6, 2), QStringLiteral("1.000"));
    QCOMPARE(d->CurrentToolRow(), 1);
    QCOMPARE(d->Tabelle->currentIndex().row(), 0);
  }

  void initialClearsEveryToolEvenWhileEditing() {
    Fixture f;
    std::string file(2000, '\0');
    for (std::size_t at = 0; at < file.size(); at += 10) file.replace(at, 10, k3_0);
    f.dir.Write("QVM_wkz.dat", file);
    f.Start();
    f.Tools([](ui::Twerkzeug& d) {
      QTest::keyClicks(OpenCell(d.Tabelle, 2, 1), QStringLiteral("5"));  // not committed
      d.InitialBtn->click();
      d.SpeichernBtn->click();
      return d.result();
    });
    QCOMPARE(f.dir.Read("QVM_wkz.dat"), std::string(2000, '\0'));
  }

  void failedWritesShowTheBoxAndKeepTheDialogsOpen() {
    Fixture f;
    f.Start();
    QVERIFY(QDir().mkpath(QString::fromStdString(f.dir.File("QVM_wkz.dat"))));
    QVERIFY(QDir().mkpath(QString::fromStdString(f.dir.File("Npv_QVM.dat"))));
    QSignalSpy toolsAccepted(f.window.werkzeug, &QDialog::accepted);
    QSignalSpy zeroAccepted(f.window.Form4, &QDialog::accepted);
    f.Tools([&](ui::Twerkzeug& d) {
      f.host.Answer(QMessageBox::Ok);
      d.SpeichernBtn->click();
      return d.result();
    });
    f.ZeroPoints([&](ui::TForm4& d) {
      f.host.Answer(QMessageBox::Ok);
      d.SpeichernBtn->click();
      return d.result();
    });
    QCOMPARE(toolsAccepted.count() + zeroAccepted.count(), 0);
    QCOMPARE(f.host.shown, (QStringList{"Werkzeugdaten", "Fehler beim schreiben der Werzeugdaten!",
                                        "Nullpunktverschiebungen",
                                        "Fehler beim schreiben der Nullpunktverschiebungen!\n\rDie Datei wurde "
                                        "nicht geschrieben."}));
  }

  void toolPictureOrFallbackOrAnExplanationIsShown() {
    Fixture f;
    WriteBmp(f.dir, "wform_7.bmp", {20, 10});
    f.dir.Write("WForm_2.Bmp", "");
    f.dir.Write("WForm_3.Bmp", std::string("BM\x36\x00\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00\x28\x00\x00\x00"
                                           "\xff\xff\xff\x7f\xff\xff\xff\x7f\x01\x00\x18\x00",
                                           30));
    f.Start();
    QStringList texts;
    QList<QSize> pictures;
    auto show = [&](ui::Twerkzeug& d, int tool) {
      d.Tabelle->setCurrentIndex(d.Tabelle->model()->index(tool - 1, 1));
      d.ZeigenBtn->click();
      texts << (d.Bild->isHidden() ? QStringLiteral("hidden") : d.Bild->text());
      pictures << d.Bild->pixmap().size();
    };
    f.Tools([&](ui::Twerkzeug& d) {
      for (int tool : {7, 1, 2, 3}) show(d, tool);
      return int(QDialog::Rejected);
    });
    WriteBmp(f.dir, "NoPic.Bmp", {30, 30});
    f.Tools([&](ui::Twerkzeug& d) {
      show(d, 8);
      QTest::mouseClick(d.Bild, Qt::LeftButton);
      texts << (d.Bild->isHidden() ? QStringLiteral("hidden") : QStringLiteral("shown"));
      return int(QDialog::Rejected);
    });
    QCOMPARE(texts, (QStringList{"", "Kein Bild vorhanden:\nWForm_1.Bmp und NoPic.Bmp fehlen",
                                 "Bild nicht lesbar:\nWForm_2.Bmp", "Bild nicht lesbar:\nWForm_3.Bmp", "", "hidden"}));
    QCOMPARE(pictures, (QList<QSize>{{20, 10}, {0, 0}, {0, 0}, {0, 0}, {30, 30}}));
  }

  void zeroPointsShowTheFileAndReachTheTableOnAbort() {
    Fixture f;
    const std::string file = WithValueAt(std::string(150, '\0'), 60, k12_5);  // G55 Y
    f.dir.Write("Npv_QVM.dat", file);
    f.Start();
    ui::TForm4* d = f.window.Form4;
    QCOMPARE(CellText(d->Tabelle, 1, 1), QStringLiteral("12.500"));
    bool editingAtOnce = false;
    f.ZeroPoints([&](ui::TForm4& dialog) {
      editingAtOnce = dialog.Tabelle->Editor() != nullptr;
      TypeIntoCell(dialog.Tabelle, 0, 0, QStringLiteral("7"));
      QTest::keyClicks(OpenCell(dialog.Tabelle, 0, 1), QStringLiteral("4"));  // G54 Y, left open
      dialog.AbbruchBtn->click();
      return dialog.result();
    });
    QVERIFY(editingAtOnce);
    QCOMPARE(f.ws().zeroPointTable()[1].y, 12.5L);
    QCOMPARE(f.ws().zeroPointTable()[0].x, 7.0L);
    QCOMPARE(f.ws().zeroPointTable()[0].y, 4.0L);
    QCOMPARE(f.dir.Read("Npv_QVM.dat"), file);
    QVERIFY(!f.window.senden->isEnabled());
  }

  void defaultTypeEditsG54ToG57AndWritesG58Back() {
    Fixture f;
    std::string file = std::string(150, '\0');
    for (std::size_t g58 : {40, 90, 140}) file = WithValueAt(file, g58, k3_0);
    f.dir.Write("Npv_QVM.dat", file);
    f.Start();
    QCOMPARE(int(f.ws().settings().controllerType), 17);
    f.ZeroPoints([](ui::TForm4& d) {
      TypeIntoCell(d.Tabelle, 3, 2, QStringLiteral("1.5"));  // G57 Z
      d.SpeichernBtn->click();
      return d.result();
    });
    QCOMPARE(f.window.Form4->Tabelle->model()->rowCount(), 4);
    QVERIFY(f.window.Form4->Labels[3]->isEnabled());
    QVERIFY(!f.window.Form4->Labels[4]->isEnabled());
    QCOMPARE(f.dir.Read("Npv_QVM.dat"), WithValueAt(file, 130, k1_5));
    // "&Initialisir." clears the hidden G58 as well.
    f.ZeroPoints([](ui::TForm4& d) {
      d.InitBtn->click();
      d.AbbruchBtn->click();
      return d.result();
    });
    QCOMPARE(f.ws().zeroPointTable()[4].z, 0.0L);
  }

  void zeroPointRowsFollowTheControllerType() {
    Fixture f;
    f.Start();
    rur::StateOf(f.ws()).settings.controllerType = 3;
    rur::StateOf(f.ws()).zeroPointRecord.At(data::Axis::X, 0) = 1.0L;
    bool editorOpened = true;
    f.ZeroPoints([&](ui::TForm4& d) {
      QTest::keyClicks(d.Tabelle, QStringLiteral("5"));
      editorOpened = d.Tabelle->Editor() != nullptr;
      d.SpeichernBtn->click();
      return d.result();
    });
    QVERIFY(!editorOpened);
    QCOMPARE(f.window.Form4->Tabelle->model()->rowCount(), 0);
    for (QLabel* label : f.window.Form4->Labels) QVERIFY(!label->isEnabled());
    QCOMPARE(f.dir.Read("Npv_Num.dat"), WithValueAt(std::string(150, '\0'), 0, k1_0));

    Fixture g;
    g.Start();
    rur::StateOf(g.ws()).settings.controllerType = 13;
    g.ZeroPoints([](ui::TForm4&) { return int(QDialog::Rejected); });
    QCOMPARE(g.window.Form4->Tabelle->model()->rowCount(), 5);
    QVERIFY(g.window.Form4->Labels[4]->isEnabled());
  }
};

QTEST_MAIN(MainWindowDialogsTest)
#include "main_window_dialogs_test.moc"
