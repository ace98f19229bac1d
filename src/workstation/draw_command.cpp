#include "workstation/draw_command.h"

#include <utility>

#include "data/files.h"
#include "draw/block_sink.h"
#include "draw/interpreter/driver.h"
#include "draw/picture/picture_listener.h"
#include "draw/picture/surface.h"
#include "workstation/draw_preparation.h"

namespace rur {

bool DrawProgram(Workstation& ws, data::ProgramText editorText, bool blockSkip, DrawCommandView& view) {
  // The blocks of an earlier drawing must never stand beside this drawing's
  // listing, also when this one stops before its run starts.
  ws.blockStore.Clear();
  // A stop asked for before the command does not hold it; one asked for
  // while it prepares (the events are processed there) does.
  ws.phase = data::RunPhase::kRunning;
  PreparationOutcome outcome;
  {
    // Let go once read: the listing holds the program now, and the run
    // needs the memory more.
    const data::ProgramText text = std::move(editorText);
    outcome = PrepareDrawing(ws, text, blockSkip);
  }
  // A program that could not be read whole is not drawn: its error stays
  // set, so an incomplete block store can never be sent. After an abort
  // the run does not start, and the abort's message keeps the flag set.
  if (outcome.prepared && outcome.expanded && ws.phase != data::RunPhase::kStopping) {
    ws.messages.context.currentBlock.clear();
    ws.messages.context.currentProgram = data::FileNamePart(ws.mainProgramFile);
    view.RunStarting();
    ws.messages.errorFlag = 0;
    draw::ClearPicture(ws.raster);
    ws.ReadDataFiles();
    // The interpreter's blocks go to the store, and the picture draws each.
    draw::BlockSink blocks(ws.blockStore);
    draw::PictureListener picture(ws.raster, ws.settings.workAreaX, ws.settings.workAreaY);
    blocks.AddListener(picture);
    draw::RunContext context = ws.DrawContext(blocks);
    draw::RunProgram(context);
  }
  if (ws.phase == data::RunPhase::kRunning) ws.phase = data::RunPhase::kIdle;
  const bool clean = ws.messages.errorFlag == 0;
  view.RunEnded(clean);
  return clean;
}

}  // namespace rur
