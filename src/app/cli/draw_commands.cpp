// draw: the draw command on a program file, with the picture as PNG, the
// stored blocks and the path statistics on request.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_app.h"
#include "cli/handlers.h"
#include "cli/statistics_lines.h"
#include "draw/path/block_dump.h"
#include "draw/path/statistics.h"
#include "draw/picture/png_writer.h"
#include "workstation/draw_command.h"
#include "workstation/work_area_hint.h"

namespace cli {

void PrintBlocks(CommandContext& c, const data::BlockStore& store) {
  for (std::int32_t position = 1; position <= store.count(); ++position) {
    c.out << draw::FormatBlockLine(position, store.At(position)) << '\n';
  }
}

// The rapid rate of --rapid-rate, or the default one; none (after saying
// why) for a value that is no rate.
std::optional<draw::PathStatisticsOptions> StatisticsOptions(CommandContext& c) {
  draw::PathStatisticsOptions options;
  if (c.args.rapidRate.empty()) return options;
  const std::optional<double> rate = ParseRapidRate(c.args.rapidRate);
  if (!rate) {
    c.err << "rur-cli: --rapid-rate wants mm/min above 0, not " << c.args.rapidRate << "\n";
    return std::nullopt;
  }
  options.rapidRate = *rate;
  return options;
}

int RunDraw(CommandContext& c) {
  if (c.args.arguments.size() != 1) return UsageError(c);
  const std::optional<draw::PathStatisticsOptions> statisticsOptions = StatisticsOptions(c);
  if (!statisticsOptions) return UsageError(c);
  data::ProgramText program;
  if (!LoadProgramArgument(c, program)) return kExitUsage;
  rur::DrawCommandView quiet;
  const bool clean = rur::DrawProgram(c.ws, std::move(program), c.args.skip, quiet);
  if (clean) {
    if (const std::optional<std::string> hint = rur::OutsideWorkAreaHint(c.ws)) c.ws.dialogs().Information(*hint);
  }
  if (c.args.blocks) PrintBlocks(c, c.ws.blockStore());
  // The figures of a drawing that stopped early would pass for the
  // program's: they are printed only for a clean one.
  if (c.args.stats && clean) {
    c.out << FormatStatistics(draw::ComputePathStatistics(c.ws.blockStore(), *statisticsOptions));
  }
  if (!c.args.png.empty() && !draw::WritePng(c.ws.raster(), c.args.png)) {
    c.err << "rur-cli: cannot write " << c.args.png << "\n";
    return kExitFailed;
  }
  return clean ? kExitOk : kExitFailed;
}

}  // namespace cli
