#include "workstation/draw_command.h"

#include "data/files.h"
#include "draw/driver.h"
#include "draw/surface.h"
#include "workstation/draw_preparation.h"

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
    draw::Loesche_bitmap(ws.raster);
    ws.phase = data::RunPhase::kRunning;
    ws.ReadDataFiles();
    draw::RunContext context = ws.DrawContext();
    draw::RunProgram(context);
  }
  ws.phase = data::RunPhase::kIdle;
  const bool clean = ws.messages.errorFlag == 0;
  view.RunEnded(clean);
  return clean;
}

}  // namespace rur
