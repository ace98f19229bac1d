#include "core/working_state.h"

namespace rur {

bool EnterWorkingState(Workstation& ws, std::string_view firstArgument) {
  ws.scaledOutputMode = firstArgument == "A" ? 1 : 0;
  if (!ws.LoadSettingsAtActivation()) ws.dialogs.Warning(kSettingsMissing);
  ws.listing.Clear();
  ws.messages.errorFlag = 0;
  ws.stopRequest = 0;
  return true;
}

}  // namespace rur
