// rur-cli's displays: every message window, warning and information box
// becomes one line on stderr; the save question is never asked headless.
// Its event pump runs what a command asks it to watch.
#pragma once

#include <functional>
#include <ostream>
#include <utility>

#include "data/dialogs.h"

namespace cli {

class StderrDialogs : public data::Dialogs {
 public:
  explicit StderrDialogs(std::ostream& err) : err_(err) {}
  void ShowMessageWindow(const data::MessageLabels& labels) override;
  void Beep() override {}
  void Warning(std::string_view text) override;
  void Information(std::string_view text) override;
  data::SaveAnswer AskSave(std::string_view) override { return data::SaveAnswer::No; }
  bool ConfirmDespite(std::string_view warning, std::string_view) override {
    Warning(warning);
    return true;
  }

 private:
  std::ostream& err_;
};

// rur-cli has no events to process; while a command lends the pump a check
// (send: its interrupt pipe), every pass of the drawing's pump and of a
// wait runs it, so that these see the operator's stop as the window's do.
class CliEventPump : public data::EventPump {
 public:
  void ProcessEvents() override {
    if (check_) check_();
  }
  // An empty check ends the watch.
  void Watch(std::function<void()> check) { check_ = std::move(check); }

 private:
  std::function<void()> check_;
};

// A box text on one line: CR LF, LF CR, LF and CR each become one blank.
std::string OneLine(std::string_view text);

}  // namespace cli
