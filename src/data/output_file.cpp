#include "data/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace data {
namespace {

namespace fs = std::filesystem;

std::string Reason(int error) { return std::strerror(error); }

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// A FIFO or device: opened without blocking (a FIFO without a reader fails
// at once), then written blocking.
int OpenInPlace(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return -1;
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    const int error = errno;
    ::close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

// Gives the unnamed file a name beside the target, unused so far.
bool NameUnnamed(int fd, const std::string& target, std::string& name) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  for (int attempt = 0; attempt < 100; ++attempt) {
    name = target + ".rur-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
    if (errno != EEXIST) break;
  }
  name.clear();
  return false;
}

}  // namespace

OutputFile::~OutputFile() { Discard(); }

bool OutputFile::Open(const std::string& path, std::string& error) {
  Discard();
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && (S_ISFIFO(info.st_mode) || S_ISCHR(info.st_mode))) {
    fd_ = OpenInPlace(path);
    inPlace_ = true;
    if (fd_ < 0) error = Reason(errno);
    return fd_ >= 0;
  }
  if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    error = Reason(EISDIR);
    return false;
  }
  // The new file goes beside the one a link points at, which a rename over
  // the link itself would leave behind.
  target_ = path;
  if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    std::error_code ec;
    target_ = fs::weakly_canonical(path, ec).string();
    if (ec) {
      error = ec.message();
      return false;
    }
  }
  // Unnamed until the end, so that a command killed meanwhile leaves
  // nothing behind; a named temporary where the file system has no such
  // files.
  const std::string folder = fs::path(target_).parent_path().string();
  fd_ = ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
  if (fd_ < 0 && (errno == EOPNOTSUPP || errno == EISDIR)) {
    temp_ = target_ + ".rur-XXXXXX";
    fd_ = ::mkstemp(temp_.data());
    if (fd_ < 0) temp_.clear();
  }
  if (fd_ < 0) error = Reason(errno);
  return fd_ >= 0;
}

bool OutputFile::Commit(std::string_view bytes, std::string& error) {
  if (fd_ < 0) {
    error = Reason(EBADF);
    return false;
  }
  bool ok = WriteAll(fd_, bytes) && (inPlace_ || ::fsync(fd_) == 0);
  if (ok && !inPlace_) {
    // Keep the permissions of the file being replaced.
    struct stat old {};
    const mode_t mode = ::stat(target_.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    ok = ::fchmod(fd_, mode) == 0 && (!temp_.empty() || NameUnnamed(fd_, target_, temp_));
  }
  int reason = ok ? 0 : errno;
  if (::close(fd_) != 0 && ok) {
    ok = false;
    reason = errno;
  }
  fd_ = -1;
  if (ok && !inPlace_ && ::rename(temp_.c_str(), target_.c_str()) != 0) {
    ok = false;
    reason = errno;
  }
  if (ok) temp_.clear();
  if (!ok) error = Reason(reason);
  Discard();
  return ok;
}

void OutputFile::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
  inPlace_ = false;
}

}  // namespace data
