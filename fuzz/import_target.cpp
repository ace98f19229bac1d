// The import of standard G-code: whatever the input, either a refusal was
// given and nothing made, or the program made is one the dialect reads as
// written: preparation keeps every line as one block (nothing split before
// an "L", nothing blank), every block translates without a message, no
// line is longer than 255 characters or holds lower case outside its
// comment, and the block count is the drawing's.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "data/files.h"
#include "data/program_file.h"
#include "data/throttled_pump.h"
#include "fuzz_host.h"
#include "fuzz_targets.h"
#include "nc/import/foreign_program.h"
#include "nc/import/gcode_import.h"
#include "nc/lexical/comments.h"
#include "nc/preparation/preparation.h"
#include "nc/translation/translation.h"
#include "workstation/draw_preparation.h"

namespace fuzz {
namespace {

void RequireRefused(const nc::ImportResult& result) {
  const bool refusal = std::any_of(result.notes.begin(), result.notes.end(),
                                   [](const nc::ImportNote& n) { return n.kind == nc::ImportNoteKind::kRefusal; });
  Require(refusal, "a failed import names its refusal");
  Require(result.program.lines.empty() && result.parts.empty(), "a refused import makes nothing");
}

void RequirePrepared(const nc::ImportedProgram& program) {
  MessageBench bench;
  QuietPump pump;
  data::ThrottledPump throttled(pump);
  const std::string mainProgramFile = ProcessDirectory() + "%1";
  nc::Preparation preparation{bench.listing, bench.table, bench.messages, throttled, mainProgramFile};
  const std::string scratch = rur::ScratchFileName(ProcessDirectory());
  RemoveFile(data::FileNamePart(scratch));
  Require(data::SaveProgramText(scratch, program.lines, data::Durability::Scratch), "the scratch file is written");
  Require(nc::PrepareProgram(preparation, scratch) && nc::ExpandSubprograms(preparation),
          "an imported program is prepared without a message");
  Require(bench.listing.lineCount == static_cast<std::int32_t>(program.lines.size()) + 1,
          "preparation keeps every imported line as one block");
}

void RequireTranslated(const nc::ImportedProgram& program) {
  MessageBench bench;
  nc::MirrorFactors mirror;
  for (const std::string& line : program.lines) {
    Require(line.size() <= 255, "an imported line holds 255 characters");
    Require(!nc::HasLowerCaseOutsideComments(line), "an imported line has no lower case outside its comment");
    std::string block = line;
    nc::RemoveFirstComment(block);
    Require(block.find_first_of("()") == std::string::npos, "an imported line has one comment at most");
    Require(nc::TranslateBlock(block, mirror, FuzzParams(), bench.messages), "an imported block translates");
    Require(bench.dialogs.shown == 0, "an imported block translates without a message");
  }
}

}  // namespace

int FuzzImport(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const int type : {17, 1}) {
    nc::ImportOptions options;
    options.controllerType = type;
    const nc::ImportResult result = nc::ImportProgram(text, options);
    if (!result.ok) {
      RequireRefused(result);
      continue;
    }
    Require(result.blocks == static_cast<std::int64_t>(result.program.lines.size()) + 1, "blocks as the drawing counts");
    Require(result.program.lines.size() == result.program.sourceLines.size(), "every line has its source line");
    RequireTranslated(result.program);
    if (type == 17) RequirePrepared(result.program);
  }
  return 0;
}

}  // namespace fuzz
