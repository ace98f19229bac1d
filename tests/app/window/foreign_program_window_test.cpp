// Programs of other controls in the main window. The import of standard
// G-code is asked once per load of a program that shows a sign (never for
// the shipped examples); Yes puts the imported program into the editor as
// one edit and lists the changes in the window "Import", whose lines lead
// to their editor lines; a refused import keeps the text and lists the
// refusals; a program too long for the block store is split into part
// files; a path outside the work area is offered a shifted G54, at the
// limit of the work area. Declined, what is missing is offered (capitals,
// a "%1" header; Yes edits the editor, undoably, and marks it modified);
// a subprogram's lower case is pointed out once, and the status line says
// when a drawing reaches outside the work area.
#include <QListWidget>
#include <QTest>
#include <QTextBlock>
#include <filesystem>
#include <sstream>

#include "data/block_record.h"
#include "nc/import/gcode_import.h"
#include "nc/import/standard_signs.h"
#include "ui/dialogs/zero_point_dialog.h"
#include "ui/platform/qt_text.h"
#include "window/foreign_program_offers.h"
#include "window/gcode_import_offer.h"
#include "window_fixture.h"
#include "workstation/import_outcome.h"

using namespace testing_support;

namespace {

// Fusion-style: a "%" at both ends, G21, an arc with I J relative to its start.
const char kCam[] =
    "%\r\n(1001)\r\nG90 G94\r\nG17\r\nG21\r\nT1\r\nS5000 M3\r\nG0 X10 Y10\r\nG1 Z-1 F300\r\nG1 X50 Y10 F600\r\n"
    "G3 X50 Y50 I0 J20\r\nG1 X10 Y50\r\nG0 Z5\r\nM30\r\n%\r\n";

// Mixed case in comments, parentheses and after ";" (whose "v" the run
// would read as an incremental Y word), and no header.
const char kForeign[] = "(Teil von woanders)\r\ng0 x10 y10\r\nG1 X50 F200 (Bohrung Tief)\r\ny50 ; 40 mm vor\r\nM30\r\n";

const QString kLowerCase = QString::fromLatin1(app::kLowerCaseQuestion);
const QString kHeader = QString::fromLatin1(app::kHeaderQuestion);

QString Joined(const std::vector<std::string>& lines) {
  QStringList text;
  for (const std::string& line : lines) text << ui::ToQt(line);
  return text.join(QLatin1Char('\n'));
}

// The text as the editor shows a loaded file.
QString Shown(const std::string& file) { return QString::fromStdString(file).remove(QLatin1Char('\r')).chopped(1); }

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

// The import question for the sign at line.
QString ImportAsked(int line, const char* sign) { return ui::ToQt(app::ImportQuestion({line, sign})); }

struct Fixture : WindowFixture {
  explicit Fixture(const QString& startProgram = QString()) : WindowFixture(QString(), startProgram) {}
  // Opens text as file name (as "&Laden" does once its dialog named it),
  // the questions answered in turn.
  void Open(const char* name, const std::string& text, std::initializer_list<int> answers) {
    dir.Write(name, text);
    for (int answer : answers) host.Answer(answer);
    window.OpenProgram(QString::fromStdString(dir.File(name)));
  }
  int CursorLine() { return editor().textCursor().blockNumber() + 1; }
  QWidget& importWindow() { return Get<QWidget>(ui::kImportNotesNames.window); }
  QListWidget& Notes() { return Part<QListWidget>(importWindow(), ui::kImportNotesNames.notes); }
  void Click(int row) { emit Notes().itemClicked(Notes().item(row)); }
};

}  // namespace

class ForeignProgramWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void yesPutsTheImportedProgramAndItsNotesBesideTheEditor() {
    Fixture f;
    f.Start();
    f.Open("O1234.nc", kCam, {QMessageBox::Yes});
    const nc::ImportResult expected = Imported(kCam, "1234");  // the number the file name gives
    QVERIFY(expected.ok);
    QCOMPARE(f.host.shown, QStringList{Asked(kCam)});  // asked once, and nothing else
    QVERIFY(f.host.shown.front().endsWith(QString::fromLatin1(app::kImportQuestion)));
    QCOMPARE(f.Text(), Joined(expected.program.lines));
    QVERIFY(f.window.programModified());
    QCOMPARE(f.dir.Read("O1234.nc"), std::string(kCam));  // nothing written until saved
    QVERIFY(f.Enabled(kNames.sendButton));                // drawn once, cleanly

