#include "workstation/working_state.h"

#include "nc/words/nc_tables.h"
#include "workstation/state_access.h"

namespace rur {

void ReadMachineFiles(Workstation& ws) {
  WorkstationState& s = StateOf(ws);
  if (!data::ReadZeroPoints(s.zeroPointRecord, s.dataDirectory, s.settings.controllerType)) {
    s.dialogs.Warning(kZeroPointsMissing);
  }
  if (s.ReadTools().status != data::ToolFileReading::Status::kRead) s.dialogs.Warning(kToolsMissing);
}

bool EnterWorkingState(Workstation& ws, std::string_view firstArgument) {
  WorkstationState& s = StateOf(ws);
  const CommandScope start(s.messages);  // nothing shown before counts as an error
  s.phase = data::RunPhase::kIdle;
  s.scaledOutputMode = firstArgument == "A" ? 1 : 0;
  if (!s.LoadSettingsAtActivation()) s.dialogs.Warning(kSettingsMissing);
  ReadMachineFiles(ws);
  if (!nc::CreateNcTables(s.subprograms, s.params, s.mainProgramFile)) return false;
  data::CopyZeroPoints(s.zeroPointRecord, s.zeroPointTable);
  s.listing.Clear();
  nc::LoadCodeDescriptions(s.descriptions, s.dataDirectory, s.settings.controllerType, s.dialogs);
  return true;
}

void LeaveWorkingState(Workstation& ws) { StateOf(ws).phase = data::RunPhase::kIdle; }

}  // namespace rur
