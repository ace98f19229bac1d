// The settings record: controller type, program directory, serial-port
// parameters, work-area size, Z zero offset and radius tolerance, stored
// byte for byte as the single 316-byte record of P + "_ini.Dat".
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "data/controllers.h"

namespace data {

inline constexpr std::size_t kSettingsRecordSize = 316;

// The controller's release and memory-full bytes, which the port's XOn and
// XOff characters name. The controller is always the QVM, so a port starts
// with them and so do the settings when no file holds others.
inline constexpr std::uint8_t kQvmRelease = 17;
inline constexpr std::uint8_t kQvmMemoryFull = 19;

// The nine port fields, encoded as the serial line takes them.
struct PortParameters {
  std::uint8_t comNumber = 1;
  std::int32_t baud = 9600;
  std::uint8_t parity = 0;  // 0 none, 1 odd, 2 even, 3 mark, 4 space
  std::int32_t dataBits = 8;
  std::int32_t stopBits = 1;
  std::uint8_t hwFlowOptions = 0;  // bit 0 DTR, 1 RTS, 2 require DSR, 3 require CTS
  std::uint8_t swFlowOptions = 0;  // 0 none, 1 receive, 2 transmit, 3 both
  std::uint8_t xOnChar = kQvmRelease;
  std::uint8_t xOffChar = kQvmMemoryFull;
  bool operator==(const PortParameters&) const = default;
};

struct Settings {
  std::string programDirectory;  // at most 255 bytes
  std::uint8_t controllerType = kDefaultControllerType;
  long double radiusTolerance = 3.0L;
  PortParameters port;
  std::uint8_t reserved = 0;
  long double zZeroOffset = 0.0L;
  long double workAreaX = 400.0L;
  long double workAreaY = 300.0L;
};

std::array<std::uint8_t, kSettingsRecordSize> EncodeSettings(const Settings& settings);
Settings DecodeSettings(std::span<const std::uint8_t, kSettingsRecordSize> record);

// What the defaults need from the platform: the current directory and the
// serial-port component's present parameters.
struct SettingsDefaultsSource {
  std::string currentDirectory;
  PortParameters port;
};

// Fills the defaults; ControllerType and the reserved byte stay untouched.
void MakeDefaultSettings(Settings& settings, const SettingsDefaultsSource& source);

// Reads the file of the current controller type. A missing or short file
// gives the defaults and false.
bool ReadSettings(Settings& settings, const std::string& dataDirectory,
                  const SettingsDefaultsSource& source);

// Writes the record to the file of the current controller type; false when
// it could not be written (the old file then stays intact).
bool WriteSettings(const Settings& settings, const std::string& dataDirectory);

}  // namespace data
