// translate and listing: one block into the internal dialect; a program
// and its subprograms into the work listing.
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/handlers.h"
#include "workstation/draw_preparation.h"
#include "data/files.h"
#include "data/program_file.h"
#include "data/text.h"
#include "nc/import/foreign_program.h"

namespace cli {

int RunTranslate(CommandContext& c) {
  if (c.args.arguments.size() != 1) return UsageError(c);
  ApplyParams(c);
  std::string block = data::Utf8ToCp1252(c.args.arguments[0]);
  const bool ok = c.ws.TranslateBlock(block);
  c.out << (ok ? "ok" : "fail") << "\n\"" << data::Cp1252ToUtf8(block) << "\"\nmirror " << c.ws.mirror().x << ' '
        << c.ws.mirror().y << "\n";
  return ok && !c.ws.messages().errorFlag() ? kExitOk : kExitFailed;
}

bool LoadProgramArgument(CommandContext& c, data::ProgramText& program) {
  const std::string& path = c.args.arguments[0];
  const data::ProgramLoad result = data::LoadProgramText(path, program);
  if (result != data::ProgramLoad::Ok) {
    c.err << "rur-cli: " << data::Cp1252ToUtf8(data::ProgramLoadError(result, path)) << "\n";
    return false;
  }
  c.ws.ReplaceProgram(path);
  if (const std::optional<nc::LowerCaseLine> line = nc::FirstLowerCaseLine(program)) {
    c.ws.dialogs().Information(nc::LowerCaseHint(data::FileNamePart(path), *line, false));
  }
  return true;
}

int RunListing(CommandContext& c) {
  if (c.args.arguments.size() != 1) return UsageError(c);
  data::ProgramText program;
  if (!LoadProgramArgument(c, program)) return kExitUsage;
  const rur::PreparationOutcome outcome = rur::PrepareDrawing(c.ws, program, c.args.skip);
  const data::WorkListing& listing = c.ws.listing();
  for (std::int64_t n = 1; n <= listing.Size(); ++n) {
    c.out << n << '\t' << data::Cp1252ToUtf8(listing.Line(n)) << '\n';
  }
  c.out << "count " << listing.lineCount << '\n';
  const data::SubprogramTable& table = c.ws.subprograms();
  for (std::int32_t i = 0; i <= table.count && i < data::kSubprogramEntries; ++i) {
    const data::SubprogramEntry& e = table.entries[static_cast<std::size_t>(i)];
    c.out << "sub " << i << ' ' << e.start << ' ' << e.end << ' ' << data::Cp1252ToUtf8(e.name) << '\n';
  }
  return outcome.prepared && outcome.expanded ? kExitOk : kExitFailed;
}

}  // namespace cli
