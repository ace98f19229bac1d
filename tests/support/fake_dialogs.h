// Dialogs and event pump for core tests: record every display instead of
// showing it, and answer the save question from a preset.
#pragma once

#include <functional>
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
  bool ConfirmDespite(std::string_view warning, std::string_view) override {
    warnings.emplace_back(warning);
    return goOn;
  }

  std::vector<data::MessageLabels> messages;
  std::vector<std::string> warnings;
  std::vector<std::string> informations;
  std::vector<std::string> questions;
  int beeps = 0;
  data::SaveAnswer saveAnswer = data::SaveAnswer::Cancel;
  bool goOn = true;  // the answer to ConfirmDespite
};

// What the message windows shown so far said: their number labels ("Direkt"
// for a direct message), those numbers (a direct message counts as 0), or
// their descriptions.
inline std::vector<std::string> ShownLabels(const FakeDialogs& dialogs) {
  std::vector<std::string> labels;
  for (const auto& m : dialogs.messages) labels.push_back(m.number);
  return labels;
}
inline std::vector<int> ShownNumbers(const FakeDialogs& dialogs) {
  std::vector<int> numbers;
  for (const auto& m : dialogs.messages) numbers.push_back(m.number == "Direkt" ? 0 : std::stoi(m.number));
  return numbers;
}
inline std::vector<std::string> ShownTexts(const FakeDialogs& dialogs) {
  std::vector<std::string> texts;
  for (const auto& m : dialogs.messages) texts.push_back(m.description);
  return texts;
}

// Counts its passes; onEvents plays what the events bring (a click).
class CountingPump : public data::EventPump {
 public:
  void ProcessEvents() override {
    ++calls;
    if (onEvents) onEvents();
  }
  int calls = 0;
  std::function<void()> onEvents;
};

}  // namespace testing_support
