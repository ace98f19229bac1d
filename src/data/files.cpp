#include "data/files.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "data/output_file.h"

namespace data {
namespace {

namespace fs = std::filesystem;

bool IsSeparator(char c, PathStyle style) {
  return c == '/' || c == '\\' || (style == PathStyle::Windows && c == ':');
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// Writes all bytes to fd and, for a synced write, forces them to disk.
bool WriteAll(int fd, std::string_view bytes, Durability durability) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<std::size_t>(n);
  }
  return durability == Durability::Scratch || ::fsync(fd) == 0;
}

// Opens path for reading when it names a regular file; -1 and the status
// otherwise. O_NONBLOCK keeps a FIFO put in its place after the first look
// from blocking the open; fstat then refuses it.
int OpenRegularFile(const std::string& path, ReadStatus& status) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    status = errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Unreadable;
    return -1;
  }
  status = ReadStatus::Unreadable;
  if (!S_ISREG(info.st_mode)) return -1;
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) status = ReadStatus::Missing;
    return -1;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flags < 0 ||
      ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    ::close(fd);
    return -1;
  }
  status = ReadStatus::Ok;
  return fd;
}

}  // namespace

PathStyle NativePathStyle() {
#ifdef _WIN32
  return PathStyle::Windows;
#else
  return PathStyle::Posix;
#endif
}

char Separator(PathStyle style) { return style == PathStyle::Windows ? '\\' : '/'; }

std::size_t DirectoryEnd(std::string_view path, PathStyle style) {
  for (std::size_t i = path.size(); i > 0; --i) {
    if (IsSeparator(path[i - 1], style)) return i;
  }
  return 0;
}

std::string FileNamePart(std::string_view path, PathStyle style) {
  return std::string(path.substr(DirectoryEnd(path, style)));
}

std::string DirectoryPart(std::string_view path, PathStyle style) {
  return std::string(path.substr(0, DirectoryEnd(path, style)));
}

std::string WithTrailingSeparator(std::string_view dir, PathStyle style) {
  std::string out(dir);
  if (out.empty()) return out;
  const char last = out.back();
  const bool ends = last == '/' || last == '\\' || (style == PathStyle::Windows && last == ':');
  if (!ends) out += Separator(style);
  return out;
}

std::optional<std::string> FindFileNoCase(std::string_view dir, std::string_view name) {
  std::error_code ec;
  const std::string exact = std::string(dir) + std::string(name);
  if (fs::is_regular_file(exact, ec)) return exact;
  const fs::path folder = dir.empty() ? fs::path(".") : fs::path(std::string(dir));
  fs::directory_iterator it(folder, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string candidate = it->path().filename().string();
    if (EqualNoCase(candidate, name) && it->is_regular_file(ec)) {
      return std::string(dir) + candidate;
    }
  }
  return std::nullopt;
}

std::string PathForWriting(std::string_view dir, std::string_view name) {
  if (auto existing = FindFileNoCase(dir, name)) return *existing;
  return std::string(dir) + std::string(name);
}

ReadStatus InputFile::Open(const std::string& path) {
  ReadStatus status = ReadStatus::Unreadable;
  buffer_.Attach(OpenRegularFile(path, status));
  stream_.clear();
  return status;
}

InputFile::Buffer::~Buffer() { Attach(-1); }

void InputFile::Buffer::Attach(int newFd) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = newFd;
  failed = false;
  if (fd_ >= 0) chunk_.resize(64 * 1024);
  setg(nullptr, nullptr, nullptr);
}

InputFile::Buffer::int_type InputFile::Buffer::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  if (fd_ < 0 || failed) return traits_type::eof();
  for (;;) {
    const ssize_t n = ::read(fd_, chunk_.data(), chunk_.size());
    if (n > 0) {
      setg(chunk_.data(), chunk_.data(), chunk_.data() + n);
      return traits_type::to_int_type(*gptr());
    }
    if (n < 0 && errno == EINTR) continue;
    failed = n < 0;
    return traits_type::eof();
  }
}

ReadStatus ReadWholeFile(const std::string& path, std::size_t maxBytes,
                         std::vector<std::uint8_t>& out) {
  out.clear();
  InputFile file;
  if (const ReadStatus opened = file.Open(path); opened != ReadStatus::Ok) return opened;
  std::istream& in = file.stream();
  std::vector<std::uint8_t> buffer(64 * 1024);
  while (in) {
    in.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(buffer.size()));
    const auto got = static_cast<std::size_t>(in.gcount());
    if (out.size() + got > maxBytes) {
      out.clear();
      return ReadStatus::TooLarge;
    }
    out.insert(out.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(got));
  }
  if (file.failed()) {
    out.clear();
    return ReadStatus::Unreadable;
  }
  return ReadStatus::Ok;
}

ReadStatus ReadFileHead(const std::string& path, std::size_t maxBytes,
                        std::vector<std::uint8_t>& out) {
  out.clear();
  InputFile file;
  if (const ReadStatus opened = file.Open(path); opened != ReadStatus::Ok) return opened;
  out.resize(maxBytes);
  file.stream().read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(maxBytes));
  out.resize(static_cast<std::size_t>(file.stream().gcount()));
  if (file.failed()) {
    out.clear();
    return ReadStatus::Unreadable;
  }
  return ReadStatus::Ok;
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes, Durability durability) {
  std::string temp = path + ".rur-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  const bool written = WriteAll(fd, bytes, durability);
  const bool closed = ::close(fd) == 0;
  std::error_code ec;
  if (written && closed) {
    // Keep the permissions of the file being replaced.
    const auto old = fs::status(path, ec);
    const auto perms = fs::exists(old) ? old.permissions()
                                       : fs::perms::owner_read | fs::perms::owner_write |
                                             fs::perms::group_read | fs::perms::others_read;
    fs::permissions(temp, perms, ec);
    ec.clear();
    fs::rename(temp, path, ec);
    if (!ec) return true;
  }
  fs::remove(temp, ec);
  return false;
}

bool WriteOutputFile(const std::string& path, std::string_view bytes) {
  OutputFile file;
  std::string error;
  return file.Open(path, error) && file.Commit(bytes, error);
}

FileLock::Status FileLock::TryLock(const std::string& lockPath) {
  Unlock();
  const int flags = O_CREAT | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC;
  int fd = ::open(lockPath.c_str(), O_RDWR | flags, 0666);
  // A lock file another user made: reading is enough to hold a lock.
  if (fd < 0 && errno == EACCES) fd = ::open(lockPath.c_str(), O_RDONLY | flags);
  if (fd < 0) return Status::Failed;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return Status::Failed;
  }
  for (;;) {
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      fd_ = fd;
      return Status::Held;
    }
    if (errno != EINTR) break;
  }
  const bool busy = errno == EWOULDBLOCK;
  ::close(fd);
  return busy ? Status::Busy : Status::Failed;
}

void FileLock::Unlock() {
  if (fd_ < 0) return;
  ::close(fd_);  // drops the lock
  fd_ = -1;
}

}  // namespace data
