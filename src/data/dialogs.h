// The platform's modal displays as the core sees them: the message window
// "Meldung", the standard warning and information boxes, the save question
// and the system beep. The GUI shows real windows, rur-cli prints lines,
// tests record what would have been shown. All texts are Windows-1252.
#pragma once

#include <string>
#include <string_view>

namespace data {

// The four value labels of the message window.
struct MessageLabels {
  std::string number;       // Label4: "Direkt" or the number in 3 characters
  std::string description;  // Label5
  std::string program;      // Label6: "Im Programm"
  std::string block;        // Label7: "Im Satz"
};

enum class SaveAnswer { Yes, No, Cancel, Other };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // Shows the message window modally; returns when the operator closes it.
  virtual void ShowMessageWindow(const MessageLabels& labels) = 0;
  virtual void Beep() = 0;
  // Standard warning box (warning icon, OK).
  virtual void Warning(std::string_view text) = 0;
  // Information box with the buttons OK and Help.
  virtual void Information(std::string_view text) = 0;
  // Warning box with Yes, No and Cancel.
  virtual SaveAnswer AskSave(std::string_view text) = 0;
  // Warns and asks whether to go on all the same (Yes, No); true for Yes.
  // Where nobody can be asked (rur-cli) the warning is said and the work
  // goes on.
  virtual bool ConfirmDespite(std::string_view warning, std::string_view question) = 0;
};

// Lets the user interface process its pending events once.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void ProcessEvents() = 0;
};

}  // namespace data
