// The draw command "Z&eichnen" as the window and rur-cli run it: prepare
// the program from the editor's text, run the interpreter over it, and tell
// whether the result may be sent.
#pragma once

#include <string>
#include <vector>

#include "data/program_text.h"
#include "workstation/workstation.h"

namespace rur {

// What the command's surroundings do around the run (the window disables
// and enables its commands; rur-cli does nothing).
class DrawCommandView {
 public:
  virtual ~DrawCommandView() = default;
  virtual void RunStarting() {}
  // clean: the run ended with the error flag clear (sending allowed).
  virtual void RunEnded(bool clean) { (void)clean; }
};

// Runs the whole draw command on the editor's text (given away: it is let
// go once the program has been read); returns true when no error was shown
// since it started (a message shown before it does not count, nor does a
// notice). Runs with the phase kRunning from its start: a stop
// (kStopping, set by the abort command through the event pump) ends the
// preparation's waits, keeps the run from starting or ends it, and stays
// set when the command returns, so that nothing started after it (the
// port of a send) goes ahead. Otherwise the phase ends kIdle. The picture
// is cleared as it starts; after a message of the run (not an abort's),
// ws.messagePlace() names the line the run stopped at.
bool DrawProgram(Workstation& ws, data::ProgramText editorText, bool blockSkip, DrawCommandView& view);

}  // namespace rur
