#include "workstation/working_state.h"

#include "nc/nc_tables.h"

namespace rur {

bool EnterWorkingState(Workstation& ws, std::string_view firstArgument) {
  ws.scaledOutputMode = firstArgument == "A" ? 1 : 0;
  if (!ws.LoadSettingsAtActivation()) ws.dialogs.Warning(kSettingsMissing);
  const int type = ws.settings.controllerType;
  if (!data::ReadZeroPoints(ws.zeroPointRecord, ws.dataDirectory, type)) ws.dialogs.Warning(kZeroPointsMissing);
  if (!data::ReadToolTable(ws.tools, ws.dataDirectory, type, ws.dialogs)) ws.dialogs.Warning(kToolsMissing);
  if (!nc::CreateNcTables(ws.subprograms, ws.params, ws.mainProgramFile)) return false;
  data::CopyZeroPoints(ws.zeroPointRecord, ws.zeroPointTable);
  ws.listing.Clear();
  ws.messages.errorFlag = 0;
  nc::LoadCodeDescriptions(ws.descriptions, ws.dataDirectory, ws.settings.controllerType, ws.dialogs);
  return true;
}

}  // namespace rur
