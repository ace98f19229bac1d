// rur-cli's displays: every message window, warning and information box
// becomes one line on stderr; the save question is never asked headless.
#pragma once

#include <ostream>

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

class NoEventPump : public data::EventPump {
 public:
  void ProcessEvents() override {}
};

// A box text on one line: CR LF, LF CR, LF and CR each become one blank.
std::string OneLine(std::string_view text);

}  // namespace cli
