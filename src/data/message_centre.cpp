#include "data/message_centre.h"

#include <cstdio>

#include "data/files.h"
#include "data/line_reader.h"
#include "data/text.h"

namespace data {

bool ReadCatalogueLine(const std::string& cataloguePath, std::int32_t number, std::string& text) {
  text.clear();
  // Only a regular file is read: a FIFO in its place must not block.
  InputFile file;
  if (file.Open(cataloguePath) != ReadStatus::Ok) return false;
  std::istream& in = file.stream();
  std::string line;
  for (std::int32_t n = 1; n <= number; ++n) {
    if (!ReadTextLine(in, line)) {  // past the end: empty lines, no error
      line.clear();
      break;
    }
  }
  if (file.failed()) return false;
  text = StripLeadingBlanks(line);
  return true;
}

std::string NumberLabel(std::int32_t number) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%3d", static_cast<int>(number));
  return buffer;
}

MessageCentre::MessageCentre(Dialogs& dialogs, const std::string& dataDirectory,
                             const WorkListing& listing, const SubprogramTable& subprograms)
    : dialogs_(dialogs), dataDirectory_(dataDirectory), listing_(listing), subprograms_(subprograms) {}

void MessageCentre::ShowMessageByNumber(std::int32_t number, std::string_view text) {
  Show(number, text);
  errorFlag_ = true;
}

void MessageCentre::ShowUnplacedMessage(std::string_view text) {
  labels_ = {"Direkt", CutText(text), "", ""};
  dialogs_.Beep();
  dialogs_.ShowMessageWindow(labels_);
  errorFlag_ = true;
}

void MessageCentre::ShowNotice(std::int32_t number, std::string_view text) { Show(number, text); }

void MessageCentre::ShowWarning(std::string_view text) {
  dialogs_.Warning(text);
  errorFlag_ = true;
}

void MessageCentre::Show(std::int32_t number, std::string_view text) {
  if (number == kDirectMessage) {
    labels_.number = "Direkt";
    labels_.description = CutText(text);
    labels_.program = subprograms_.NameOf(context.messageProgramIndex);
    if (context.messageListingLine > 0) {
      labels_.block = CutText(listing_.Line(context.messageListingLine));
    }
  } else {
    std::string line;
    const std::string path =
        FindFileNoCase(dataDirectory_, kCatalogueName).value_or(dataDirectory_ + kCatalogueName);
    const bool ok = ReadCatalogueLine(path, number, line);
    labels_.number = NumberLabel(number);
    labels_.description = ok ? line : std::string(kCatalogueMissing);
    labels_.program = context.currentProgram;
    labels_.block = context.currentBlock;
  }
  dialogs_.Beep();
  dialogs_.ShowMessageWindow(labels_);
}

}  // namespace data
