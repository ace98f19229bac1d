#include "transfer/port_device.h"

#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace transfer {
namespace {

// /dev/ptmx and /dev/pts/ptmx (5:2) hand out a new pseudo-terminal master
// at every opening; BSD-style masters (/dev/ptyXY) have major 2.
bool IsMasterNumber(dev_t device) {
  return (::major(device) == 5 && ::minor(device) == 2) || ::major(device) == 2;
}

std::string NotSerial(const char* what) { return std::string("keine serielle Schnittstelle (") + what + ")"; }

}  // namespace

std::string ErrorName(int error) {
  const char* name = ::strerrorname_np(error);
  return name != nullptr ? name : std::to_string(error);
}

std::string OpenErrorReason(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return kPortNotPresent;
    case ENXIO:
    case ENODEV:
    case EIO:  // a serial port without its hardware
      return std::string(kPortNotPresent) + " (" + ErrorName(error) + ")";
    case EACCES:
    case EPERM:
    case EROFS:
      return kPortNoPermission;
    case EBUSY:  // held exclusively by another user
      return kPortBusy;
    case ENOTTY:
      return kPortNotATerminal;
    default:
      return "nicht zu \xF6" "ffnen (" + ErrorName(error) + ")";
  }
}

std::string DeviceProblem(const std::string& device) {
  struct stat info {};
  if (device.empty()) return kPortNotPresent;
  if (::stat(device.c_str(), &info) != 0) return OpenErrorReason(errno);
  if (S_ISREG(info.st_mode)) return NotSerial("Datei");
  if (S_ISFIFO(info.st_mode)) return NotSerial("FIFO");
  if (S_ISDIR(info.st_mode)) return NotSerial("Verzeichnis");
  if (S_ISSOCK(info.st_mode)) return NotSerial("Socket");
  if (!S_ISCHR(info.st_mode)) return NotSerial("kein zeichenorientiertes Ger\xE4t");
  if (IsMasterNumber(info.st_rdev)) return kPortPseudoTerminalMaster;
  if (::access(device.c_str(), R_OK | W_OK) != 0) return OpenErrorReason(errno);
  return {};
}

bool IsPseudoTerminalMaster(int fd) {
  unsigned int number = 0;
  if (::ioctl(fd, TIOCGPTN, &number) == 0) return true;
  struct stat info {};
  return ::fstat(fd, &info) == 0 && S_ISCHR(info.st_mode) && IsMasterNumber(info.st_rdev);
}

}  // namespace transfer
