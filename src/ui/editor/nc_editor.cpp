#include "ui/editor/nc_editor.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextBlock>

#include "ui/editor/go_to_line_dialog.h"
#include "ui/editor/line_number_gutter.h"
#include "ui/editor/nc_highlighter.h"

namespace ui {

NcEditor::NcEditor(QWidget* parent)
    : QPlainTextEdit(parent), gutter_(new LineNumberGutter(this)), highlighter_(new NcHighlighter(document())) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  connect(this, &QPlainTextEdit::blockCountChanged, this, &NcEditor::UpdateGutterWidth);
  connect(this, &QPlainTextEdit::updateRequest, this, &NcEditor::UpdateGutterArea);
  connect(this, &QPlainTextEdit::cursorPositionChanged, gutter_, qOverload<>(&QWidget::update));
  UpdateGutterWidth();
}

QStringList NcEditor::Lines() const {
  if (document()->isEmpty()) return {};
  return toPlainText().split(QLatin1Char('\n'));
}

int NcEditor::LineCount() const { return document()->isEmpty() ? 0 : blockCount(); }

void NcEditor::GoToLine() {
  GoToLineDialog dialog(blockCount(), textCursor().blockNumber() + 1, this);
  if (host_->Exec(dialog) == QDialog::Accepted) MoveToLine(dialog.Line());
}

void NcEditor::MoveToLine(int line) {
  const QTextBlock block = document()->findBlockByNumber(std::clamp(line, 1, blockCount()) - 1);
  setTextCursor(QTextCursor(block));
  centerCursor();
}

void NcEditor::Find() {
  FindDialog dialog(searchText_, searchCaseSensitive_, this);
  connect(&dialog, &FindDialog::findNext, &dialog, [this, &dialog](const QString& text, bool caseSensitive) {
    searchText_ = text;
    searchCaseSensitive_ = caseSensitive;
    dialog.ShowResult(FindNext(text, caseSensitive));
  });
  host_->Exec(dialog);
}

FindResult NcEditor::FindNext(const QString& text, bool caseSensitive) {
  if (text.isEmpty()) return FindResult::NotFound;
  const QTextDocument::FindFlags flags = caseSensitive ? QTextDocument::FindCaseSensitively : QTextDocument::FindFlags();
  // A selection is searched past, so the same match is not found again.
  QTextCursor found = document()->find(text, textCursor(), flags);
  FindResult result = FindResult::Found;
  if (found.isNull()) {
    found = document()->find(text, 0, flags);
    result = FindResult::FoundAfterWrap;
  }
  if (found.isNull()) return FindResult::NotFound;
  setTextCursor(found);
  centerCursor();
  return result;
}

bool NcEditor::HandleCommandKey(const QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
  if (modifiers == Qt::ControlModifier && event.key() == Qt::Key_G) {
    GoToLine();
  } else if (modifiers == Qt::ControlModifier && event.key() == Qt::Key_F) {
    Find();
  } else if (modifiers == Qt::ControlModifier && event.key() == Qt::Key_Y) {
    redo();  // besides the platform's own redo key (Ctrl+Shift+Z)
  } else if (modifiers == Qt::NoModifier && event.key() == Qt::Key_F3) {
    if (searchText_.isEmpty()) {
      Find();
    } else if (FindNext(searchText_, searchCaseSensitive_) == FindResult::NotFound) {
      QApplication::beep();
    }
  } else {
    return false;
  }
  return true;
}

void NcEditor::keyPressEvent(QKeyEvent* event) {
  if (HandleCommandKey(*event)) return;
  TypeKey(event);
}

void NcEditor::TypeKey(QKeyEvent* event) {
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

void NcEditor::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  PlaceGutter();
}

void NcEditor::changeEvent(QEvent* event) {
  QPlainTextEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange) UpdateGutterWidth();
}

void NcEditor::paintEvent(QPaintEvent* event) {
  ColourVisibleLines();
  QPlainTextEdit::paintEvent(event);
}

void NcEditor::ColourVisibleLines() {
  const int bottom = viewport()->rect().bottom();
  QTextBlock block = firstVisibleBlock();
  for (double top = blockBoundingGeometry(block).translated(contentOffset()).top(); block.isValid() && top <= bottom;
       block = block.next()) {
    highlighter_->Colour(block);
    top += blockBoundingRect(block).height();
  }
}

void NcEditor::UpdateGutterWidth() {
  const int width = gutter_->WidthFor(blockCount());
  if (viewportMargins().left() != width) setViewportMargins(width, 0, 0, 0);
  PlaceGutter();
}

void NcEditor::PlaceGutter() {
  const QRect area = contentsRect();
  gutter_->setGeometry(area.left(), area.top(), gutter_->WidthFor(blockCount()), area.height());
}

void NcEditor::UpdateGutterArea(const QRect& rect, int dy) {
  if (dy != 0) {
    gutter_->scroll(0, dy);
  } else {
    gutter_->update(0, rect.y(), gutter_->width(), rect.height());
  }
  if (rect.contains(viewport()->rect())) UpdateGutterWidth();
}

}  // namespace ui
