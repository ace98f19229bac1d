#include "core/draw_command.h"

#include "core/draw_preparation.h"
#include "data/files.h"
#include "draw/driver.h"
#include "draw/surface.h"

namespace rur {

bool DrawProgram(Workstation& ws, const std::vector<std::string>& editorLines, bool blockSkip,
                 DrawCommandView& view) {
  const PreparationOutcome outcome = PrepareDrawing(ws, editorLines, blockSkip);
  // A program that could not be read whole is not drawn: its error stays
  // set, so an incomplete block store can never be sent.
  if (outcome.prepared && outcome.expanded) {
    ws.messages.context.currentBlock.clear();
    ws.messages.context.currentProgram = data::FileNamePart(ws.mainProgramFile);
    view.RunStarting();
    ws.messages.errorFlag = 0;
    ws.stopRequest = 0;
    draw::Loesche_bitmap(ws.raster);
    ws.abortRequested = 0;
    draw::RunProgram(ws);
  }
  ws.abortRequested = 1;
  const bool clean = ws.messages.errorFlag == 0;
  view.RunEnded(clean);
  return clean;
}

}  // namespace rur
