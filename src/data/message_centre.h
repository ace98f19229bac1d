// The message centre: every error of interpretation, drawing, geometry and
// transfer is reported here, by number from the catalogue "msg.dat" or as a
// direct text, shown in the modal window "Meldung", and sets the error flag
// on which every running command stops. Only showing an error sets the
// flag; only the start of a command (rur::CommandScope) clears it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "data/dialogs.h"
#include "data/message_numbers.h"
#include "data/work_listing.h"

namespace rur {
class CommandScope;
}  // namespace rur

namespace data {

inline constexpr char kCatalogueName[] = "msg.dat";
inline constexpr char kCatalogueMissing[] = "Disk fehlerhaft oder MSG.DAT fehlt!";

// Set by the callers before they report; shown with each message.
struct MessageContext {
  std::string currentProgram;  // "Im Programm" of numbered messages
  std::string currentBlock;    // "Im Satz" of numbered messages
  std::int32_t messageProgramIndex = 0;  // subprogram entry named by direct messages
  std::int32_t messageListingLine = 0;   // listing line shown by direct messages when > 0
};

// Text of message number (line number of the catalogue, counted from 1),
// leading blanks removed; empty past the end; false when the catalogue
// cannot be read.
bool ReadCatalogueLine(const std::string& cataloguePath, std::int32_t number, std::string& text);

class MessageCentre {
 public:
  MessageCentre(Dialogs& dialogs, const std::string& dataDirectory, const WorkListing& listing,
                const SubprogramTable& subprograms);

  // An error: number kDirectMessage shows `text` as the description (a
  // direct message); any other number shows the catalogue's text of that
  // number and does not use `text`. Sets the error flag.
  void ShowMessageByNumber(std::int32_t number, std::string_view text);

  // A direct message that names no program and no block: the program and
  // block labels are emptied, not left from an earlier message. Sets the
  // error flag.
  void ShowUnplacedMessage(std::string_view text);

  // Shown as ShowMessageByNumber shows it, but no error: what it reports is
  // used all the same, so the flag stays as it is.
  void ShowNotice(std::int32_t number, std::string_view text);

  // An error told in a standard warning box instead of the message window
  // (what failed outside the program text, such as the scratch file). Sets
  // the error flag.
  void ShowWarning(std::string_view text);

  // Whether an error was shown since the command started.
  bool errorFlag() const { return errorFlag_; }

  Dialogs& dialogs() { return dialogs_; }
  const MessageLabels& labels() const { return labels_; }

  MessageContext context;

 private:
  friend class rur::CommandScope;  // the one place that clears the flag

  // Fills the labels and shows the window, with a beep.
  void Show(std::int32_t number, std::string_view text);

  bool errorFlag_ = false;
  Dialogs& dialogs_;
  const std::string& dataDirectory_;
  const WorkListing& listing_;
  const SubprogramTable& subprograms_;
  MessageLabels labels_;  // kept between displays, like the window's labels
};

// The number label: right-aligned in 3 characters.
std::string NumberLabel(std::int32_t number);

}  // namespace data