    // Every note in the window, each leading to its line of the program.
    QVERIFY(f.importWindow().isVisible());
    const auto notes = rur::ImportNoteLines(expected);
    QCOMPARE(f.Notes().count(), int(notes.size()));
    QVERIFY(!notes.empty());
    for (int row = f.Notes().count() - 1; row >= 0; --row) {
      const rur::ImportNoteLine& note = notes[std::size_t(row)];
      QCOMPARE(f.Notes().item(row)->text(), ui::ToQt(note.text));
      QVERIFY(note.text.rfind("Zeile ", 0) == 0 || note.editorLine == 0);
      f.editor().MoveToLine(1);
      f.Click(row);
      QCOMPARE(f.CursorLine(), note.editorLine > 0 ? note.editorLine : 1);
    }

    // One edit: undone, the text is the loaded one again.
    f.editor().undo();
    QCOMPARE(f.Text(), Shown(kCam));
    // Loading another program takes the notes away.
    f.Open("%5", "%5\r\nN10 G1 X5\r\n", {});
    QVERIFY(!f.importWindow().isVisible());
    QCOMPARE(f.Notes().count(), 0);
  }

  void aRefusedImportKeepsTheTextAndListsTheRefusals() {
    Fixture f;
    f.Start();
    const std::string cam = "G21\r\nG0 X0 Y0\r\n#1 = [#2 + 1]\r\nG1 X#1 F100\r\nM30\r\n";
    f.Open("FEHLER.NC", cam, {QMessageBox::Yes, QMessageBox::Ok});
    const nc::ImportResult expected = Imported(cam, "1");
    QVERIFY(!expected.ok);
    const auto notes = rur::ImportNoteLines(expected);
    QVERIFY(!notes.empty());
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.host.shown, (QStringList{Asked(cam), ui::ToQt(app::ImportRefusedText(notes.front().text))}));
    QCOMPARE(f.Text(), Shown(cam));
    QVERIFY(!f.window.programModified());
    QCOMPARE(f.Notes().count(), int(notes.size()));
    for (const auto& note : notes) QVERIFY(note.refusal);
    f.editor().MoveToLine(1);
    f.Click(0);
    QCOMPARE(f.CursorLine(), notes.front().editorLine);  // the source line, which is the editor's
    QCOMPARE(f.editor().textCursor().block().text().left(2), QStringLiteral("#1"));
  }

  void theShippedExamplesAreNeverAsked() {
    Fixture f;
    f.Start();
    const std::filesystem::path examples = std::filesystem::path(RUR_SOURCE_DIR) / "resources" / "examples";
    for (const auto& entry : std::filesystem::directory_iterator(examples)) {
      f.window.OpenProgram(QString::fromStdString(entry.path().string()));
      QCOMPARE(f.host.shown, QStringList());
      QVERIFY(!f.window.programModified());
    }
  }

  // A path 0.001 mm outside the work area (the offer at its limits:
  // outside_work_area_test) is offered the zero-point dialog with G54
  // shifted by 0.001 mm.
  void aPathOutsideTheWorkAreaIsOfferedAShiftedZeroPoint() {
    Fixture f;
    f.Start();
    const std::string outside = "G21\r\nG0 X-0.001 Y0\r\nG1 X399.999 Y300 F100\r\nM30\r\n";
    // Declined: nothing changes.
    f.Open("AUSSEN.NC", outside, {QMessageBox::Yes, QMessageBox::No});
    QVERIFY(f.host.shown.last().endsWith(QStringLiteral("Nullpunkt G54 um X 0.001 Y 0 mm verschieben?")));
    QCOMPARE(f.ws().zeroPointRecord().At(data::Axis::X, 0), 0.0L);
    const QString imported = f.Text();

    // The dialog left by "Abbruch", then saved: only OK shifts G54 (which
    // the import selects), and the path then lies inside.
    const ui::ZeroPointDialogNames& zero = ui::kZeroPointDialogNames;
    for (const char* button : {zero.cancelButton, zero.saveButton}) {
      const bool saved = button == zero.saveButton;
      QString shownX;
      f.host.Answer(QMessageBox::Yes);
      f.host.Answer(QMessageBox::Yes);
      f.host.Then([&shownX, &zero, button](QDialog& d) {
        shownX = CellText(Part<ui::MaskTable>(d, zero.table), 0, 0);
        Part<QPushButton>(d, button).click();
        return d.result();
      });
      f.window.OpenProgram(QString::fromStdString(f.dir.File("AUSSEN.NC")));
      QCOMPARE(f.host.unexpected, 0);
      QCOMPARE(shownX, QStringLiteral("0.001"));
      QCOMPARE(f.ws().zeroPointRecord().At(data::Axis::X, 0), saved ? 0.001L : 0.0L);
      QCOMPARE(f.ws().zeroPointTable()[0].x, saved ? 0.001L : 0.0L);
      QCOMPARE(f.Text(), imported);
    }
    QVERIFY(!f.status().text().contains(QStringLiteral("Arbeitsbereichs")));
    QVERIFY(f.Enabled(kNames.sendButton));
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
    Fixture f;
    f.Start();
    TempDir target;
    const QString first = QString::fromStdString(target.File("teil.nc"));
    f.host.Answer(QMessageBox::Yes);
    f.host.Answer(QMessageBox::Yes);
    f.host.Then(ChooseFile(first));
    f.Open("LANG.NC", cam, {});
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.host.shown.mid(1, 2),
             (QStringList{ui::ToQt(app::SplitQuestion(expected)), QString::fromLatin1(app::kFirstPartTitle)}));
    for (std::size_t k = 1; k <= expected.parts.size(); ++k) {
      const std::string name = rur::PartFileName(first.toStdString(), k);
      QCOMPARE(target.Read(std::filesystem::path(name).filename().string()),
               rur::ProgramTextOf(expected.parts[k - 1]).Bytes());
    }
    QVERIFY(target.Exists("teil_2.nc"));
    QCOMPARE(f.Text(), Joined(expected.parts.front().lines));
    QVERIFY(!f.window.programModified());
    QCOMPARE(f.ws().mainProgramFile(), first.toStdString());
    QVERIFY(f.Enabled(kNames.sendButton));  // the first part drawn
    QCOMPARE(f.Notes().item(f.Notes().count() - 1)->text(),
             QStringLiteral("Teil %1: %2").arg(expected.parts.size()).arg(QString::fromStdString(
                 rur::PartFileName(first.toStdString(), expected.parts.size()))));

    f.Open("LANG.NC", cam, {QMessageBox::Yes, QMessageBox::No});
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.editor().LineCount(), int(expected.program.lines.size()));
    QVERIFY(f.window.programModified());
    QVERIFY(!f.Enabled(kNames.sendButton));
    QCOMPARE(f.window.pictureContent(), app::MainWindow::PictureContent::kBlank);
  }

  // No keeps the text as loaded; Yes converts outside comments and adds
  // the header, each as one edit.
  void noKeepsTheTextAndYesConvertsIt() {
    Fixture f;
    f.Start();
    f.Open("TEIL.CNC", kForeign, {QMessageBox::No, QMessageBox::No, QMessageBox::No});
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.Text(), Shown(kForeign));
    QVERIFY(!f.window.programModified());
    QVERIFY(!f.editor().document()->isModified());
    QVERIFY(f.Enabled(kNames.drawButton));

    f.host.shown.clear();
    f.Load("TEIL.CNC", kForeign, {QMessageBox::No, QMessageBox::Yes, QMessageBox::Yes});
    QCOMPARE(f.host.shown, (QStringList{QStringLiteral("Programm Öffnen"), ImportAsked(2, "\"g0\" (Kleinbuchstaben)"),
                                        kLowerCase, kHeader}));
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.Text(), QStringLiteral("%1\n(Teil von woanders)\nG0 X10 Y10\nG1 X50 F200 (Bohrung Tief)\n"
                                      "Y50 (40 mm vor)\nM30"));
    QVERIFY(f.window.programModified());
    QVERIFY(!f.Enabled(kNames.sendButton));
    QCOMPARE(f.dir.Read("TEIL.CNC"), std::string(kForeign));  // nothing written until saved
    // It now draws, and can be sent.
    f.Press(kNames.drawButton);
    QVERIFY(f.Enabled(kNames.sendButton));
    // Each offer is one edit: undone one after the other.
    f.editor().undo();
    QVERIFY(!f.Text().startsWith(QLatin1Char('%')));
    QVERIFY(f.Text().contains(QStringLiteral("G0 X10")));
    f.editor().undo();
    QCOMPARE(f.Text(), Shown(kForeign));
  }

  // Only what is missing is offered, after the import was declined:
  // capitals with a header, nothing for an own program, nothing for an
  // empty file; lower case before the header is not read and is not
  // offered either, lower case after ";" is. A "%" followed by no program
  // text is no header.
  void onlyWhatIsMissingIsOffered() {
    struct Case {
      const char* text;
      QStringList questions;
    };
    const Case cases[] = {
        {"%1\r\nN10 g1 x5\r\n", {ImportAsked(2, "\"g1\" (Kleinbuchstaben)"), kLowerCase}},
        {"N10 G1 X5 (kein kopf)\r\n", {ImportAsked(1, "kein Programmkopf \"%\" vor dem ersten Satz"), kHeader}},
        {"%1 (alles gross)\r\nN10 G1 X5 L5=3;L6=4 ;\r\n", {}},
        {"%1 (alles gross)\r\nN10 G1 X5 ; sonst nichts\r\n", {ImportAsked(2, "\";\" (Kommentar)"), kLowerCase}},
        {"N10 G1 X5\r\n%\r\n", {ImportAsked(2, "\"%\" (Lochstreifenmarke)"), kHeader}},
        {"N10 G1 X5\r\n%1\r\n  \r\n\r\n", {ImportAsked(2, "\"%\" (Lochstreifenmarke)"), kHeader}},
        {"kopfzeile\r\n%1\r\nN10 G1 X5\r\n", {}},
        {"", {}},
        {"  \r\n", {}},
    };
    Fixture f;
    f.Start();
    for (const Case& c : cases) {
      f.host.shown.clear();
      f.Open("P", c.text, {});  // unanswered: No
      QCOMPARE(f.host.shown, c.questions);
      QVERIFY(!f.window.programModified());
    }
  }

  void aProgramNamedAtStartIsOfferedTheSame() {
    TempDir programs;
    programs.Write("FREMD.CNC", "g1 x5\r\n");
    Fixture f(QString::fromStdString(programs.File("FREMD.CNC")));
    for (int i = 0; i < 3; ++i) f.host.Answer(QMessageBox::Ok);
    f.host.Answer(QMessageBox::No);  // not imported
    f.host.Answer(QMessageBox::Yes);
    f.host.Answer(QMessageBox::Yes);
    f.window.OnStartPicture();
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.Text(), QStringLiteral("%1\nG1 X5"));
    QVERIFY(f.window.programModified());
  }

  // A subprogram's lower case is pointed out once. The status line's hint
  // of a path outside the work area stays until the next drawing; a
  // drawing inside takes it away, a failed one names the line of its
  // message instead (here the call of a subprogram that is not there).
  void aSubprogramsLowerCaseAndAPathOutsideTheWorkAreaAreNamed() {
    Fixture f;
    f.Start();
    f.dir.Write("%7", "%7\r\nN10 g1 y5\r\nN20 M17\r\n");
    f.Open("%1", "%1\r\nN10 G1 X5 F100\r\nN20 G77 H7\r\nN30 M30\r\n", {});
    f.host.Answer(QMessageBox::Ok);
    f.Press(kNames.drawButton);
    f.Press(kNames.drawButton);
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.host.shown.size(), 1);  // the text: draw_preparation_test
    QVERIFY(f.host.shown.last().startsWith(QStringLiteral("Das Unterprogramm %7")));

    const QString outside =
        QString::fromLatin1("3 S\xE4tze au\xDF" "erhalb des Arbeitsbereichs, Bahn X -10..450 Y 0..10 mm");
    f.Draw(QStringLiteral("%1\nN10 G0 X0 Y0\nN20 G1 X-10 F100\nN30 X450 Y10\nN40 X20\nN50 M30"));
    QCOMPARE(f.status().text(), outside);
    QCOMPARE(f.status().toolTip(), outside);
    f.Draw(QStringLiteral("%1\nN10 G0 X0 Y0\nN20 G1 X10 F100\nN30 Y10\nN40 M30"));
    QCOMPARE(f.status().text(), QStringLiteral("Meldung"));
    f.host.Answer(QDialog::Accepted);  // the message window
    f.Draw(QStringLiteral("%1\nN10 G1 X-10 F100\nN20 G77 H99\nN30 M30"));
    QVERIFY(!f.Enabled(kNames.sendButton));
    QCOMPARE(f.status().text(), QStringLiteral("Fehler in %1, Zeile 3"));
  }
};

RUR_WINDOW_TEST_MAIN(ForeignProgramWindowTest)
#include "foreign_program_window_test.moc"
