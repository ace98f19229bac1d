// A POSIX terminal device as the transfer's serial line: the nine port
// parameters of the settings in termios terms, and the opening of a device
// that never blocks and takes nothing but a terminal.
#pragma once

#include <termios.h>

#include <cstdint>
#include <string>

#include "data/settings.h"

namespace cli {

// The termios speed of a baud rate from 300 to 115200; B0 for a rate that
// has no speed constant.
speed_t TerminalSpeed(std::int32_t baud);

// Sets tio raw (8-bit, no character translation, modem lines ignored, a read
// returns once a byte is there) with the port's speed, parity, data bits,
// stop bits and flow control. False for a value a terminal cannot take: a
// baud rate without a speed constant, parity beyond 4 (or mark and space
// without CMSPAR), data bits outside 5..8, stop bits other than 1 and 2.
//
// Hardware flow control: the RTS and CTS bits turn on CRTSCTS, which always
// works both ways. The DTR and DSR bits have no termios counterpart and are
// left out: DTR stays as the driver sets it on opening, DSR is not watched.
// Software flow control: "receive" (bit 0) sends XOff/XOn when the input
// fills (IXOFF), "transmit" (bit 1) stops the output on XOff (IXON); the
// characters are the port's XOn and XOff characters.
// Parity is sent but not checked on input (as QSerialPort does it): a
// corrupted byte reaches the protocol, whose checksum and reply table see it.
bool ApplyPortParameters(const data::PortParameters& port, termios& tio);

// Opens the terminal device for reading and writing without becoming its
// controlling terminal and without blocking, locks it (flock) before it
// changes anything of it, keeps its terminal settings as found in *found,
// configures it with the port parameters and claims it exclusively. -1
// with the reason in *reason (Windows-1252, without the device's name)
// when the path is not a character device that is a terminal, is a
// pseudo-terminal master, cannot be opened (missing, no permission, in
// use), is locked by another opening or does not take the parameters. The
// descriptor stays non-blocking.
int OpenTerminal(const std::string& device, const data::PortParameters& port, std::string* reason = nullptr,
                 termios* found = nullptr);

}  // namespace cli
