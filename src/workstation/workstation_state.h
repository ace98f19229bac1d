// The program-wide state of the workstation as its commands work on it: the
// data directory and settings, the message centre, the work listing and
// subprogram table, the state of a drawing run, the stores of the drawn
// and the sent blocks, and the phase of the running command. A Workstation
// holds it privately; the commands of src/workstation reach it through
// workstation/state_access.h.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "data/block_record.h"
#include "data/data_directory.h"
#include "data/dialogs.h"
#include "data/message_centre.h"
#include "data/run_phase.h"
#include "data/settings.h"
#include "data/throttled_pump.h"
#include "data/tool_table.h"
#include "data/zero_points.h"
#include "data/work_listing.h"
#include "nc/words/code_descriptions.h"
#include "nc/words/param_table.h"
#include "nc/preparation/preparation.h"
#include "nc/translation/translation.h"
#include "draw/block_sink.h"
#include "draw/interpreter/machine_state.h"
#include "draw/picture/raster.h"
#include "draw/interpreter/run_context.h"
#include "draw/interpreter/run_state.h"
#include "transfer/transfer_record.h"
#include "workstation/block_origin.h"

namespace rur {

struct WorkstationState {
  WorkstationState(data::Dialogs& dialogs, data::EventPump& pump, data::DataDirectorySource source);
  WorkstationState(const WorkstationState&) = delete;
  WorkstationState& operator=(const WorkstationState&) = delete;

  // Computes the data directory again and reads the settings of the current
  // controller type (defaults and false when there is no usable file).
  bool LoadSettingsAtActivation();

  // Reads the settings, the tool table and the zero points afresh, as every
  // drawing run starts; the zero points read here are the ones it uses.
  void ReadDataFiles();

  // Reads the tool table of the current controller type and notes what the
  // reading found (toolFile).
  data::ToolFileReading ReadTools();

  // The parts of the workstation that a drawing run touches, with the
  // settings as they are now; its blocks go to `blocks` (a sink of
  // blockStore).
  draw::RunContext DrawContext(draw::BlockSink& blocks);

  data::Dialogs& dialogs;
  data::EventPump& pump;
  data::DataDirectorySource directorySource;
  std::string dataDirectory;

  data::Settings settings;
  data::PortParameters port;  // the serial-port component's present parameters

  std::string mainProgramFile;  // full path of the program in the editor

  data::ToolTable tools{};
  data::ToolFileReading toolFile;  // which records of `tools` came from the tool file
  data::ZeroPointRecord zeroPointRecord;
  data::ZeroPointTable zeroPointTable{};

  data::WorkListing listing;
  data::SubprogramTable subprograms;
  data::MessageCentre messages;
  data::ThrottledPump throttledPump{pump};

  nc::ParamTable params;
  nc::CodeDescriptions descriptions;
  nc::Preparation preparation{listing, subprograms, messages, throttledPump, mainProgramFile};
  nc::SubprogramSlots subprogramSlots{};
  nc::MirrorFactors mirror;

  draw::Raster raster;
  draw::MachineState machine;
  draw::RunState run;
  data::BlockStore blockStore;                               // the blocks of the last drawing
  data::BlockStore sentStore{data::kMaxCompensatedBlocks};  // compensated, as the last send made it
  transfer::TransferRecord lastTransfer;  // what the last send's transfer did
  data::BlockRecord currentRecord;
  // The line the last command's message names (the draw command, the send
  // command and the error search set it as they end).
  std::optional<ListingPlace> messagePlace;

  data::RunPhase phase = data::RunPhase::kIdle;
  std::uint8_t scaledOutputMode = 0;  // first argument "A"
  std::set<std::string> lowerCaseHintsShown;  // subprograms already pointed out
};

}  // namespace rur
