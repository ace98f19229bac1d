#include "cli/commands.h"

#include <array>
#include <string>

#include "cli/handlers.h"

namespace cli {
namespace {

constexpr std::array<Command, 9> kCommands = {{
    {"eval", RunEval, "eval TEXT [--param N=VALUE]...", " --param ", SettingsUse::kNone},
    {"word", RunWord, "word WORD [--param N=VALUE]...", " --param ", SettingsUse::kNone},
    {"translate", RunTranslate, "translate BLOCK [--param N=VALUE]...", " --param ", SettingsUse::kNone},
    {"listing", RunListing, "listing PROGRAM [--skip]", " --skip ", SettingsUse::kNone},
    {"draw", RunDraw, "draw PROGRAM [--skip] [--png FILE] [--blocks] [--stats [--rapid-rate MM_PER_MIN]]",
     " --skip --png --blocks --stats --rapid-rate ",
     SettingsUse::kAlways, true},
    {"convert", RunConvert, "convert PROGRAM [--skip] [--scaled] [--blocks]", " --skip --scaled --blocks ",
     SettingsUse::kAlways, true},
    {"send", RunSend, "send PROGRAM --port DEVICE [--skip] [--scaled]", " --port --skip --scaled --log --trace --from ",
     SettingsUse::kAlways, true},
    {"import", RunImport, "import FILE [--type N] [--out FILE]", " --type --out ", SettingsUse::kNone},
    {"controller", RunController, "controller [--pty | --port DEVICE] [--reply SCRIPT] [--out FILE]",
     " --pty --port --reply --out ", SettingsUse::kWithPort},
}};

}  // namespace

const Command* FindCommand(std::string_view name) {
  for (const Command& c : kCommands) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

bool UsesSettings(const Command& command, const CliArgs& args) {
  return command.settings == SettingsUse::kAlways || (command.settings == SettingsUse::kWithPort && !args.port.empty());
}

std::string_view ForeignOption(const Command& command, const CliArgs& args) {
  for (const std::string& option : args.options) {
    if (option == "--data" || option == "--help") continue;
    if (command.options.find(' ' + option + ' ') == std::string_view::npos) return option;
  }
  return {};
}

}  // namespace cli
