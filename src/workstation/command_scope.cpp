#include "workstation/command_scope.h"

namespace rur {

CommandScope::CommandScope(data::MessageCentre& messages) : messages_(messages) { messages.errorFlag_ = false; }

}  // namespace rur
