// The main window's command state: whether the working state is entered,
// what runs, and what was done since the program last changed. Every
// enabled command of the window follows from it (CommandsIn), so that the
// window sets its buttons in one place.
#pragma once

#include <cstdint>

namespace app {

enum class CommandState : std::uint8_t {
  kNotWorking,  // before the start picture, and after the end picture
  kIdle,        // working, nothing runs, nothing drawn clean since the last change
  kDrawnClean,  // drawn without a message since the last change: it may be sent
  kSent,        // a send ended (sent or not): the error search maps the controller's blocks
  kDrawing,
  kSending,
};

// A drawing or a transfer runs.
constexpr bool Running(CommandState state) {
  return state == CommandState::kDrawing || state == CommandState::kSending;
}

// The commands the window offers (enabled), and which of the start and end
// pictures it shows.
struct OfferedCommands {
  bool programCommands = false;  // new, load, save, tools, zero points, installation
  bool abort = false;
  bool editor = false;
  bool blockSkip = false;
  bool draw = false;
  bool send = false;
  bool errorSearch = false;
  bool sendFrom = false;  // "Ab Satz senden"
  bool close = false;
  bool startPicture = false;
  bool endPicture = false;
  bool working = false;  // the end picture shows, not the start picture
  bool operator==(const OfferedCommands&) const = default;
};

// drawOffered: what the draw command's own rule gives while nothing runs
// (set by loading, by each command's end and by the abort; an edit or a
// click in the editor offers it only for more than three lines).
OfferedCommands CommandsIn(CommandState state, bool drawOffered);

}  // namespace app
