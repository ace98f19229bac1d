// Everything a drawing run touches, gathered by whoever owns it (the
// workstation, or a test): what preparation built, the tables and settings
// the blocks read, the message centre, and the state the run fills. The
// drawing never sees more than this.
#pragma once

#include <string>

#include "data/block_record.h"
#include "data/controllers.h"
#include "data/message_centre.h"
#include "data/run_phase.h"
#include "data/settings.h"
#include "data/throttled_pump.h"
#include "data/work_listing.h"
#include "data/zero_points.h"
#include "draw/block_sink.h"
#include "draw/interpreter/machine_state.h"
#include "draw/interpreter/run_state.h"
#include "nc/words/param_table.h"
#include "nc/preparation/preparation.h"
#include "nc/translation/translation.h"

namespace draw {

// The settings values a run reads, taken when it starts.
struct RunSettings {
  const data::ControllerTraits* traits = &data::TraitsOf(data::kDefaultControllerType);  // never null
  long double workAreaX = 0.0L;
  long double workAreaY = 0.0L;
  long double radiusTolerance = 0.0L;
};

RunSettings RunSettingsOf(const data::Settings& settings);

struct RunContext {
  // What preparation built: the listing, the program table and the names.
  const data::WorkListing& listing;
  data::SubprogramTable& subprograms;  // entry 0 is named after the main program file at each run
  std::string mainProgramFile;         // full path of the main program
  std::string programName;             // the main program's name as preparation found it

  // What the blocks read.
  RunSettings settings;
  const data::ZeroPointTable& zeroPoints;
  nc::ParamTable& params;  // reset at the start of each run

  // Messages, the event pump and the operator's stop request.
  data::MessageCentre& messages;
  data::ThrottledPump& pump;
  const data::RunPhase& phase;

  // What the run fills: every finished block goes to the sink (the block
  // store and its listeners).
  BlockSink& blocks;
  data::BlockRecord& currentRecord;
  MachineState& machine;
  RunState& run;
  nc::SubprogramSlots& subprogramSlots;
  nc::MirrorFactors& mirror;

  bool StopRequested() const { return phase == data::RunPhase::kStopping; }
};

}  // namespace draw
