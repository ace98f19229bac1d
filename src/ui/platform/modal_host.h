// Every modal window and box of the GUI is shown through a ModalHost, so
// that tests replace the host and no test ever waits on a click.
#pragma once

#include <QDialog>

namespace ui {

class ModalHost {
 public:
  virtual ~ModalHost() = default;
  // Shows the dialog modally and returns its result code.
  virtual int Exec(QDialog& dialog) = 0;
};

// The real host: QDialog::exec.
class ExecModalHost : public ModalHost {
 public:
  int Exec(QDialog& dialog) override { return dialog.exec(); }
};

}  // namespace ui
