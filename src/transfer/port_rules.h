// What the port parameters of the settings mean for a transfer before any
// device is touched: the values no serial line can take, and the
// combinations under which the controller's replies would go astray. Both
// faces use it: the port dialog shows the warnings, rur-cli prints them.
// Texts are Windows-1252.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/settings.h"

namespace transfer {

// The controller's own release and memory-full bytes.
inline constexpr std::uint8_t kQvmRelease = 17;
inline constexpr std::uint8_t kQvmMemoryFull = 19;

// Empty when every parameter can be set, otherwise why not, naming the
// first value that cannot ("Baudrate 12345 nicht einstellbar"). The baud
// rates are those with a terminal speed constant from 300 to 115200.
std::string UnusableSetting(const data::PortParameters& port);

// The warnings about the parameters, in this order, each once:
// - XOn or XOff is 0: the controller's release (17) and memory-full (19)
//   bytes are then not understood as such.
// - software flow control swallows the release or memory-full byte: the
//   window's port turns XON/XOFF on in both directions with the device's
//   own 17 and 19 whichever direction is chosen; rur-cli obeys XOff/XOn
//   ("transmit") with the settings' own characters. Either way the driver
//   takes the byte out of the input and the transfer waits for ever.
std::vector<std::string> PortWarnings(const data::PortParameters& port);

// "Schnittstelle DEVICE: REASON", the form of every text that says why a
// port cannot be used.
std::string PortProblemText(std::string_view device, std::string_view reason);

}  // namespace transfer
