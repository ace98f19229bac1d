#include "workstation/error_search.h"

namespace rur {

void FindBlockLine(Workstation& ws, std::int64_t n) {
  data::MessageContext& context = ws.messages.context;
  if (n < 0 || n > ws.sentStore.count()) {
    context.messageProgramIndex = 0;
    context.messageListingLine = 0;
    ws.messages.ShowMessageByNumber(data::kDirectMessage, kBlockNotFound);
    return;
  }
  ws.currentRecord = ws.sentStore.At(static_cast<std::int32_t>(n));
  context.messageProgramIndex = ws.currentRecord.programIndex;
  context.messageListingLine = ws.currentRecord.listingLine;
  ws.messages.ShowMessageByNumber(data::kDirectMessage, "");
}

}  // namespace rur
