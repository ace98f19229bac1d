#include "draw/execution_messages.h"

#include <algorithm>

#include "core/workstation.h"

namespace draw {

void ShowBlockMessage(rur::Workstation& ws, std::string_view text) {
  // A direct message names the program and line that its context points at.
  data::MessageContext& context = ws.messages.context;
  const auto level = static_cast<std::size_t>(std::min<int>(ws.run.callLevel, kCallLevels));
  context.messageProgramIndex = ws.subprogramSlots[level];
  context.messageListingLine = ws.run.levelLines[level];
  ws.messages.ShowMessageByNumber(0, text);
}

}  // namespace draw
