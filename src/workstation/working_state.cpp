#include "workstation/working_state.h"

#include "nc/words/nc_tables.h"

namespace rur {

void ReadMachineFiles(Workstation& ws) {
  if (!data::ReadZeroPoints(ws.zeroPointRecord, ws.dataDirectory, ws.settings.controllerType)) {
    ws.dialogs.Warning(kZeroPointsMissing);
  }
  if (ws.ReadTools().status != data::ToolFileReading::Status::kRead) ws.dialogs.Warning(kToolsMissing);
}

bool EnterWorkingState(Workstation& ws, std::string_view firstArgument) {
  ws.scaledOutputMode = firstArgument == "A" ? 1 : 0;
  if (!ws.LoadSettingsAtActivation()) ws.dialogs.Warning(kSettingsMissing);
  ReadMachineFiles(ws);
  if (!nc::CreateNcTables(ws.subprograms, ws.params, ws.mainProgramFile)) return false;
  data::CopyZeroPoints(ws.zeroPointRecord, ws.zeroPointTable);
  ws.listing.Clear();
  ws.messages.errorFlag = 0;
  nc::LoadCodeDescriptions(ws.descriptions, ws.dataDirectory, ws.settings.controllerType, ws.dialogs);
  return true;
}

}  // namespace rur
