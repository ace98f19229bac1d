// Starting the window: its command line, --version, Qt's German standard
// texts, the folder the load dialog opens in, the shipped data files (no
// start warning) and a program named on the command line.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <filesystem>
#include <sstream>

#include "data/settings.h"
#include "support/temp_dir.h"
#include "ui/fake_host.h"
#include "ui/editor/nc_editor.h"
#include "window/german_translations.h"
#include "window/main_window.h"
#include "window/window_args.h"

using testing_support::FakeHost;
using testing_support::TempDir;

namespace {

namespace fs = std::filesystem;

// A data directory as an installation seeds it: everything of resources/.
void CopyShippedData(const TempDir& dir) {
  fs::copy(RUR_SOURCE_DIR "/resources", dir.path(), fs::copy_options::recursive);
}

class RefusingBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

}  // namespace

class WindowStartTest : public QObject {
  Q_OBJECT

 private:
  // A window on a data directory that holds the shipped data.
  struct Fixture {
    explicit Fixture(const QStringList& args = {})
        : parsed(app::ParseWindowArgs(args)),
          window(host, {"/nowhere/rur", dir.path()}, parsed.firstArgument, parsed.programFile) {
      CopyShippedData(dir);
    }
    app::WindowArgs parsed;
    TempDir dir;
    FakeHost host;
    app::MainWindow window;
  };

  // The folder the load dialog shows when "&Laden" opens it.
  static QString LoadDialogFolder(Fixture& f) {
    QString folder;
    f.host.Then([&folder](QDialog& dialog) {
      folder = static_cast<QFileDialog&>(dialog).directory().absolutePath();
      return int(QDialog::Rejected);
    });
    f.window.ladenClick();
    return folder;
  }

  static QString Absolute(const std::string& path) { return QDir(QString::fromStdString(path)).absolutePath(); }

 private slots:
  void argumentsGiveDataFirstArgumentAndProgram() {
    struct Case {
      QStringList args;
      bool version;
      QString data, first, program;
    };
    const QList<Case> cases = {
        {{}, false, "", "", ""},
        {{"A"}, false, "", "A", ""},
        {{"A", "%1"}, false, "", "A", "%1"},
        {{"%1"}, false, "", "%1", "%1"},
        {{"%1", "%2"}, false, "", "%1", "%1"},
        {{"a", "%1"}, false, "", "a", "a"},  // only "A" switches, and only as the first
        {{"--data", "/d", "A", "%1"}, false, "/d", "A", "%1"},
        {{"A", "--data", "/d", "%1"}, false, "/d", "A", "%1"},
        {{"--data"}, false, "", "", ""},
        {{"--version"}, true, "", "", ""},
        {{"A", "--version"}, true, "", "A", ""},
    };
    for (const Case& c : cases) {
      const app::WindowArgs a = app::ParseWindowArgs(c.args);
      const QString name = c.args.join(' ');
      QVERIFY2(a.version == c.version, qPrintable(name));
      QVERIFY2(a.dataDirectory == c.data, qPrintable(name));
      QVERIFY2(a.firstArgument == c.first, qPrintable(name));
      QVERIFY2(a.programFile == c.program, qPrintable(name));
    }
  }

  void versionIsPrintedAndItsOutputChecked() {
    std::ostringstream out;
    QCOMPARE(app::PrintVersion(out), 0);
    QCOMPARE(out.str(), std::string("rur 1.0.0\n"));
    RefusingBuffer refusing;
    std::ostream failing(&refusing);
    QCOMPARE(app::PrintVersion(failing), 1);
  }

