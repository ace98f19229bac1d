// Where a command starts: the draw and send commands, the error search, the
// window's new and loaded program and each rur-cli command open one. The
// error flag is cleared as it opens, so that a message shown before the
// command does not stop it; every error shown from then on sets it again.
// Nothing else clears the flag.
#pragma once

#include "data/message_centre.h"

namespace rur {

class CommandScope {
 public:
  explicit CommandScope(data::MessageCentre& messages);
  CommandScope(const CommandScope&) = delete;
  CommandScope& operator=(const CommandScope&) = delete;

  // No error was shown since the command started.
  bool clean() const { return !messages_.errorFlag(); }

 private:
  const data::MessageCentre& messages_;
};

}  // namespace rur
