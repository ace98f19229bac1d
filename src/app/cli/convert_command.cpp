// convert: the bytes a transfer would put into its frames, without a port:
// draw, compensate, convert.
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_app.h"
#include "cli/handlers.h"
#include "workstation/draw_command.h"
#include "workstation/send_command.h"

namespace cli {

int RunConvert(CommandContext& c) {
  if (c.args.arguments.size() != 1) return UsageError(c);
  data::ProgramText program;
  if (!LoadProgramArgument(c, program)) return kExitUsage;
  c.ws.SetScaledOutput(c.args.scaled);
  rur::DrawCommandView quiet;
  // A drawing or compensation that showed a message sends nothing.
  if (!rur::DrawProgram(c.ws, std::move(program), c.args.skip, quiet)) return kExitFailed;
  if (!rur::PrepareSending(c.ws)) return kExitFailed;
  if (c.args.blocks) {
    PrintBlocks(c, c.ws.sentStore());
    return kExitOk;
  }
  transfer::FrameSource frames = rur::SentFrames(c.ws, false);  // no picture to show
  transfer::Frame frame;
  while (frames.Next(frame)) {
    c.out.write(reinterpret_cast<const char*>(frame.data.data()), static_cast<std::streamsize>(frame.data.size()));
  }
  // A message while the blocks were drawn as sent does not stop a transfer
  // either; it is said on stderr and in the status.
  return !c.ws.messages().errorFlag() ? kExitOk : kExitFailed;
}

}  // namespace cli
