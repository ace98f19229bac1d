#include "workstation/working_state.h"

#include "data/controllers.h"
#include "data/text.h"
#include "nc/words/nc_tables.h"
#include "workstation/state_access.h"

namespace rur {

std::string MissingFileWarning(std::string_view text, const std::string& dataDirectory, const std::string& fileName) {
  // Paths are in the file system's encoding; the texts shown are not.
  return std::string(text) + "\r\nDatei: " + data::Utf8ToCp1252(dataDirectory + fileName) +
         "\r\nDatenverzeichnis: " + data::Utf8ToCp1252(dataDirectory);
}

void ReadMachineFiles(Workstation& ws) {
  WorkstationState& s = StateOf(ws);
  const int type = s.settings.controllerType;
  if (!data::ReadZeroPoints(s.zeroPointRecord, s.dataDirectory, type)) {
    s.dialogs.Warning(MissingFileWarning(kZeroPointsMissing, s.dataDirectory, data::ZeroPointFileName(type)));
  }
  if (s.ReadTools().status != data::ToolFileReading::Status::kRead) {
    s.dialogs.Warning(MissingFileWarning(kToolsMissing, s.dataDirectory, data::ToolFileName(type)));
  }
}

bool EnterWorkingState(Workstation& ws, std::string_view firstArgument) {
  WorkstationState& s = StateOf(ws);
  const CommandScope start(s.messages);  // nothing shown before counts as an error
  s.phase = data::RunPhase::kIdle;
  s.scaledOutputMode = firstArgument == "A" ? 1 : 0;
  if (!s.LoadSettingsAtActivation()) {
    s.dialogs.Warning(
        MissingFileWarning(kSettingsMissing, s.dataDirectory, data::SettingsFileName(s.settings.controllerType)));
  }
  ReadMachineFiles(ws);
  if (!nc::CreateNcTables(s.subprograms, s.params, s.mainProgramFile)) return false;
  data::CopyZeroPoints(s.zeroPointRecord, s.zeroPointTable);
  s.listing.Clear();
  nc::LoadCodeDescriptions(s.descriptions, s.dataDirectory, s.settings.controllerType, s.dialogs);
  return true;
}

void LeaveWorkingState(Workstation& ws) { StateOf(ws).phase = data::RunPhase::kIdle; }

}  // namespace rur
