#include "window/command_state.h"

namespace app {

OfferedCommands CommandsIn(CommandState state, bool drawOffered) {
  OfferedCommands on;
  switch (state) {
    case CommandState::kNotWorking:
      on.close = on.startPicture = on.endPicture = true;
      break;
    case CommandState::kIdle:
    case CommandState::kDrawnClean:
    case CommandState::kSent:
      on.working = true;
      on.programCommands = on.abort = on.editor = on.blockSkip = true;
      on.startPicture = on.endPicture = true;
      on.draw = drawOffered;
      on.send = state == CommandState::kDrawnClean;
      on.errorSearch = state == CommandState::kSent;
      // The controller's block numbers are those of the last transfer.
      on.sendFrom = state == CommandState::kSent;
      break;
    case CommandState::kDrawing:
      // Events are processed while the command runs, so that the abort
      // works; the editor, the block-skip box and the end picture are held
      // too, since they would change what the run reads.
      on.working = true;
      on.abort = true;
      break;
    case CommandState::kSending:
      // The editor stays usable: the blocks sent are made already.
      on.working = true;
      on.abort = on.editor = on.blockSkip = on.startPicture = true;
      break;
  }
  return on;
}

}  // namespace app
