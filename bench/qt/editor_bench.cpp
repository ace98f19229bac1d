// The editor with a program of the block store's size (32,000 lines):
// loading it up to the first picture of the window, and typing a key, each
// beside a plain text editor without line numbers and colours.
#include <benchmark/benchmark.h>

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTest>

#include "ui/editor/nc_editor.h"

namespace {

const QString& LongProgram() {
  static const QString text = [] {
    QStringList lines{QStringLiteral("%1 (RAHMEN)")};
    for (int n = 2; n <= 32000; ++n) {
      lines << QStringLiteral("N%1 G01 X%2 Y%3 F200 (SCHRITT)").arg(n).arg(n % 400).arg(n % 300);
    }
    return lines.join(QLatin1Char('\n'));
  }();
  return text;
}

template <typename Editor>
void Load(benchmark::State& state) {
  const QString& text = LongProgram();
  for (auto _ : state) {
    Editor editor;
    editor.resize(640, 480);
    editor.show();
    editor.setPlainText(text);
    editor.viewport()->grab();
    benchmark::DoNotOptimize(editor.document()->blockCount());
  }
}

template <typename Editor>
void TypeKey(benchmark::State& state) {
  Editor editor;
  editor.resize(640, 480);
  editor.show();
  editor.setPlainText(LongProgram());
  editor.moveCursor(QTextCursor::End);
  for (auto _ : state) {
    QTest::keyClick(editor.viewport(), Qt::Key_X);
    QTest::keyClick(editor.viewport(), Qt::Key_Backspace);
    editor.viewport()->grab();
  }
}

void BM_EditorLoad32000Lines(benchmark::State& state) { Load<ui::NcEditor>(state); }
void BM_PlainEditorLoad32000Lines(benchmark::State& state) { Load<QPlainTextEdit>(state); }
void BM_EditorTypeKey(benchmark::State& state) { TypeKey<ui::NcEditor>(state); }
void BM_PlainEditorTypeKey(benchmark::State& state) { TypeKey<QPlainTextEdit>(state); }

BENCHMARK(BM_EditorLoad32000Lines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainEditorLoad32000Lines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EditorTypeKey)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainEditorTypeKey)->Unit(benchmark::kMillisecond);

}  // namespace
