#include "workstation/draw_command.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "data/files.h"
#include "draw/block_sink.h"
#include "draw/interpreter/driver.h"
#include "draw/picture/picture_listener.h"
#include "draw/picture/surface.h"
#include "workstation/draw_preparation.h"
#include "workstation/state_access.h"

namespace rur {
namespace {

// The line the run was executing as it stopped, at the call level it had
// reached: the block its message names.
std::optional<ListingPlace> RunPlace(const WorkstationState& s) {
  const auto level = static_cast<std::size_t>(std::min<int>(s.run.callLevel, draw::kCallLevels));
  const std::int32_t line = s.run.levelLines[level];
  if (line <= 0) return std::nullopt;
  return ListingPlace{s.subprogramSlots[level], line};
}

}  // namespace

bool DrawProgram(Workstation& ws, data::ProgramText editorText, bool blockSkip, DrawCommandView& view) {
  WorkstationState& s = StateOf(ws);
  // A message shown before the command does not stop it; one shown while
  // it prepares does.
  const CommandScope command(s.messages);
  // The blocks and the picture of an earlier drawing must never stand
  // beside this drawing's listing, also when this one stops before its run
  // starts.
  s.blockStore.Clear();
  draw::ClearPicture(s.raster);
  s.messagePlace.reset();
  s.messages.context.messageListingLine = 0;
  // A stop asked for before the command does not hold it; one asked for
  // while it prepares (the events are processed there) does.
  s.phase = data::RunPhase::kRunning;
  PreparationOutcome outcome;
  {
    // Let go once read: the listing holds the program now, and the run
    // needs the memory more.
    const data::ProgramText text = std::move(editorText);
    outcome = PrepareDrawing(ws, text, blockSkip);
  }
  // A message of the preparation names the line it is about when there is
  // one: a call of a subprogram that cannot be read, a line past a limit.
  if (!command.clean() && s.phase != data::RunPhase::kStopping && s.messages.context.messageListingLine > 0) {
    s.messagePlace = ListingPlace{s.messages.context.messageProgramIndex, s.messages.context.messageListingLine};
  }
  // A program that could not be read whole is not drawn: its error stays
  // set, so an incomplete block store can never be sent. After an abort
  // the run does not start, and the abort's message keeps the flag set.
  if (outcome.prepared && outcome.expanded && s.phase != data::RunPhase::kStopping) {
    s.messages.context.currentBlock.clear();
    s.messages.context.currentProgram = data::FileNamePart(s.mainProgramFile);
    view.RunStarting();
    s.ReadDataFiles();
    // The interpreter's blocks go to the store, and the picture draws each.
    draw::BlockSink blocks(s.blockStore);
    draw::PictureListener picture(s.raster, s.settings.workAreaX, s.settings.workAreaY);
    blocks.AddListener(picture);
    draw::RunContext context = s.DrawContext(blocks);
    draw::RunProgram(context);
    // A message of the run names the block it stopped at; an abort names none.
    if (!command.clean() && s.phase != data::RunPhase::kStopping) s.messagePlace = RunPlace(s);
  }
  if (s.phase == data::RunPhase::kRunning) s.phase = data::RunPhase::kIdle;
  const bool clean = command.clean();
  view.RunEnded(clean);
  return clean;
}

}  // namespace rur
