#include "workstation/error_search.h"

#include "workstation/state_access.h"

namespace rur {

void FindBlockLine(Workstation& ws, std::int64_t n) {
  WorkstationState& s = StateOf(ws);
  const CommandScope command(s.messages);
  data::MessageContext& context = s.messages.context;
  s.messagePlace.reset();
  if (n < 0 || n > s.sentStore.count()) {
    context.messageProgramIndex = 0;
    context.messageListingLine = 0;
    // Only that: no program or block of an earlier message beside it.
    s.messages.ShowUnplacedMessage(kBlockNotFound);
    return;
  }
  s.currentRecord = s.sentStore.At(static_cast<std::int32_t>(n));
  context.messageProgramIndex = s.currentRecord.programIndex;
  context.messageListingLine = s.currentRecord.listingLine;
  if (context.messageListingLine > 0) {
    s.messagePlace = ListingPlace{context.messageProgramIndex, context.messageListingLine, static_cast<std::int32_t>(n)};
  }
  s.messages.ShowMessageByNumber(data::kDirectMessage, "");
}

}  // namespace rur