  // Without any display: the version is answered before Qt starts.
  void builtProgramAnswersVersionWithoutDisplay() {
    const QString rur = QCoreApplication::applicationDirPath() + QStringLiteral("/rur");
    if (!QFile::exists(rur)) QSKIP("rur is not built beside the tests");
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QString::fromLatin1(name));
    process.setProcessEnvironment(env);
    process.start(rur, {QStringLiteral("--version")});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.readAllStandardOutput(), QByteArray("rur 1.0.0\n"));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
  }

  void standardDialogsSpeakGerman() {
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(dir + QStringLiteral("/qtbase_de.qm"))) QSKIP("qtbase_de.qm is not installed");
    const QChar point = QLocale().decimalPoint().at(0);
    QVERIFY(app::InstallGermanTranslations(*QCoreApplication::instance()));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Suchen in:"));
    QCOMPARE(QLocale().decimalPoint().at(0), point);  // numbers keep their format
  }

  void shippedDataFilesStartWithoutWarning() {
    Fixture f;
    f.window.Image1Click();
    QCOMPARE(f.host.shown, QStringList());
    QCOMPARE(f.host.unexpected, 0);
    QVERIFY(f.window.laden->isEnabled());
  }

  // The program directory of the settings, else the shipped examples (the
  // shipped settings name no program directory), else the data directory.
  void loadDialogOpensInTheProgramOrExamplesOrDataDirectory() {
    for (int variant = 0; variant < 3; ++variant) {
      Fixture f;
      if (variant == 0) {
        fs::create_directory(f.dir.File("programs"));
        data::Settings settings;
        settings.programDirectory = f.dir.File("programs/");
        QVERIFY(data::WriteSettings(settings, f.dir.path()));
      }
      if (variant == 2) fs::remove_all(f.dir.File("examples"));
      f.window.Image1Click();
      const std::string expected[] = {f.dir.File("programs"), f.dir.File("examples"), f.dir.path()};
      QCOMPARE(LoadDialogFolder(f), Absolute(expected[variant]));
      QCOMPARE(f.host.unexpected, 0);
    }
  }

  void programArgumentIsLoadedOnEnteringTheWorkingState() {
    TempDir programs;
    programs.Write("%77", "%77\r\nN10 G01 X5\r\n");
    const QString path = QString::fromStdString(programs.File("%77"));
    for (const QStringList& args : {QStringList{path}, QStringList{"A", path}}) {
      Fixture f(args);
      f.window.Image1Click();
      QCOMPARE(f.host.shown, QStringList());
      QCOMPARE(f.window.showeditor->toPlainText(), QStringLiteral("%77\nN10 G01 X5"));
      QCOMPARE(f.window.Panel2->text(), QStringLiteral("Programm: %77"));
      QCOMPARE(f.window.workstation().mainProgramFile(), programs.File("%77"));
      QVERIFY(!f.window.programModified());
      QVERIFY(!f.window.showeditor->document()->isModified());
      QVERIFY(f.window.simuliere->isEnabled());
      QCOMPARE(f.window.workstation().scaledOutputMode(), std::uint8_t(args.first() == "A" ? 1 : 0));
      // Once only: after the end picture the editor starts empty again.
      f.window.Image2Click();
      f.window.Image1Click();
      QCOMPARE(f.window.showeditor->toPlainText(), QString());
    }
  }

  void relativeProgramArgumentBecomesAFullPath() {
    TempDir programs;
    programs.Write("%5", "%5\r\n");
    const QString before = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(programs.path()));
    Fixture f({QStringLiteral("%5")});
    f.window.Image1Click();
    QDir::setCurrent(before);
    QCOMPARE(f.window.workstation().mainProgramFile(), programs.File("%5"));
  }

  // A missing or binary program says what "&Laden" says and leaves the
  // editor empty.
  void faultyProgramArgumentIsReportedAsLoadingIt() {
    TempDir programs;
    programs.Write("bin", std::string("%1\0\0", 4));
    for (const std::string& name : {std::string("missing"), std::string("bin")}) {
      const QString path = QString::fromStdString(programs.File(name));
      Fixture byArgument({path});
      byArgument.host.Answer(QMessageBox::Ok);
      byArgument.window.Image1Click();

      Fixture byDialog;
      byDialog.window.Image1Click();
      byDialog.host.Then([path](QDialog& dialog) {
        static_cast<QFileDialog&>(dialog).selectFile(path);
        return int(QDialog::Accepted);
      });
      byDialog.host.Answer(QMessageBox::Ok);
      byDialog.window.ladenClick();

      QCOMPARE(byArgument.host.shown.size(), 1);
      QCOMPARE(byArgument.host.shown.first(), byDialog.host.shown.last());
      QVERIFY(byArgument.host.shown.first().contains(path));
      QCOMPARE(byArgument.window.showeditor->toPlainText(), QString());
      QCOMPARE(byArgument.window.workstation().mainProgramFile(), std::string());
    }
  }
};

QTEST_MAIN(WindowStartTest)
#include "window_start_test.moc"
