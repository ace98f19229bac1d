#include "workstation/draw_preparation.h"

#include "data/files.h"
#include "data/program_file.h"
#include "nc/preparation.h"

namespace rur {

std::string ScratchFileName(const std::string& dataDirectory) {
  return dataDirectory + "ZEPS_" + "00" + ".$$$";
}

PreparationOutcome PrepareDrawing(Workstation& ws, const std::vector<std::string>& editorLines, bool blockSkip) {
  PreparationOutcome outcome;
  const std::string scratch = ScratchFileName(ws.dataDirectory);
  ws.listing.Clear();
  ws.pump.ProcessEvents();
  if (!data::SaveProgramText(scratch, editorLines, data::Durability::Scratch)) {
    ws.dialogs.Warning("Hilfsdatei " + scratch + " kann nicht geschrieben werden!\n\rZeichnen nicht m\xF6glich.");
    ws.messages.errorFlag = 1;
    return outcome;
  }
  ws.preparation.blockSkip = blockSkip;
  outcome.prepared = nc::PrepareProgram(ws.preparation, scratch);
  if (outcome.prepared) outcome.expanded = nc::ExpandSubprograms(ws.preparation);
  return outcome;
}

}  // namespace rur
