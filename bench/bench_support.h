// Displays and event pump for benchmarks: nothing is shown, nothing waits.
#pragma once

#include <string_view>

#include "data/dialogs.h"

namespace bench {

class NoDialogs : public data::Dialogs {
 public:
  void ShowMessageWindow(const data::MessageLabels&) override { ++shown; }
  void Beep() override {}
  void Warning(std::string_view) override {}
  void Information(std::string_view) override {}
  data::SaveAnswer AskSave(std::string_view) override { return data::SaveAnswer::No; }
  int shown = 0;
};

class NoPump : public data::EventPump {
 public:
  void ProcessEvents() override {}
};

}  // namespace bench
