#include "transfer/port_rules.h"

#include <algorithm>
#include <array>

namespace transfer {
namespace {

constexpr std::array<std::int32_t, 11> kBaudRates = {300,  600,   1200,  1800,  2400,  4800,
                                                     9600, 19200, 38400, 57600, 115200};
// Software flow control "transmit": the driver obeys XOff/XOn.
constexpr std::uint8_t kSoftwareTransmit = 0x02;

// Whether a driver with the port's software flow control takes `byte` out
// of the input (see PortWarnings).
bool Swallowed(const data::PortParameters& port, std::uint8_t byte) {
  if (byte == 0 || port.swFlowOptions == 0) return false;
  const bool window = byte == kQvmRelease || byte == kQvmMemoryFull;
  const bool cli = (port.swFlowOptions & kSoftwareTransmit) != 0;
  return window || cli;
}

}  // namespace

std::string UnusableSetting(const data::PortParameters& port) {
  if (std::find(kBaudRates.begin(), kBaudRates.end(), port.baud) == kBaudRates.end()) {
    return "Baudrate " + std::to_string(port.baud) + " nicht einstellbar";
  }
  if (port.parity > 4) return "Parit\xE4t " + std::to_string(port.parity) + " nicht einstellbar";
  if (port.dataBits < 5 || port.dataBits > 8) return std::to_string(port.dataBits) + " Datenbits nicht einstellbar";
  if (port.stopBits != 1 && port.stopBits != 2) return std::to_string(port.stopBits) + " Stoppbits nicht einstellbar";
  return {};
}

std::vector<std::string> PortWarnings(const data::PortParameters& port) {
  std::vector<std::string> warnings;
  const std::string xOn = "XOn " + std::to_string(port.xOnChar);
  const std::string xOff = "XOff " + std::to_string(port.xOffChar);
  if (port.xOnChar == 0 || port.xOffChar == 0) {
    warnings.push_back("XOn/XOff nicht gesetzt (" + xOn + ", " + xOff +
                       "): Die QVM meldet vollen Speicher mit 19 und gibt mit 17 wieder frei.");
  }
  const bool release = Swallowed(port, port.xOnChar);
  const bool memoryFull = Swallowed(port, port.xOffChar);
  if (release || memoryFull) {
    const std::string which = release && memoryFull ? xOn + " und " + xOff : release ? xOn : xOff;
    warnings.push_back("Software-Flusssteuerung: Der Treiber verschluckt " + which +
                       ", die \xDC" "bertragung wartet dann endlos.");
  }
  return warnings;
}

std::string PortProblemText(std::string_view device, std::string_view reason) {
  std::string text = "Schnittstelle ";
  text.append(device);
  text += ": ";
  text.append(reason);
  return text;
}

}  // namespace transfer
