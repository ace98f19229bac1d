// The one object that owns the program-wide state of the workstation
// (workstation_state.h). The GUI and rur-cli each own one; a test builds a
// fresh one. The faces read the state through the accessors below and
// change it only through the commands of src/workstation (draw, send,
// abort, the error search, entering the working state) and the verbs
// below; the state itself stays private.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "data/data_directory.h"
#include "nc/expression/expression.h"
#include "workstation/command_scope.h"
#include "workstation/workstation_state.h"

namespace rur {

class Workstation {
 public:
  Workstation(data::Dialogs& dialogs, data::EventPump& pump, data::DataDirectorySource source);
  Workstation(const Workstation&) = delete;
  Workstation& operator=(const Workstation&) = delete;

  // What the faces read.
  data::Dialogs& dialogs() const { return state_.dialogs; }
  const std::string& dataDirectory() const { return state_.dataDirectory; }
  const data::Settings& settings() const { return state_.settings; }
  const std::string& mainProgramFile() const { return state_.mainProgramFile; }  // empty: none
  const data::ZeroPointRecord& zeroPointRecord() const { return state_.zeroPointRecord; }
  const data::ZeroPointTable& zeroPointTable() const { return state_.zeroPointTable; }  // the drawing's
  const nc::CodeDescriptions& descriptions() const { return state_.descriptions; }
  const nc::MirrorFactors& mirror() const { return state_.mirror; }
  std::uint8_t scaledOutputMode() const { return state_.scaledOutputMode; }  // 1: first argument "A"
  const data::MessageCentre& messages() const { return state_.messages; }
  data::RunPhase phase() const { return state_.phase; }
  // What the last drawing made: its listing and program table, its blocks,
  // its picture (or the sent path, drawn over it by a send) and the machine
  // state at its end.
  const data::WorkListing& listing() const { return state_.listing; }
  const data::SubprogramTable& subprograms() const { return state_.subprograms; }
  const data::BlockStore& blockStore() const { return state_.blockStore; }
  const draw::Raster& raster() const { return state_.raster; }
  const draw::MachineState& machine() const { return state_.machine; }
  // The compensated blocks as the last send made them.
  const data::BlockStore& sentStore() const { return state_.sentStore; }
  // What the last send's transfer did (also one that never opened the
  // port): its counts, replies, end text and last confirmed block.
  const transfer::TransferRecord& lastTransfer() const { return state_.lastTransfer; }
  // The program line that the last draw command's, send command's or error
  // search's message names: the block the drawing run stopped at, the block
  // the send's checks or compensation refused, the block the search found
  // (with its position). None when that message names no block, when the
  // command ended without one, or after an abort.
  const std::optional<ListingPlace>& messagePlace() const { return state_.messagePlace; }

  // Opens the scope of a command the face runs itself (the commands of
  // src/workstation open their own): a message shown before it no longer
  // counts as an error.
  CommandScope BeginCommand() { return CommandScope(state_.messages); }

  // Computes the data directory again and reads the settings of the current
  // controller type (defaults and false when there is no usable file).
  bool LoadSettingsAtActivation() { return state_.LoadSettingsAtActivation(); }

  // Reads the tool table of the current controller type again (unsaved
  // edits of the tool dialog are dropped; a missing file keeps them).
  data::ToolFileReading ReadTools() { return state_.ReadTools(); }

  // Hands the zero-point record, as the zero-point dialog left it, to the
  // drawing's table.
  void AdoptZeroPoints();

  // Another program takes the editor's place: `path` names its file (empty:
  // a new program without one). It is drawn under that name, its
  // subprograms are looked up beside it, and the listing of the program
  // before is let go.
  void ReplaceProgram(std::string path);

  // The editor's program was saved as `path`: it is drawn and saved under
  // that name from now on (the listing of its last drawing stays).
  void NameMainProgram(std::string path) { state_.mainProgramFile = std::move(path); }

  // Lets the work listing go (the window does so as it closes).
  void ClearListing() { state_.listing.Clear(); }

  // Clears the work-area picture.
  void ClearPicture();

  // The controller's block text in scaled whole numbers (as the first
  // argument "A" asks for) or with decimals.
  void SetScaledOutput(bool scaled) { state_.scaledOutputMode = scaled ? 1 : 0; }

  // Parameter n (as rur-cli's --param gives it) for the words and blocks
  // evaluated next.
  void SetParameter(std::int32_t n, long double value) { state_.params.Set(n, value); }

  // One block into the internal dialect with the parameters and mirror
  // factors of the workstation (nc::TranslateBlock); false after a message.
  bool TranslateBlock(std::string& block);

  // The value of one NC word with the workstation's parameters; an error is
  // shown as its message.
  nc::Evaluation EvaluateWord(std::string_view word);

  // After the start picture the window refuses to close until it is next
  // activated (ReleaseClosingHold), a command ends or the operator asks a
  // command to stop: the phase reads kRunning meanwhile.
  void HoldClosing() { state_.phase = data::RunPhase::kRunning; }
  // Ends that hold; the window calls it when it is activated while none of
  // its commands runs (a stop asked for stays asked).
  void ReleaseClosingHold();

  // What the installation, tool and zero-point dialogs edit in place for as
  // long as the workstation lives: the settings with the serial port's
  // present parameters, the tool table and the zero-point record, and where
  // their files are. After the tool dialog ReadTools() takes the file's
  // tools again; after the zero-point dialog AdoptZeroPoints() hands the
  // record to the drawing.
  struct DialogParts {
    data::Settings& settings;
    data::PortParameters& port;
    data::ToolTable& tools;
    data::ZeroPointRecord& zeroPoints;
    data::DataFileLocation files;
  };
  DialogParts PartsForDialogs();

 private:
  friend struct StateAccess;  // workstation/state_access.h
  WorkstationState state_;
};

}  // namespace rur
