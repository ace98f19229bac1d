// The core's modal displays shown as Qt windows: the message window, the
// standard warning and information boxes, the save question and the
// window's own yes-or-no questions, all through a ModalHost.
#pragma once

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

 private:
  ModalHost& host_;
  MessageWindow& messageWindow_;
  QWidget* parent_;
};

// Event pump of the running QApplication.
class QtEventPump : public data::EventPump {
 public:
  void ProcessEvents() override;
};

}  // namespace ui
