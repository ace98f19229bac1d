// Displays and event pump for benchmarks: nothing is shown, nothing waits.
#pragma once

#include <string_view>

#include <string>

#include "data/dialogs.h"
#include "data/message_centre.h"

namespace bench {

class NoDialogs : public data::Dialogs {
 public:
  void ShowMessageWindow(const data::MessageLabels&) override { ++shown; }
  void Beep() override {}
  void Warning(std::string_view) override {}
  void Information(std::string_view) override {}
  data::SaveAnswer AskSave(std::string_view) override { return data::SaveAnswer::No; }
  bool ConfirmDespite(std::string_view, std::string_view) override { return true; }
  int shown = 0;
};

class NoPump : public data::EventPump {
 public:
  void ProcessEvents() override {}
};

// A message centre and what it refers to, showing nothing.
struct SilentMessages {
  NoDialogs dialogs;
  std::string directory;
  data::WorkListing listing;
  data::SubprogramTable table;
  data::MessageCentre messages{dialogs, directory, listing, table};
};

}  // namespace bench
