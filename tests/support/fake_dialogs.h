// Dialogs and event pump for core tests: record every display instead of
// showing it, and answer the save question from a preset.
#pragma once

#include <string>
#include <vector>

#include "data/dialogs.h"

namespace testing_support {

class FakeDialogs : public data::Dialogs {
 public:
  void ShowMessageWindow(const data::MessageLabels& labels) override { messages.push_back(labels); }
  void Beep() override { ++beeps; }
  void Warning(std::string_view text) override { warnings.emplace_back(text); }
  void Information(std::string_view text) override { informations.emplace_back(text); }
  data::SaveAnswer AskSave(std::string_view text) override {
    questions.emplace_back(text);
    return saveAnswer;
  }

  std::vector<data::MessageLabels> messages;
  std::vector<std::string> warnings;
  std::vector<std::string> informations;
  std::vector<std::string> questions;
  int beeps = 0;
  data::SaveAnswer saveAnswer = data::SaveAnswer::Cancel;
};

class CountingPump : public data::EventPump {
 public:
  void ProcessEvents() override { ++calls; }
  int calls = 0;
};

}  // namespace testing_support
