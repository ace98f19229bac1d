#include "cli/commands.h"

#include <array>

#include "cli/handlers.h"

namespace cli {
namespace {

constexpr std::array<Command, 8> kCommands = {{
    {"eval", RunEval},
    {"word", RunWord},
    {"translate", RunTranslate},
    {"listing", RunListing},
    {"draw", RunDraw},
    {"convert", RunConvert},
    {"send", RunSend},
    {"controller", RunController},
}};

}  // namespace

const Command* FindCommand(std::string_view name) {
  for (const Command& c : kCommands) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

}  // namespace cli
