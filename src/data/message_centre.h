// The message centre: every error of interpretation, drawing, geometry and
// transfer is reported here, by number from the catalogue "msg.dat" or as a
// direct text, shown in the modal window "Meldung", and sets the error flag
// on which every running command stops.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "data/dialogs.h"
#include "data/message_numbers.h"
#include "data/work_listing.h"

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

  // Number kDirectMessage: Text is the description (a direct message). Otherwise the text
  // of that number is taken from the catalogue and Text is not used.
  void ShowMessageByNumber(std::int32_t number, std::string_view text);

  Dialogs& dialogs() { return dialogs_; }
  const MessageLabels& labels() const { return labels_; }

  MessageContext context;
  std::uint8_t errorFlag = 0;

 private:
  Dialogs& dialogs_;
  const std::string& dataDirectory_;
  const WorkListing& listing_;
  const SubprogramTable& subprograms_;
  MessageLabels labels_;  // kept between displays, like the window's labels
};

// The number label: right-aligned in 3 characters.
std::string NumberLabel(std::int32_t number);

}  // namespace data
