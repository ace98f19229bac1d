#include "cli/pseudo_terminal.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace cli {
namespace {

bool SetRaw(int fd) {
  termios tio{};
  if (::tcgetattr(fd, &tio) != 0) return false;
  ::cfmakeraw(&tio);
  return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

}  // namespace

PseudoTerminal::~PseudoTerminal() {
  ReleaseSlave();
  if (master_ >= 0) ::close(master_);
}

bool PseudoTerminal::Open(std::string& error) {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  char name[128];
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0 ||
      ::ptsname_r(master_, name, sizeof name) != 0) {
    error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
    return false;
  }
  slavePath_ = name;
  slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  int packet = 1;
  if (slave_ < 0 || !SetRaw(slave_) || ::ioctl(master_, TIOCPKT, &packet) != 0 ||
      ::fcntl(master_, F_SETFL, O_NONBLOCK) != 0) {
    error = "cannot set up the pseudo-terminal " + slavePath_ + ": " + std::strerror(errno);
    return false;
  }
  return true;
}

void PseudoTerminal::ReleaseSlave() {
  if (slave_ < 0) return;
  ::close(slave_);
  slave_ = -1;
}

MasterPacket SplitPacket(const std::uint8_t* bytes, std::size_t count) {
  MasterPacket packet;
  if (count == 0) return packet;
  if (bytes[0] == TIOCPKT_DATA) {
    packet.data.assign(bytes + 1, bytes + count);
  } else {
    packet.inputFlushed = (bytes[0] & TIOCPKT_FLUSHREAD) != 0;
  }
  return packet;
}

}  // namespace cli
