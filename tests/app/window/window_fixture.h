// The main window on a data directory of its own under a fake modal host,
// as the window tests share it: entering the working state, loading
// through the load dialog, pressing buttons as the operator does, and the
// components by their names.
#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <initializer_list>

#include "support/temp_dir.h"
#include "ui/component_names.h"
#include "ui/editor/nc_editor.h"
#include "ui/fake_host.h"
#include "ui/parts.h"
#include "window/main_window.h"

namespace testing_support {

inline const ui::MainWindowNames& kNames = ui::kMainWindowNames;

// Pixels of that colour in a picture.
inline int PixelsOf(const QImage& picture, QColor colour) {
  int n = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) n += picture.pixelColor(x, y) == colour ? 1 : 0;
  }
  return n;
}

// The answer of a file dialog that chose path.
inline FakeHost::Handler ChooseFile(const QString& path) {
  return [path](QDialog& dialog) {
    static_cast<QFileDialog&>(dialog).selectFile(path);
    return int(QDialog::Accepted);
  };
}

// The answer of a dialog of type D that a handler works on; the dialog's
// result is the answer.
template <typename D, typename F>
FakeHost::Handler On(F handler) {
  return [handler](QDialog& dialog) {
    handler(static_cast<D&>(dialog));
    return dialog.result();
  };
}

struct WindowFixture {
  explicit WindowFixture(const QString& firstArgument = QString(), const QString& startProgram = QString())
      : window(host, {"/nowhere/rur", dir.path()}, firstArgument, startProgram) {}

  // Enters the working state; its warnings (missing settings, zero-point and
  // tool files) are answered and forgotten.
  void Start() {
    for (int i = 0; i < 3; ++i) host.Answer(QMessageBox::Ok);
    window.OnStartPicture();
    host.handlers.clear();
    host.shown.clear();
  }
  // Loads a file of the data directory (written first when text is given)
  // through the load dialog, the questions that follow answered in turn.
  void Load(const char* name, const char* text, std::initializer_list<int> answers = {}) {
    if (text != nullptr) dir.Write(name, text);
    LoadPath(QString::fromStdString(dir.File(name)), answers);
  }
  void LoadPath(const QString& path, std::initializer_list<int> answers = {}) {
    host.Then(ChooseFile(path));
    for (int answer : answers) host.Answer(answer);
    window.OnLoad();
  }
  // The editor's text replaced, then drawn with the draw button.
  void Draw(const QString& program) {
    editor().setPlainText(program);
    Press(kNames.drawButton);
  }
  // Clicks a button as the operator does: a disabled one fails the test.
  void Press(const char* name) {
    QPushButton& button = Part<QPushButton>(window, name);
    QVERIFY2(button.isEnabled(), name);
    button.click();
  }

  template <typename T>
  T& Get(const char* name) {
    return Part<T>(window, name);
  }
  bool Enabled(const char* name) { return Get<QWidget>(name).isEnabled(); }
  ui::NcEditor& editor() { return Get<ui::NcEditor>(kNames.editor); }
  QString Text() { return editor().toPlainText(); }
  QLabel& status() { return Get<QLabel>(kNames.statusLine); }
  int PicturePixels(QColor colour) { return PixelsOf(Get<QLabel>(kNames.picture).pixmap().toImage(), colour); }
  rur::Workstation& ws() { return window.workstation(); }

  // The names of the commands the operator can use now: the enabled
  // buttons, editor and block-skip box, and the picture that shows.
  QStringList Commands() {
    QStringList on;
    for (const char* name : {kNames.newButton, kNames.loadButton, kNames.saveButton, kNames.abortButton,
                             kNames.installationButton, kNames.toolsButton, kNames.zeroPointsButton,
                             kNames.errorSearchButton, kNames.drawButton, kNames.sendButton, kNames.closeButton,
                             kNames.editor, kNames.blockSkipBox, kNames.startPicture, kNames.endPicture}) {
      const QWidget& w = Get<QWidget>(name);
      if (w.isEnabled() && !w.isHidden()) on << w.objectName();
    }
    return on;
  }

  TempDir dir;
  FakeHost host;
  app::MainWindow window;
};

}  // namespace testing_support

// The main() of a window test whose windows keep their sizes in the
// per-user settings: those go into a directory of the run's own.
#define RUR_WINDOW_TEST_MAIN(TestClass)                                      \
  int main(int argc, char** argv) {                                         \
    const testing_support::TempDir config;                                  \
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path()));   \
    QApplication app(argc, argv);                                           \
    TestClass test;                                                         \
    return QTest::qExec(&test, argc, argv);                                 \
  }
