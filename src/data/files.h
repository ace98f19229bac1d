// File-system helpers shared by every data file: splitting names from their
// directory, finding a file without regard to letter case, reading regular
// files only (never blocking on a pipe or device), replacing a file only
// after the new content has been written completely, and locking a file
// between processes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace data {

// Windows accepts ':' as a directory end (a bare drive) and uses '\' as its
// separator; POSIX uses '/'. Both accept '/' and '\' when splitting.
enum class PathStyle { Posix, Windows };

PathStyle NativePathStyle();
char Separator(PathStyle style);

// Index just past the last directory separator of path (0 when none).
std::size_t DirectoryEnd(std::string_view path, PathStyle style = NativePathStyle());

// The part after the last separator, and the part up to and including it.
std::string FileNamePart(std::string_view path, PathStyle style = NativePathStyle());
std::string DirectoryPart(std::string_view path, PathStyle style = NativePathStyle());

// Appends the platform separator unless dir is empty, already ends in a
// separator or (Windows) in ':'.
std::string WithTrailingSeparator(std::string_view dir, PathStyle style = NativePathStyle());

// The existing file in directory dir whose name equals name without regard
// to letter case (an exact match first). dir ends in a separator or is empty.
std::optional<std::string> FindFileNoCase(std::string_view dir, std::string_view name);

// The path to write dir + name to: an existing file of that name in any
// letter case, else dir + name as given.
std::string PathForWriting(std::string_view dir, std::string_view name);

enum class ReadStatus { Ok, Missing, Unreadable, TooLarge };

// A regular file open for reading. Anything else (a FIFO, a device, a
// directory) is refused as Unreadable without blocking and without a byte
// being read from it: the name is looked at before opening, and the opened
// descriptor is checked again, in case the name changed in between.
class InputFile {
 public:
  InputFile() = default;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  ReadStatus Open(const std::string& path);
  // The content; it ends early after a read error, which failed() tells.
  std::istream& stream() { return stream_; }
  bool failed() const { return buffer_.failed; }

 private:
  class Buffer : public std::streambuf {
   public:
    ~Buffer() override;
    // Reads from fd from now on (closing the former one); -1 for none.
    void Attach(int newFd);
    bool failed = false;

   protected:
    int_type underflow() override;

   private:
    int fd_ = -1;
    std::vector<char> chunk_;
  };

  Buffer buffer_;
  std::istream stream_{&buffer_};
};

// Reads a whole file of at most maxBytes bytes.
ReadStatus ReadWholeFile(const std::string& path, std::size_t maxBytes,
                         std::vector<std::uint8_t>& out);

// Reads at most maxBytes bytes from the start of a file of any size.
ReadStatus ReadFileHead(const std::string& path, std::size_t maxBytes,
                        std::vector<std::uint8_t>& out);

// Whether a write waits until the bytes are on the disk (files the operator
// keeps) or not (scratch files rewritten by every command).
enum class Durability { Synced, Scratch };

// Writes bytes to a temporary file beside path, flushes it and renames it
// over path. On failure path is untouched and the temporary file removed.
bool WriteFileReplacing(const std::string& path, std::string_view bytes,
                        Durability durability = Durability::Synced);

// Writes an output the operator asked for (a picture) to path, through an
// OutputFile. A regular file, or none, is replaced as WriteFileReplacing
// does; a symbolic link
// keeps pointing at the replaced file. A FIFO or character device that
// exists (/dev/stdout, a pipe to a viewer) is written in place: the device
// is not replaced, and a FIFO without a reader fails at once.
bool WriteOutputFile(const std::string& path, std::string_view bytes);

// An exclusive lock (flock) on a lock file, held until Unlock or the end of
// the object. The system drops it when the holding process ends in any way,
// so a run that dies leaves no stale lock. Two FileLock objects exclude each
// other also within one process.
class FileLock {
 public:
  enum class Status { Held, Busy, Failed };

  FileLock() = default;
  ~FileLock() { Unlock(); }
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // One attempt, without waiting; the lock file is created when missing.
  // Busy while another holder has the lock; Failed when the lock file
  // cannot be opened or is no regular file, or the file system takes no
  // locks.
  Status TryLock(const std::string& lockPath);
  void Unlock();
  bool held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace data
