// The window "Hilfe": a short German page on the main window's keys and the
// words of the NC dialect, shipped inside the program. It stays open beside
// the main window (not modal).
#pragma once

#include <QWidget>

class QTextBrowser;

namespace ui {

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows the window in front, at the top of the page.
  void Open();
  // The page as plain text.
  QString PageText() const;

 private:
  QTextBrowser* page_ = nullptr;
};

}  // namespace ui
