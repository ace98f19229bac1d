#include "ui/fake_host.h"

#include <QMessageBox>

namespace testing_support {

QString DialogText(QDialog& dialog) {
  if (auto* box = qobject_cast<QMessageBox*>(&dialog)) return box->text();
  return dialog.windowTitle();
}

int FakeHost::Exec(QDialog& dialog) {
  shown << DialogText(dialog);
  if (handlers.empty()) {
    ++unexpected;
    return QDialog::Rejected;
  }
  Handler handler = std::move(handlers.front());
  handlers.pop_front();
  return handler(dialog);
}

void FakeHost::Answer(int result) {
  Then([result](QDialog&) { return result; });
}

}  // namespace testing_support
