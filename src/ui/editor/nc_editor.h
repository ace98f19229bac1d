// The program editor: typed a to z become A to Z, a character that would
// make its line longer than 256 characters is refused, a click is reported
// (the main window re-checks its draw command). Line numbers, coloured NC
// words, Ctrl+G goes to a line, Ctrl+F and F3 find text, Ctrl+Y redoes.
#pragma once

#include <QPlainTextEdit>

#include "ui/editor/find_dialog.h"
#include "ui/platform/modal_host.h"

namespace ui {

class LineNumberGutter;
class NcHighlighter;

inline constexpr int kEditorLineLimit = 256;

class NcEditor : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit NcEditor(QWidget* parent = nullptr);

  // The editor's lines as the program file holds them.
  QStringList Lines() const;
  int LineCount() const;

  // The host that shows the editor's dialogs (until set: QDialog::exec).
  void SetModalHost(ModalHost& host) { host_ = &host; }

  // Asks for a line number ("Gehe zu Zeile") and goes there.
  void GoToLine();
  // Puts the cursor at the start of line (from 1, clamped) and centres it.
  void MoveToLine(int line);
  // Shows the search dialog "Suchen".
  void Find();
  // Selects the next occurrence of text after the cursor, going on from the
  // program's start when none follows.
  FindResult FindNext(const QString& text, bool caseSensitive);

  LineNumberGutter* Gutter() const { return gutter_; }
  NcHighlighter* Highlighter() const { return highlighter_; }

 signals:
  void clicked();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  friend class LineNumberGutter;  // paints from the visible blocks' geometry

  bool HandleCommandKey(const QKeyEvent& event);
  void TypeKey(QKeyEvent* event);
  void UpdateGutterWidth();
  void UpdateGutterArea(const QRect& rect, int dy);
  void PlaceGutter();
  void ColourVisibleLines();

  ExecModalHost execHost_;
  ModalHost* host_ = &execHost_;
  LineNumberGutter* gutter_;
  NcHighlighter* highlighter_;
  QString searchText_;  // the last text searched, for F3
  bool searchCaseSensitive_ = false;
};

}  // namespace ui
