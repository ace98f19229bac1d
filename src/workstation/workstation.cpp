#include "workstation/workstation.h"

#include <filesystem>
#include <system_error>

#include "data/files.h"
#include "draw/picture/surface.h"
#include "nc/words/word.h"

namespace rur {
namespace {

std::string CurrentDirectory() {
  std::error_code ec;
  const auto dir = std::filesystem::current_path(ec);
  return ec ? std::string() : dir.string();
}

}  // namespace

WorkstationState::WorkstationState(data::Dialogs& dialogs_, data::EventPump& pump_, data::DataDirectorySource source)
    : dialogs(dialogs_),
      pump(pump_),
      directorySource(std::move(source)),
      dataDirectory(data::ResolveDataDirectory(directorySource)),
      messages(dialogs_, dataDirectory, listing, subprograms) {
  listing.Clear();
}

bool WorkstationState::LoadSettingsAtActivation() {
  dataDirectory = data::ResolveDataDirectory(directorySource);
  return data::ReadSettings(settings, dataDirectory, {CurrentDirectory(), port});
}

void WorkstationState::ReadDataFiles() {
  LoadSettingsAtActivation();
  ReadTools();
  data::ReadZeroPoints(zeroPointRecord, dataDirectory, settings.controllerType);
  data::CopyZeroPoints(zeroPointRecord, zeroPointTable);
}

data::ToolFileReading WorkstationState::ReadTools() {
  toolFile = data::ReadToolFile(tools, dataDirectory, settings.controllerType, dialogs);
  return toolFile;
}

draw::RunContext WorkstationState::DrawContext(draw::BlockSink& blocks) {
  return {.listing = listing,
          .subprograms = subprograms,
          .mainProgramFile = mainProgramFile,
          .programName = preparation.programName,
          .settings = draw::RunSettingsOf(settings),
          .zeroPoints = zeroPointTable,
          .params = params,
          .messages = messages,
          .pump = throttledPump,
          .phase = phase,
          .blocks = blocks,
          .currentRecord = currentRecord,
          .machine = machine,
          .run = run,
          .subprogramSlots = subprogramSlots,
          .mirror = mirror};
}

Workstation::Workstation(data::Dialogs& dialogs, data::EventPump& pump, data::DataDirectorySource source)
    : state_(dialogs, pump, std::move(source)) {}

void Workstation::AdoptZeroPoints() { data::CopyZeroPoints(state_.zeroPointRecord, state_.zeroPointTable); }

void Workstation::ReplaceProgram(std::string path) {
  state_.mainProgramFile = std::move(path);
  state_.listing.Clear();
  state_.messagePlace.reset();  // its line was one of the listing let go
}

void Workstation::ClearPicture() { draw::ClearPicture(state_.raster); }

bool Workstation::TranslateBlock(std::string& block) {
  return nc::TranslateBlock(block, state_.mirror, state_.params, state_.messages);
}

nc::Evaluation Workstation::EvaluateWord(std::string_view word) {
  return nc::EvaluateWordResult(word, state_.params, state_.messages);
}

void Workstation::ReleaseClosingHold() {
  if (state_.phase == data::RunPhase::kRunning) state_.phase = data::RunPhase::kIdle;
}

Workstation::DialogParts Workstation::PartsForDialogs() {
  return {.settings = state_.settings,
          .port = state_.port,
          .tools = state_.tools,
          .zeroPoints = state_.zeroPointRecord,
          .files = {state_.dataDirectory, state_.settings.controllerType, state_.dialogs}};
}

}  // namespace rur
