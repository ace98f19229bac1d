#include "workstation/workstation.h"

#include <filesystem>
#include <system_error>

#include "data/files.h"

namespace rur {
namespace {

std::string CurrentDirectory() {
  std::error_code ec;
  const auto dir = std::filesystem::current_path(ec);
  return ec ? std::string() : dir.string();
}

}  // namespace

Workstation::Workstation(data::Dialogs& dialogs_, data::EventPump& pump_, data::DataDirectorySource source)
    : dialogs(dialogs_),
      pump(pump_),
      directorySource(std::move(source)),
      dataDirectory(data::ResolveDataDirectory(directorySource)),
      messages(dialogs_, dataDirectory, listing, subprograms) {
  listing.Clear();
}

bool Workstation::LoadSettingsAtActivation() {
  dataDirectory = data::ResolveDataDirectory(directorySource);
  return data::ReadSettings(settings, dataDirectory, {CurrentDirectory(), port});
}

void Workstation::ReadDataFiles() {
  LoadSettingsAtActivation();
  ReadTools();
  data::ReadZeroPoints(zeroPointRecord, dataDirectory, settings.controllerType);
  data::CopyZeroPoints(zeroPointRecord, zeroPointTable);
}

data::ToolFileReading Workstation::ReadTools() {
  toolFile = data::ReadToolFile(tools, dataDirectory, settings.controllerType, dialogs);
  return toolFile;
}

draw::RunContext Workstation::DrawContext(draw::BlockSink& blocks) {
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

}  // namespace rur
