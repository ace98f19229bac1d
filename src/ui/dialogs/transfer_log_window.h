// The window "Protokoll": the entries of the transfer log, newest first,
// as read-only text. It stays open beside the main window (not modal) and
// is filled again after every transfer while it shows.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

class QPlainTextEdit;

namespace ui {

class TransferLogWindow : public QWidget {
  Q_OBJECT
 public:
  explicit TransferLogWindow(QWidget* parent = nullptr);

  // Replaces the text by the entries (UTF-8, newest first), one empty line
  // between two; without entries a line says that none was logged yet.
  void ShowEntries(const std::vector<std::string>& entries);

 private:
  QPlainTextEdit* text_ = nullptr;
};

}  // namespace ui
