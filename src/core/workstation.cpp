#include "core/workstation.h"

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

}  // namespace rur
