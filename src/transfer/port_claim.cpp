#include "transfer/port_claim.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>

#include "transfer/port_device.h"

namespace transfer {
namespace {

// A lock file that names nobody is left alone this long (QLockFile's
// default stale time), in case its maker is about to write its name.
constexpr std::time_t kUnnamedStaleSeconds = 30;
constexpr std::size_t kLockFileLimit = 4096;
constexpr int kTakeAttempts = 3;

struct Holder {
  long pid = 0;  // 0: the file names nobody
  std::string program;
};

// The first line of a small system file, without its end.
std::string FirstLine(const char* path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

// The program a process runs, as QLockFile names it: the file name of its
// executable (or its command name when that cannot be read); empty when
// the process is not seen.
std::string ProgramOf(long pid) {
  const std::string proc = "/proc/" + std::to_string(pid);
  std::array<char, 4096> target{};
  const ssize_t n = ::readlink((proc + "/exe").c_str(), target.data(), target.size() - 1);
  if (n <= 0) return FirstLine((proc + "/comm").c_str());
  std::string path(target.data(), static_cast<std::size_t>(n));
  constexpr std::string_view kDeleted = " (deleted)";
  if (path.ends_with(kDeleted)) path.resize(path.size() - kDeleted.size());
  return path.substr(path.rfind('/') + 1);
}

bool ProcessRuns(long pid) { return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

std::string BusyText(const Holder& holder) {
  if (holder.pid <= 0) return kPortBusy;
  std::string text = kPortBusy;
  if (!holder.program.empty()) text += " von " + holder.program;
  return text + " (PID " + std::to_string(holder.pid) + ")";
}

// A lock file held: by whom, or which file when it names nobody.
std::string HeldText(const Holder& holder, const std::string& path) {
  return holder.pid > 0 ? BusyText(holder) : std::string(kPortBusy) + " (Sperrdatei " + path + ")";
}

// The PID on the first line (a UUCP file may pad it with blanks) and the
// program on the second, if any.
Holder ParseLockFile(const std::string& text) {
  Holder holder;
  std::istringstream in(text);
  std::string pidLine;
  std::getline(in, pidLine);
  const std::size_t start = pidLine.find_first_not_of(' ');
  if (start == std::string::npos) return holder;
  char* end = nullptr;
  const long pid = std::strtol(pidLine.c_str() + start, &end, 10);
  if (end == pidLine.c_str() + start || *end != '\0' || pid <= 0 || pid > 0x7FFFFFFF) return holder;
  holder.pid = pid;
  std::getline(in, holder.program);
  return holder;
}

std::string ReadAll(int fd) {
  std::string text(kLockFileLimit, '\0');
  const ssize_t n = ::pread(fd, text.data(), text.size(), 0);
  text.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return text;
}

// Whether another opening holds a flock or an fcntl lock on the file.
// (Closing fd later drops this process's own POSIX record locks on the
// file; QLockFile in this same process keeps its flock all the same.)
bool LockedByOthers(int fd) {
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) return true;
  ::flock(fd, LOCK_UN);
  struct flock probe {};
  probe.l_type = F_WRLCK;
  probe.l_whence = SEEK_SET;
  return ::fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
}

// The locks QLockFile holds on its file, on an open description of ours:
// an fcntl lock of the description (not of the process, so that no other
// closing of the file in this process drops it) and flock.
bool TakeFileLocks(int fd) {
  struct flock whole {};
  whole.l_type = F_WRLCK;
  whole.l_whence = SEEK_SET;
  return ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fcntl(fd, F_OFD_SETLK, &whole) == 0;
}

bool SameFile(int fd, const std::string& path) {
  struct stat opened {};
  struct stat named {};
  return ::fstat(fd, &opened) == 0 && ::stat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
         opened.st_ino == named.st_ino;
}

// Whether a lock file with this content, left unlocked, may be taken over.
bool Stale(const Holder& holder, std::time_t modified) {
  if (holder.pid <= 0) return std::time(nullptr) - modified > kUnnamedStaleSeconds;
  if (!ProcessRuns(holder.pid)) return true;
  if (holder.program.empty()) return false;  // a UUCP holder that lives
  const std::string running = ProgramOf(holder.pid);
  return !running.empty() && running != holder.program;  // the PID was given again
}

enum class FileState : std::uint8_t { kGone, kHeld, kStale };

// Looks at an existing lock file: who holds it and whether it is stale.
FileState Examine(const std::string& path, Holder& holder) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? FileState::kGone : FileState::kHeld;
  struct stat info {};
  FileState state = FileState::kHeld;  // what is no regular file is left alone
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    holder = ParseLockFile(ReadAll(fd));
    if (!LockedByOthers(fd) && Stale(holder, info.st_mtime)) state = FileState::kStale;
    if (holder.pid > 0 && holder.program.empty()) holder.program = ProgramOf(holder.pid);
  }
  ::close(fd);
  return state;
}

// Removes a stale lock file, judged again while it is locked by us, so that
// a file someone else has just taken over stays.
bool RemoveStale(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT;
  struct stat info {};
  const bool removed = TakeFileLocks(fd) && SameFile(fd, path) && ::fstat(fd, &info) == 0 &&
                       Stale(ParseLockFile(ReadAll(fd)), info.st_mtime) && ::unlink(path.c_str()) == 0;
  ::close(fd);
  return removed;
}

// What QLockFile writes: PID, program, host name, machine id, boot id.
std::string LockFileContent() {
  std::array<char, 256> host{};
  if (::gethostname(host.data(), host.size() - 1) != 0) host[0] = '\0';
  std::string machine = FirstLine("/etc/machine-id");
  if (machine.empty()) machine = FirstLine("/var/lib/dbus/machine-id");
  const long pid = ::getpid();
  return std::to_string(pid) + "\n" + ProgramOf(pid) + "\n" + host.data() + "\n" + machine + "\n" +
         FirstLine("/proc/sys/kernel/random/boot_id") + "\n";
}

bool WriteAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return true;
}

