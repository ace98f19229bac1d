// What a path named as the serial port is, in the words of the port
// messages: missing, not permitted, no serial port at all (a file, a FIFO,
// a pseudo-terminal master, a device that is no terminal), and why an
// opening failed. Both faces ask it before and after they open a device.
// POSIX only; texts are Windows-1252.
#pragma once

#include <string>

namespace transfer {

inline constexpr char kPortNotPresent[] = "nicht vorhanden";
inline constexpr char kPortNoPermission[] = "keine Berechtigung";
inline constexpr char kPortBusy[] = "belegt";
inline constexpr char kPortNotATerminal[] = "keine serielle Schnittstelle (kein Terminal)";
inline constexpr char kPortPseudoTerminalMaster[] = "keine serielle Schnittstelle (Pseudoterminal-Master)";

// Empty when `device` is a character device that this process may open for
// reading and writing and that is not a pseudo-terminal master (/dev/ptmx,
// /dev/pts/ptmx, a BSD pty master); otherwise why not. Opens nothing.
std::string DeviceProblem(const std::string& device);

// Whether the open descriptor is a pseudo-terminal master: opening one
// makes a new terminal pair that no controller is connected to.
bool IsPseudoTerminalMaster(int fd);

// The reason for an errno of opening a device or of the terminal calls on
// it ("nicht vorhanden", "keine Berechtigung", "belegt", ...).
std::string OpenErrorReason(int error);

// The symbolic name of an errno value (EIO, ...), the same in every locale.
std::string ErrorName(int error);

}  // namespace transfer
