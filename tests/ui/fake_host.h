// A ModalHost for window tests: each modal dialog is handed to the next
// queued handler, which may edit it and returns its result; a dialog with
// no handler left is answered with "rejected" and recorded as unexpected.
#pragma once

#include <QDialog>
#include <QStringList>
#include <deque>
#include <functional>

#include "ui/platform/modal_host.h"

namespace testing_support {

class FakeHost : public ui::ModalHost {
 public:
  using Handler = std::function<int(QDialog&)>;

  int Exec(QDialog& dialog) override;

  // Queues a handler for the next modal dialog.
  void Then(Handler handler) { handlers.push_back(std::move(handler)); }
  // Queues an answer by result code only.
  void Answer(int result);

  std::deque<Handler> handlers;
  QStringList shown;       // window title and text of every dialog shown
  int unexpected = 0;      // dialogs shown with no handler queued
};

// Text of a message box, or the window title of any other dialog.
QString DialogText(QDialog& dialog);

}  // namespace testing_support
