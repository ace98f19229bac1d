#include "nc/preparation/limits.h"

namespace nc {

bool ReportDirect(Preparation& p, std::int32_t programIndex, std::int32_t listingLine, std::string_view text) {
  p.messages.context.messageProgramIndex = programIndex;
  p.messages.context.messageListingLine = listingLine;
  p.messages.ShowMessageByNumber(data::kDirectMessage, text);
  return false;
}

}  // namespace nc
