#include "data/settings.h"

#include <algorithm>

#include "data/extended.h"
#include "data/files.h"
#include "data/text.h"

namespace data {
namespace {

// Field offsets of the record.
constexpr std::size_t kProgramDirectory = 0;
constexpr std::size_t kControllerType = 256;
constexpr std::size_t kRadiusTolerance = 257;
constexpr std::size_t kXOnChar = 267;
constexpr std::size_t kXOffChar = 268;
constexpr std::size_t kHwFlow = 269;
constexpr std::size_t kSwFlow = 270;
constexpr std::size_t kBaud = 271;
constexpr std::size_t kStopBits = 275;
constexpr std::size_t kDataBits = 279;
constexpr std::size_t kParity = 283;
constexpr std::size_t kComNumber = 284;
constexpr std::size_t kReserved = 285;
constexpr std::size_t kZZeroOffset = 286;
constexpr std::size_t kWorkAreaX = 296;
constexpr std::size_t kWorkAreaY = 306;

// A program directory always ends in a separator (or ':' for a bare drive).
std::string EndedDirectory(std::string dir) {
  if (!dir.empty() && dir.back() != ':' && dir.back() != '\\' && dir.back() != '/') {
    dir += Separator(NativePathStyle());
  }
  return CutText(dir);
}

}  // namespace

std::array<std::uint8_t, kSettingsRecordSize> EncodeSettings(const Settings& s) {
  std::array<std::uint8_t, kSettingsRecordSize> r{};
  const std::string dir = CutText(s.programDirectory);
  r[kProgramDirectory] = static_cast<std::uint8_t>(dir.size());
  std::copy(dir.begin(), dir.end(), r.begin() + kProgramDirectory + 1);
  auto at = [&r](std::size_t offset) { return std::span<std::uint8_t>(r).subspan(offset); };
  r[kControllerType] = s.controllerType;
  EncodeExtended(s.radiusTolerance, at(kRadiusTolerance));
  r[kXOnChar] = s.port.xOnChar;
  r[kXOffChar] = s.port.xOffChar;
  r[kHwFlow] = s.port.hwFlowOptions;
  r[kSwFlow] = s.port.swFlowOptions;
  EncodeInt32(s.port.baud, at(kBaud));
  EncodeInt32(s.port.stopBits, at(kStopBits));
  EncodeInt32(s.port.dataBits, at(kDataBits));
  r[kParity] = s.port.parity;
  r[kComNumber] = s.port.comNumber;
  r[kReserved] = s.reserved;
  EncodeExtended(s.zZeroOffset, at(kZZeroOffset));
  EncodeExtended(s.workAreaX, at(kWorkAreaX));
  EncodeExtended(s.workAreaY, at(kWorkAreaY));
  return r;
}

Settings DecodeSettings(std::span<const std::uint8_t, kSettingsRecordSize> r) {
  Settings s;
  const std::size_t length = r[kProgramDirectory];
  s.programDirectory.assign(r.begin() + kProgramDirectory + 1, r.begin() + kProgramDirectory + 1 + length);
  auto at = [&r](std::size_t offset) { return r.subspan(offset); };
  s.controllerType = r[kControllerType];
  s.radiusTolerance = DecodeExtended(at(kRadiusTolerance));
  s.port.xOnChar = r[kXOnChar];
  s.port.xOffChar = r[kXOffChar];
  s.port.hwFlowOptions = r[kHwFlow];
  s.port.swFlowOptions = r[kSwFlow];
  s.port.baud = DecodeInt32(at(kBaud));
  s.port.stopBits = DecodeInt32(at(kStopBits));
  s.port.dataBits = DecodeInt32(at(kDataBits));
  s.port.parity = r[kParity];
  s.port.comNumber = r[kComNumber];
  s.reserved = r[kReserved];
  s.zZeroOffset = DecodeExtended(at(kZZeroOffset));
  s.workAreaX = DecodeExtended(at(kWorkAreaX));
  s.workAreaY = DecodeExtended(at(kWorkAreaY));
  return s;
}

void MakeDefaultSettings(Settings& settings, const SettingsDefaultsSource& source) {
  settings.programDirectory = EndedDirectory(source.currentDirectory);
  settings.radiusTolerance = 3.0L;
  settings.port = source.port;
  settings.zZeroOffset = 0.0L;
  settings.workAreaX = 400.0L;
  settings.workAreaY = 300.0L;
}

bool ReadSettings(Settings& settings, const std::string& dataDirectory,
                  const SettingsDefaultsSource& source) {
  const auto path = FindFileNoCase(dataDirectory, SettingsFileName(settings.controllerType));
  std::vector<std::uint8_t> bytes;
  // A file of several records holds the settings in its first one.
  if (!path || ReadFileHead(*path, kSettingsRecordSize, bytes) != ReadStatus::Ok ||
      bytes.size() < kSettingsRecordSize) {
    MakeDefaultSettings(settings, source);
    return false;
  }
  settings = DecodeSettings(std::span<const std::uint8_t, kSettingsRecordSize>(bytes.data(), bytes.size()));
  settings.programDirectory = EndedDirectory(settings.programDirectory);
  return true;
}

bool WriteSettings(const Settings& settings, const std::string& dataDirectory) {
  const auto record = EncodeSettings(settings);
  const std::string path = PathForWriting(dataDirectory, SettingsFileName(settings.controllerType));
  return WriteFileReplacing(path, std::string_view(reinterpret_cast<const char*>(record.data()), record.size()));
}

}  // namespace data
