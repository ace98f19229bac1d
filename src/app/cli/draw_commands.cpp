// draw: the draw command on a program file, with the picture as PNG and
// the stored blocks on request.
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_app.h"
#include "cli/handlers.h"
#include "draw/block_dump.h"
#include "draw/png_writer.h"
#include "workstation/draw_command.h"

namespace cli {

void PrintBlocks(CommandContext& c, const data::BlockStore& store) {
  for (std::int32_t position = 1; position <= store.count(); ++position) {
    c.out << draw::FormatBlockLine(position, store.At(position)) << '\n';
  }
}

int RunDraw(CommandContext& c) {
  if (c.args.arguments.size() != 1) return UsageError(c);
  data::ProgramText program;
  if (!LoadProgramArgument(c, program)) return kExitUsage;
  rur::DrawCommandView quiet;
  const bool clean = rur::DrawProgram(c.ws, std::move(program), c.args.skip, quiet);
  if (c.args.blocks) PrintBlocks(c, c.ws.blockStore);
  if (!c.args.png.empty() && !draw::WritePng(c.ws.raster, c.args.png)) {
    c.err << "rur-cli: cannot write " << c.args.png << "\n";
    return kExitFailed;
  }
  return clean ? kExitOk : kExitFailed;
}

}  // namespace cli
