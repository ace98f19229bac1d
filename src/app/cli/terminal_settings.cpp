#include "cli/terminal_settings.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <utility>

#include "transfer/port_claim.h"
#include "transfer/port_device.h"
#include "transfer/port_rules.h"

namespace cli {
namespace {

// Bits of the port's hardware and software flow options.
constexpr std::uint8_t kUseRts = 0x02;
constexpr std::uint8_t kRequireCts = 0x08;
constexpr std::uint8_t kSoftwareReceive = 0x01;
constexpr std::uint8_t kSoftwareTransmit = 0x02;

bool SetParity(std::uint8_t parity, termios& tio) {
  tio.c_cflag &= ~static_cast<tcflag_t>(PARENB | PARODD);
#ifdef CMSPAR
  tio.c_cflag &= ~static_cast<tcflag_t>(CMSPAR);
#endif
  switch (parity) {
    case 0:
      return true;
    case 1:
      tio.c_cflag |= PARENB | PARODD;
      return true;
    case 2:
      tio.c_cflag |= PARENB;
      return true;
#ifdef CMSPAR
    case 3:  // mark: the parity bit always 1
      tio.c_cflag |= PARENB | CMSPAR | PARODD;
      return true;
    case 4:  // space: the parity bit always 0
      tio.c_cflag |= PARENB | CMSPAR;
      return true;
#endif
    default:
      return false;
  }
}

bool SetDataBits(std::int32_t bits, termios& tio) {
  static constexpr std::array<tcflag_t, 4> kSizes = {CS5, CS6, CS7, CS8};
  if (bits < 5 || bits > 8) return false;
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE);
  tio.c_cflag |= kSizes[static_cast<std::size_t>(bits - 5)];
  return true;
}

void SetFlowControl(const data::PortParameters& port, termios& tio) {
  tio.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
  if ((port.hwFlowOptions & (kUseRts | kRequireCts)) != 0) tio.c_cflag |= CRTSCTS;
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  if ((port.swFlowOptions & kSoftwareReceive) != 0) tio.c_iflag |= IXOFF;
  if ((port.swFlowOptions & kSoftwareTransmit) != 0) tio.c_iflag |= IXON;
  tio.c_cc[VSTART] = static_cast<cc_t>(port.xOnChar);
  tio.c_cc[VSTOP] = static_cast<cc_t>(port.xOffChar);
}

}  // namespace

speed_t TerminalSpeed(std::int32_t baud) {
  static constexpr std::array<std::pair<std::int32_t, speed_t>, 11> kSpeeds = {{
      {300, B300},
      {600, B600},
      {1200, B1200},
      {1800, B1800},
      {2400, B2400},
      {4800, B4800},
      {9600, B9600},
      {19200, B19200},
      {38400, B38400},
      {57600, B57600},
      {115200, B115200},
  }};
  for (const auto& [rate, speed] : kSpeeds) {
    if (rate == baud) return speed;
  }
  return B0;
}

bool ApplyPortParameters(const data::PortParameters& port, termios& tio) {
  const speed_t speed = TerminalSpeed(port.baud);
  if (speed == B0 || port.stopBits < 1 || port.stopBits > 2) return false;
  cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  // Non-blocking reads then fail with EAGAIN while nothing is there, and
  // return 0 only at the end of the line (a pseudo-terminal's other side
  // closed), so the two can be told apart.
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  if (!SetParity(port.parity, tio) || !SetDataBits(port.dataBits, tio)) return false;
  if (port.stopBits == 2) {
    tio.c_cflag |= CSTOPB;
  } else {
    tio.c_cflag &= ~static_cast<tcflag_t>(CSTOPB);
  }
  SetFlowControl(port, tio);
  return cfsetispeed(&tio, speed) == 0 && cfsetospeed(&tio, speed) == 0;
}

namespace {

// Checks and configures a device just opened; empty, or why it cannot serve.
std::string ConfigureOpened(int fd, const data::PortParameters& port, termios* found) {
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode)) return transfer::kPortNotATerminal;
  if (transfer::IsPseudoTerminalMaster(fd)) return transfer::kPortPseudoTerminalMaster;
  // Before anything of the line is changed: it may be another sender's.
  if (!transfer::LockDevice(fd)) return transfer::DeviceHolderReason(fd);
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return transfer::OpenErrorReason(errno);
  if (found != nullptr) *found = tio;
  if (!ApplyPortParameters(port, tio)) return "Einstellungen nicht einstellbar";
  if (::tcsetattr(fd, TCSANOW, &tio) != 0) {
    return "Einstellungen nicht \xFC" "bernommen (" + transfer::ErrorName(errno) + ")";
  }
  // Nobody else opens the line while the transfer holds it (but root, whom
  // only the locks keep off).
  ::ioctl(fd, TIOCEXCL);
  return {};
}

}  // namespace

int OpenTerminal(const std::string& device, const data::PortParameters& port, std::string* reason, termios* found) {
  // Only character devices are opened: a FIFO's opening could wait for its
  // other end, and /dev/ptmx would make a new terminal pair.
  std::string why = transfer::DeviceProblem(device);
  if (why.empty()) why = transfer::UnusableSetting(port);
  int fd = -1;
  if (why.empty()) {
    fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    why = fd < 0 ? transfer::OpenErrorReason(errno) : ConfigureOpened(fd, port, found);
  }
  if (why.empty()) return fd;
  if (fd >= 0) ::close(fd);
  if (reason != nullptr) *reason = why;
  return -1;
}

}  // namespace cli
