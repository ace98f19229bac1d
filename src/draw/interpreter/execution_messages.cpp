#include "draw/interpreter/execution_messages.h"

#include <algorithm>

#include "draw/interpreter/run_context.h"

namespace draw {

void ShowBlockMessage(RunContext& ctx, std::string_view text) {
  // A direct message names the program and line that its context points at.
  data::MessageContext& context = ctx.messages.context;
  const auto level = static_cast<std::size_t>(std::min<int>(ctx.run.callLevel, kCallLevels));
  context.messageProgramIndex = ctx.subprogramSlots[level];
  context.messageListingLine = ctx.run.levelLines[level];
  ctx.messages.ShowMessageByNumber(data::kDirectMessage, text);
}

}  // namespace draw
