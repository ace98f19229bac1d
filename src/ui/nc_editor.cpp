#include "ui/nc_editor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTextBlock>

namespace ui {

NcEditor::NcEditor(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
}

QStringList NcEditor::Lines() const {
  if (document()->isEmpty()) return {};
  return toPlainText().split(QLatin1Char('\n'));
}

int NcEditor::LineCount() const { return document()->isEmpty() ? 0 : blockCount(); }

void NcEditor::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  const bool printable = text.size() == 1 && text.at(0).isPrint();
  if (printable && !isReadOnly()) {
    const QTextCursor cursor = textCursor();
    // length() counts the block's line end too.
    if (!cursor.hasSelection() && cursor.block().length() - 1 >= kEditorLineLimit) {
      QApplication::beep();
      return;
    }
    const QChar c = text.at(0);
    if (c >= QLatin1Char('a') && c <= QLatin1Char('z')) {
      QKeyEvent upper(event->type(), event->key(), event->modifiers(), text.toUpper(),
                      event->isAutoRepeat(), static_cast<ushort>(event->count()));
      QPlainTextEdit::keyPressEvent(&upper);
      return;
    }
  }
  QPlainTextEdit::keyPressEvent(event);
}

void NcEditor::mouseReleaseEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseReleaseEvent(event);
  emit clicked();
}

}  // namespace ui
