// The import of standard G-code in the main window: asked once per load of
// a program that shows a sign (never for the shipped examples); Yes puts
// the imported program into the editor as one edit and lists the changes
// in the window "Import", whose lines lead to their editor lines; a refused
// import keeps the text and lists the refusals; a program too long for the
// block store is split into part files; a path outside the work area is
// offered a shifted G54, at the limit of the work area.
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "data/block_record.h"
#include "nc/import/gcode_import.h"
#include "nc/import/standard_signs.h"
#include "support/temp_dir.h"
#include "ui/fake_host.h"
#include "ui/dialogs/import_notes_window.h"
#include "ui/dialogs/mask_table.h"
#include "ui/editor/nc_editor.h"
#include "ui/platform/qt_text.h"
#include "ui/dialogs/zero_point_dialog.h"
#include "window/gcode_import_offer.h"
#include "window/main_window.h"
#include "workstation/import_outcome.h"

using testing_support::FakeHost;
using testing_support::TempDir;

namespace {

// Fusion-style: a "%" at both ends, G21, an arc with I J relative to its start.
const char kCam[] =
    "%\r\n(1001)\r\nG90 G94\r\nG17\r\nG21\r\nT1\r\nS5000 M3\r\nG0 X10 Y10\r\nG1 Z-1 F300\r\nG1 X50 Y10 F600\r\n"
    "G3 X50 Y50 I0 J20\r\nG1 X10 Y50\r\nG0 Z5\r\nM30\r\n%\r\n";

QString Joined(const std::vector<std::string>& lines) {
  QStringList text;
  for (const std::string& line : lines) text << ui::ToQt(line);
  return text.join(QLatin1Char('\n'));
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

nc::ImportResult Imported(const std::string& text, const std::string& number) {
  nc::ImportOptions options;
  options.controllerType = 17;
  options.programNumber = number;
  return nc::ImportProgram(data::ProgramText(Lines(text)).Bytes(), options);
}

QString Asked(const std::string& text) {
  const auto sign = nc::FirstStandardSign(data::ProgramText(Lines(text)));
  return sign ? ui::ToQt(app::ImportQuestion(*sign)) : QString();
}

struct Fixture {
  Fixture() : window(host, {"/nowhere/rur", dir.path()}, QString()) {
    for (int i = 0; i < 3; ++i) host.Answer(QMessageBox::Ok);  // no settings, zero points, tools
    window.Image1Click();
    host.shown.clear();
  }
  // Loads text as file name, the questions answered in turn.
  void Load(const char* name, const std::string& text, std::initializer_list<int> answers) {
    dir.Write(name, text);
    for (int answer : answers) host.Answer(answer);
    window.OpenProgram(QString::fromStdString(dir.File(name)));
  }
  QString Text() const { return window.showeditor->toPlainText(); }
  int CursorLine() const { return window.showeditor->textCursor().blockNumber() + 1; }
  QListWidget& Notes() const { return *window.Import->hinweise; }
  void Click(int row) { emit Notes().itemClicked(Notes().item(row)); }
  TempDir dir;
  FakeHost host;
  app::MainWindow window;
};

}  // namespace

class ImportWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void yesPutsTheImportedProgramAndItsNotesBesideTheEditor() {
    Fixture f;
    f.Load("O1234.nc", kCam, {QMessageBox::Yes});
    const nc::ImportResult expected = Imported(kCam, "1234");  // the number the file name gives
    QVERIFY(expected.ok);
    QCOMPARE(f.host.shown, QStringList{Asked(kCam)});  // asked once, and nothing else
    QVERIFY(f.host.shown.front().endsWith(QString::fromLatin1(app::kImportQuestion)));
    QCOMPARE(f.Text(), Joined(expected.program.lines));
    QVERIFY(f.window.programModified());
    QCOMPARE(f.dir.Read("O1234.nc"), std::string(kCam));  // nothing written until saved
    QVERIFY(f.window.senden->isEnabled());                // drawn once, cleanly

    // Every note in the window, each leading to its line of the program.
    QVERIFY(f.window.Import->isVisible());
    const auto notes = rur::ImportNoteLines(expected);
    QCOMPARE(f.Notes().count(), int(notes.size()));
    QVERIFY(!notes.empty());
    for (int row = f.Notes().count() - 1; row >= 0; --row) {
      QCOMPARE(f.Notes().item(row)->text(), ui::ToQt(notes[std::size_t(row)].text));
      QVERIFY(notes[std::size_t(row)].text.rfind("Zeile ", 0) == 0 || notes[std::size_t(row)].editorLine == 0);
      f.window.showeditor->MoveToLine(1);
      f.Click(row);
      QCOMPARE(f.CursorLine(), notes[std::size_t(row)].editorLine > 0 ? notes[std::size_t(row)].editorLine : 1);
    }

