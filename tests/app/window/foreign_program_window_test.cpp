// Programs of other controls in the main window: the offers on loading
// (capitals, a "%1" header; Yes edits the editor, undoably, and marks it
// modified, No leaves it), a subprogram's lower case pointed out once, and
// the status line's hint when a drawing reaches outside the work area.
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "support/temp_dir.h"
#include "ui/fake_host.h"
#include "ui/editor/nc_editor.h"
#include "ui/platform/qt_text.h"
#include "window/foreign_program_offers.h"
#include "window/gcode_import_offer.h"
#include "window/main_window.h"

using testing_support::FakeHost;
using testing_support::TempDir;

namespace {

const QString kLowerCase = QString::fromLatin1(app::kLowerCaseQuestion);
const QString kHeader = QString::fromLatin1(app::kHeaderQuestion);

// The import question for the sign at line (see import_window_test: No
// leads to the offers here).
QString ImportAsked(int line, const char* sign) { return ui::ToQt(app::ImportQuestion({line, sign})); }
const QString kImportLowerCase = ImportAsked(2, "\"g0\" (Kleinbuchstaben)");

// Mixed case in comments, parentheses and after ";" (whose "v" the run
// would read as an incremental Y word), and no header.
const char kForeign[] = "(Teil von woanders)\r\ng0 x10 y10\r\nG1 X50 F200 (Bohrung Tief)\r\ny50 ; 40 mm vor\r\nM30\r\n";

struct Fixture {
  explicit Fixture(const QString& startProgram = QString())
      : window(host, {"/nowhere/rur", dir.path()}, QString(), startProgram) {}
  void Start() {
    for (int i = 0; i < 3; ++i) host.Answer(QMessageBox::Ok);  // no settings, zero points, tools
    window.Image1Click();
    host.shown.clear();
  }
  // Loads text as file name through the load dialog, answering the offers.
  void Load(const char* name, const char* text, std::initializer_list<int> answers) {
    dir.Write(name, text);
    const QString path = QString::fromStdString(dir.File(name));
    host.Then([path](QDialog& d) {
      static_cast<QFileDialog&>(d).selectFile(path);
      return int(QDialog::Accepted);
    });
    for (int answer : answers) host.Answer(answer);
    window.ladenClick();
  }
  QString Text() const { return window.showeditor->toPlainText(); }
  TempDir dir;
  FakeHost host;
  app::MainWindow window;
};

}  // namespace

class ForeignProgramWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void yesConvertsOutsideCommentsAndAddsTheHeader() {
    Fixture f;
    f.Start();
    f.Load("TEIL.CNC", kForeign, {QMessageBox::No, QMessageBox::Yes, QMessageBox::Yes});
    QCOMPARE(f.host.shown, (QStringList{QStringLiteral("Programm Öffnen"), kImportLowerCase, kLowerCase, kHeader}));
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.Text(), QStringLiteral("%1\n(Teil von woanders)\nG0 X10 Y10\nG1 X50 F200 (Bohrung Tief)\n"
                                      "Y50 (40 mm vor)\nM30"));
    QVERIFY(f.window.programModified());
    QVERIFY(f.window.simuliere->isEnabled());
    QVERIFY(!f.window.senden->isEnabled());
    QCOMPARE(f.dir.Read("TEIL.CNC"), std::string(kForeign));  // nothing written until saved
    // It now draws, and can be sent.
    f.window.simuliereClick();
    QVERIFY(f.window.senden->isEnabled());
    QCOMPARE(f.window.workstation().blockStore().At(f.window.workstation().blockStore().count()).endY, 50.0L);
    // Each offer is one edit: undone one after the other.
    f.window.showeditor->undo();
    QVERIFY(!f.Text().startsWith(QLatin1Char('%')));
    QVERIFY(f.Text().contains(QStringLiteral("G0 X10")));
    f.window.showeditor->undo();
    QCOMPARE(f.Text(), QString::fromLatin1(kForeign).remove(QLatin1Char('\r')).chopped(1));
  }

  void noKeepsTheTextAsLoaded() {
    Fixture f;
    f.Start();
    f.Load("TEIL.CNC", kForeign, {QMessageBox::No, QMessageBox::No, QMessageBox::No});
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.Text(), QString::fromLatin1(kForeign).remove(QLatin1Char('\r')).chopped(1));
    QVERIFY(!f.window.programModified());
    QVERIFY(!f.window.showeditor->document()->isModified());
    QVERIFY(f.window.simuliere->isEnabled());
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
    for (const Case& c : cases) {
      Fixture f;
      f.Start();
      f.Load("P", c.text, {});
      f.host.shown.removeFirst();  // the file dialog
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
    f.window.Image1Click();
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.Text(), QStringLiteral("%1\nG1 X5"));
    QVERIFY(f.window.programModified());
  }

  void aSubprogramWithLowerCaseIsPointedOutOnce() {
    Fixture f;
    f.Start();
    f.dir.Write("%7", "%7\r\nN10 g1 y5\r\nN20 M17\r\n");
    f.Load("%1", "%1\r\nN10 G1 X5 F100\r\nN20 G77 H7\r\nN30 M30\r\n", {});
    f.host.Answer(QMessageBox::Ok);
    f.window.simuliereClick();
    f.window.simuliereClick();
    QCOMPARE(f.host.unexpected, 0);
    QCOMPARE(f.host.shown.last(), QString::fromLatin1("Das Unterprogramm %7 enth\xE4lt Kleinbuchstaben, die nicht als "
                                                      "Adressen gelesen werden (zuerst Zeile 2: N10 g1 y5)."));
  }

  // The hint stays until the next drawing; a drawing inside takes it away,
  // a failed one shows none.
  void theStatusLineSaysWhenThePathLeavesTheWorkArea() {
    Fixture f;
    f.Start();
    const QString outside =
        QString::fromLatin1("3 S\xE4tze au\xDF" "erhalb des Arbeitsbereichs, Bahn X -10..450 Y 0..10 mm");
    f.window.showeditor->setPlainText(
        QStringLiteral("%1\nN10 G0 X0 Y0\nN20 G1 X-10 F100\nN30 X450 Y10\nN40 X20\nN50 M30"));
    f.window.simuliereClick();
    QCOMPARE(f.window.meldung->text(), outside);
    QCOMPARE(f.window.meldung->toolTip(), outside);
    f.window.showeditor->setPlainText(QStringLiteral("%1\nN10 G0 X0 Y0\nN20 G1 X10 F100\nN30 Y10\nN40 M30"));
    f.window.simuliereClick();
    QCOMPARE(f.window.meldung->text(), QString());
    f.window.showeditor->setPlainText(QStringLiteral("%1\nN10 G1 X-10 F100\nN20 G77 H99\nN30 M30"));
    f.host.Answer(QDialog::Accepted);  // the message window
    f.window.simuliereClick();
    QVERIFY(!f.window.senden->isEnabled());
    QCOMPARE(f.window.meldung->text(), QString());
  }
};

QTEST_MAIN(ForeignProgramWindowTest)
#include "foreign_program_window_test.moc"
