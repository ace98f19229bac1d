// The core's modal displays shown as Qt windows: the message window, the
// standard warning and information boxes, the save question and the
// window's own yes-or-no questions, all through a ModalHost.
#pragma once

#include <functional>

#include "data/dialogs.h"

class QWidget;

namespace ui {

class ModalHost;
class MessageWindow;

class QtDialogs : public data::Dialogs {
 public:
  QtDialogs(ModalHost& host, MessageWindow& messageWindow, QWidget* parent);

  void ShowMessageWindow(const data::MessageLabels& labels) override;
  void Beep() override;
  void Warning(std::string_view text) override;
  void Information(std::string_view text) override;
  data::SaveAnswer AskSave(std::string_view text) override;
  bool ConfirmDespite(std::string_view warning, std::string_view question) override;
  // Question box with Yes and No; true for Yes.
  bool Ask(std::string_view text);
  // Runs before each showing of the message window (the main window brings
  // its picture up to date there).
  void SetBeforeMessage(std::function<void()> beforeMessage) { beforeMessage_ = std::move(beforeMessage); }

 private:
  ModalHost& host_;
  MessageWindow& messageWindow_;
  QWidget* parent_;
  std::function<void()> beforeMessage_;
};

// Event pump of the running QApplication.
class QtEventPump : public data::EventPump {
 public:
  void ProcessEvents() override;
};

}  // namespace ui