    // One edit: undone, the text is the loaded one again.
    f.window.showeditor->undo();
    QCOMPARE(f.Text(), QString::fromLatin1(kCam).remove(QLatin1Char('\r')).chopped(1));
    // Loading another program takes the notes away.
    f.Load("%5", "%5\r\nN10 G1 X5\r\n", {});
    QVERIFY(!f.window.Import->isVisible());
    QCOMPARE(f.Notes().count(), 0);
  }

  void aRefusedImportKeepsTheTextAndListsTheRefusals() {
    Fixture f;
    const std::string cam = "G21\r\nG0 X0 Y0\r\n#1 = [#2 + 1]\r\nG1 X#1 F100\r\nM30\r\n";
    f.Load("FEHLER.NC", cam, {QMessageBox::Yes, QMessageBox::Ok});
    const nc::ImportResult expected = Imported(cam, "1");
    QVERIFY(!expected.ok);
    const auto notes = rur::ImportNoteLines(expected);
    QVERIFY(!notes.empty());
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.host.shown, (QStringList{Asked(cam), ui::ToQt(app::ImportRefusedText(notes.front().text))}));
    QCOMPARE(f.Text(), QString::fromStdString(cam).remove(QLatin1Char('\r')).chopped(1));
    QVERIFY(!f.window.programModified());
    QCOMPARE(f.Notes().count(), int(notes.size()));
    for (const auto& note : notes) QVERIFY(note.refusal);
    f.window.showeditor->MoveToLine(1);
    f.Click(0);
    QCOMPARE(f.CursorLine(), notes.front().editorLine);  // the source line, which is the editor's
    QCOMPARE(f.window.showeditor->textCursor().block().text().left(2), QStringLiteral("#1"));
  }

  void theShippedExamplesAreNeverAsked() {
    Fixture f;
    const std::filesystem::path examples = std::filesystem::path(RUR_SOURCE_DIR) / "resources" / "examples";
    for (const auto& entry : std::filesystem::directory_iterator(examples)) {
      f.window.OpenProgram(QString::fromStdString(entry.path().string()));
      QCOMPARE(f.host.shown, QStringList());
      QVERIFY(!f.window.programModified());
    }
  }

  // At the limit of the work area (400 x 300, edges inside): a path exactly
  // inside is offered nothing; 0.001 mm outside, the zero-point dialog with
  // G54 shifted by 0.001 mm.
  void aPathOutsideTheWorkAreaIsOfferedAShiftedZeroPoint() {
    Fixture f;
    f.Load("INNEN.NC", "G21\r\nG0 X0 Y0\r\nG1 X400 Y300 F100\r\nM30\r\n", {QMessageBox::Yes});
    QCOMPARE(f.host.shown.size(), 1);
    QVERIFY(f.window.senden->isEnabled());
    QVERIFY(!f.window.meldung->text().contains(QStringLiteral("Arbeitsbereichs")));

    const std::string outside = "G21\r\nG0 X-0.001 Y0\r\nG1 X399.999 Y300 F100\r\nM30\r\n";
    // Declined: nothing changes.
    f.Load("AUSSEN.NC", outside, {QMessageBox::Yes, QMessageBox::No});
    const QString question = QString::fromLatin1(
        "1 Satz au\xDF" "erhalb des Arbeitsbereichs, Bahn X -0.001..399.999 Y 0..300 mm.\n"
        "Nullpunkt G54 um X 0.001 Y 0 mm verschieben?");
    QCOMPARE(f.host.shown.last(), question);
    QCOMPARE(f.window.workstation().zeroPointRecord().At(data::Axis::X, 0), 0.0L);
    const QString imported = f.Text();

    // The dialog left by "Abbruch": nothing changes either.
    f.host.Answer(QMessageBox::Yes);
    f.host.Answer(QMessageBox::Yes);
    QString shownX;
    f.host.Then([&shownX](QDialog& d) {
      auto& dialog = static_cast<ui::TForm4&>(d);
      shownX = dialog.Tabelle->model()->index(0, 0).data().toString();
      dialog.AbbruchBtn->click();
      return dialog.result();
    });
    f.window.OpenProgram(QString::fromStdString(f.dir.File("AUSSEN.NC")));
    QCOMPARE(shownX, QStringLiteral("0.001"));
    QCOMPARE(f.window.workstation().zeroPointRecord().At(data::Axis::X, 0), 0.0L);
    QCOMPARE(f.window.workstation().zeroPointTable()[0].x, 0.0L);
    QCOMPARE(f.Text(), imported);

    // Saved: G54 (which the import selects) holds the shift, and the path
    // now lies inside.
    f.host.Answer(QMessageBox::Yes);
    f.host.Answer(QMessageBox::Yes);
    f.host.Then([](QDialog& d) {
      auto& dialog = static_cast<ui::TForm4&>(d);
      dialog.SpeichernBtn->click();
      return dialog.result();
    });
    f.window.OpenProgram(QString::fromStdString(f.dir.File("AUSSEN.NC")));
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.window.workstation().zeroPointRecord().At(data::Axis::X, 0), 0.001L);
    QCOMPARE(f.window.workstation().zeroPointTable()[0].x, 0.001L);
    QCOMPARE(f.Text(), imported);
    QVERIFY(!f.window.meldung->text().contains(QStringLiteral("Arbeitsbereichs")));
    QVERIFY(f.window.senden->isEnabled());
    QVERIFY(f.window.programModified());
  }

  // Yes: part files NAME, NAME_2 written, the first loaded as saved; No:
  // the whole program in the editor, not drawn (the store cannot hold it).
  void aProgramTooLongForTheStoreIsSplitIntoPartFiles() {
    std::string cam = "G21\r\nG0 Z5\r\n";  // rapid moves to holes and plunges, more than the store holds
    for (int i = 0; i < 8100; ++i) {
      const std::string x = std::to_string(i % 50);
      cam += "G0 X" + x + " Y" + std::to_string(i / 50 % 50) + "\r\nG1 Z-1 F100\r\nG1 X" + x + ".5\r\nG0 Z1\r\n";
    }
    cam += "M30\r\n";
    const nc::ImportResult expected = Imported(cam, "1");
    QVERIFY(expected.ok);
    QVERIFY(expected.parts.size() >= 2);
    {
      Fixture f;
      TempDir target;
      const QString first = QString::fromStdString(target.File("teil.nc"));
      f.dir.Write("LANG.NC", cam);
      f.host.Answer(QMessageBox::Yes);
      f.host.Answer(QMessageBox::Yes);
      f.host.Then([first](QDialog& d) {
        static_cast<QFileDialog&>(d).selectFile(first);
        return int(QDialog::Accepted);
      });
      f.window.OpenProgram(QString::fromStdString(f.dir.File("LANG.NC")));
      QCOMPARE(f.host.unexpected, 0);
      QCOMPARE(f.host.shown.mid(1, 2), (QStringList{ui::ToQt(app::SplitQuestion(expected)),
                                                     QString::fromLatin1(app::kFirstPartTitle)}));
      for (std::size_t k = 1; k <= expected.parts.size(); ++k) {
        const std::string name = rur::PartFileName(first.toStdString(), k);
        QCOMPARE(target.Read(std::filesystem::path(name).filename().string()),
                 rur::ProgramTextOf(expected.parts[k - 1]).Bytes());
      }
      QVERIFY(target.Exists("teil_2.nc"));
      QCOMPARE(f.Text(), Joined(expected.parts.front().lines));
      QVERIFY(!f.window.programModified());
      QCOMPARE(f.window.workstation().mainProgramFile(), first.toStdString());
      QVERIFY(f.window.senden->isEnabled());  // the first part drawn
      QCOMPARE(f.Notes().item(f.Notes().count() - 1)->text(),
               QStringLiteral("Teil %1: %2").arg(expected.parts.size()).arg(QString::fromStdString(
                   rur::PartFileName(first.toStdString(), expected.parts.size()))));
    }
    {
      Fixture f;
      f.Load("LANG.NC", cam, {QMessageBox::Yes, QMessageBox::No});
      QCOMPARE(f.host.unexpected, 0);
      QCOMPARE(f.window.showeditor->LineCount(), int(expected.program.lines.size()));
      QVERIFY(f.window.programModified());
      QVERIFY(!f.window.senden->isEnabled());
      QCOMPARE(f.window.pictureContent(), app::MainWindow::PictureContent::kBlank);
    }
  }
};

QTEST_MAIN(ImportWindowTest)
#include "import_window_test.moc"
