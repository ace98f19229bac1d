// The main window's keyboard: a key for every command (kCommandKeys), named
// in its button's hint, F1 for the help page, where the focus goes (the
// start picture while the window is idle, the editor on entering the
// working state, back after a drawing or transfer), and the title's mark
// of unsaved changes.
#include <QPushButton>
#include <QShortcut>

#include "main_window.h"
#include "ui/dialogs/help_window.h"
#include "ui/editor/nc_editor.h"
#include "ui/path_view/picture_button.h"
#include "window/command_keys.h"

namespace app {

void MainWindow::CreateKeys() {
  for (const CommandKey& command : kCommandKeys) {
    auto* button = findChild<QPushButton*>(QLatin1String(command.button));
    Q_ASSERT(button != nullptr);
    // The hint as it stands, then the key: "Zeichnet Fräsebahnmittelpunkt (F9)".
    button->setToolTip(button->toolTip() + QStringLiteral(" (") + QLatin1String(command.keyName) +
                       QLatin1Char(')'));
    auto* shortcut = new QShortcut(QKeySequence(command.key), this);
    shortcut->setAutoRepeat(false);  // a held key runs its command once
    // click() does nothing while the button is disabled. Esc stops only a
    // drawing or transfer that runs: pressed by reflex at any other time
    // it must not bring up the abort's message box (Alt+A still does).
    if (button == abortButton_) {
      connect(shortcut, &QShortcut::activated, this, [this] {
        if (commandRunning()) abortButton_->click();
      });
    } else {
      connect(shortcut, &QShortcut::activated, button, &QAbstractButton::click);
    }
  }
  auto* help = new QShortcut(QKeySequence(kHelpKey), this);
  connect(help, &QShortcut::activated, this, &MainWindow::OpenHelp);
  connect(this, &MainWindow::commandStateChanged, this, &MainWindow::FocusForState);
  startPicture_->setFocus();
}

void MainWindow::OpenHelp() {
  if (helpWindow_ == nullptr) helpWindow_ = new ui::HelpWindow(this);
  helpWindow_->Open();
}

// Entering the working state puts the focus into the editor, leaving it
// on the start picture; a drawing or transfer, which holds the widgets,
// gives it back where it was when it began. Otherwise it stays where the
// operator put it.
void MainWindow::FocusForState(CommandState state) {
  const bool working = state != CommandState::kNotWorking;
  if (working != focusOnWork_) {
    focusOnWork_ = working;
    if (working) {
      editor_->setFocus();
    } else {
      startPicture_->setFocus();
    }
    return;
  }
  if (Running(state) || focusBeforeRun_.isNull()) return;
  QWidget* before = focusBeforeRun_;
  focusBeforeRun_.clear();
  if (before->isEnabled() && before->isVisible()) before->setFocus();
}

void MainWindow::SetProgramModified(std::uint8_t modified) {
  programModified_ = modified;
  ShowTitle();
}

void MainWindow::ShowTitle() { setWindowTitle(programModified_ != 0 ? titleName_ + QLatin1Char('*') : titleName_); }

void MainWindow::ShowControllerName(const QString& name) {
  titleName_ = name;
  ShowTitle();
}

}  // namespace app
