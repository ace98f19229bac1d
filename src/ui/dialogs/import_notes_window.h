// The window "Import": what an import of standard G-code changed or
// refused, one line each ("Zeile 12: ..."). It stays open beside the
// editor (not modal); a click on a line asks for the editor line that the
// note concerns.
#pragma once

#include <QWidget>
#include <vector>

#include "workstation/import_outcome.h"

class QLabel;
class QListWidget;

namespace ui {

class ImportNotesWindow : public QWidget {
  Q_OBJECT
 public:
  explicit ImportNotesWindow(QWidget* parent = nullptr);

  // Replaces the list (the summary line above it) and shows the window.
  void ShowNotes(const QString& summary, const std::vector<rur::ImportNoteLine>& notes);
  // Appends a line that leads nowhere (a part's file name, say).
  void AppendLine(const QString& text);
  // Empties the list and hides the window (another program was loaded).
  void Clear();

 signals:
  // The editor line (from 1) a clicked note concerns.
  void lineChosen(int line);

 private:
  QLabel* summary_ = nullptr;
  QListWidget* notes_ = nullptr;
};

}  // namespace ui