std::string CreateFailure(const std::string& path, int error) {
  if (error == EACCES || error == EPERM || error == EROFS) {
    return std::string(kPortNoPermission) + " f\xFCr die Sperrdatei " + path;
  }
  return "Sperrdatei " + path + " nicht anzulegen (" + ErrorName(error) + ")";
}

// The holder of a lock on the device node, from the kernel's list of locks.
std::optional<long> DeviceLockHolder(const struct stat& device) {
  std::ifstream locks("/proc/locks");
  std::string line;
  while (std::getline(locks, line)) {
    std::istringstream fields(line);
    std::string id, type, kind, mode, where;
    long pid = 0;
    fields >> id >> type;
    if (type == "->") continue;  // waiting, not holding
    fields >> kind >> mode >> pid >> where;
    unsigned int major = 0;
    unsigned int minor = 0;
    unsigned long inode = 0;
    if (std::sscanf(where.c_str(), "%x:%x:%lu", &major, &minor, &inode) != 3) continue;
    if (major == ::major(device.st_dev) && minor == ::minor(device.st_dev) && inode == device.st_ino && pid > 0) {
      return pid;
    }
  }
  return std::nullopt;
}

std::string DeviceHolderText(const struct stat& device) {
  const std::optional<long> pid = DeviceLockHolder(device);
  return pid ? BusyText({*pid, ProgramOf(*pid)}) : std::string();
}

}  // namespace

std::string LockFilePath(const std::string& device) {
  std::string name = device.starts_with("/dev/") ? device.substr(5) : device;
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  const char* temp = std::getenv("TMPDIR");
  const std::array<std::string, 9> directories = {
      "/var/lock", "/etc/locks",        "/var/spool/locks", "/var/spool/uucp",
      "/tmp",      "/var/tmp",          "/var/lock/lockdev", "/run/lock",
      temp != nullptr && *temp != '\0' ? temp : "/tmp"};
  for (const std::string& directory : directories) {
    const std::string path = directory + "/LCK.." + name;
    if (::access(directory.c_str(), R_OK) != 0) continue;
    if (::access(path.c_str(), F_OK) == 0 || ::access(directory.c_str(), W_OK) == 0) return path;
  }
  return {};
}

bool LockDevice(int fd) { return ::flock(fd, LOCK_EX | LOCK_NB) == 0; }

std::string HolderReason(const std::string& device) {
  const std::string path = LockFilePath(device);
  Holder holder;
  if (!path.empty() && Examine(path, holder) == FileState::kHeld) {
    return HeldText(holder, path);
  }
  struct stat info {};
  return ::stat(device.c_str(), &info) == 0 ? DeviceHolderText(info) : std::string();
}

std::string DeviceHolderReason(int fd) {
  struct stat info {};
  const std::string text = ::fstat(fd, &info) == 0 ? DeviceHolderText(info) : std::string();
  return text.empty() ? std::string(kPortBusy) : text;
}

bool LockFileClaim::Take(const std::string& device, std::string& reason) {
  Release();
  const std::string path = LockFilePath(device);
  if (path.empty()) {
    reason = "kein Verzeichnis f\xFCr die Sperrdatei";
    return false;
  }
  bool unremovable = false;  // a stale file that could not be removed
  for (int attempt = 0; attempt < kTakeAttempts; ++attempt) {
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd >= 0) {
      // Someone removing a stale file may hold the new one for a moment,
      // or may have removed it: then it is tried again.
      if (!TakeFileLocks(fd) || !SameFile(fd, path)) {
        ::close(fd);
        continue;
      }
      fd_ = fd;
      path_ = path;
      if (!WriteAll(fd, LockFileContent())) {
        reason = "Sperrdatei " + path + " nicht zu schreiben (" + ErrorName(errno) + ")";
        Release();
        return false;
      }
      ::fdatasync(fd);
      return true;
    }
    if (errno != EEXIST) {
      reason = CreateFailure(path, errno);
      return false;
    }
    Holder holder;
    const FileState state = Examine(path, holder);
    if (state == FileState::kHeld) {
      reason = HeldText(holder, path);
      return false;
    }
    unremovable = state == FileState::kStale && !RemoveStale(path);
  }
  reason = unremovable ? "veraltete Sperrdatei " + path + " nicht zu entfernen"
                       : HeldText({}, path);
  return false;
}

void LockFileClaim::Release() {
  if (fd_ < 0) return;
  if (SameFile(fd_, path_)) ::unlink(path_.c_str());
  ::close(fd_);
  fd_ = -1;
  path_.clear();
}

}  // namespace transfer
