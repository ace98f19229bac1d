// One sender per port. A port is claimed twice: by the UUCP lock file that
// QSerialPort takes as well (so that the window, rur-cli and other programs
// honouring those files keep off each other), and by flock() on the opened
// device, which root cannot pass either and which holds under whatever
// name the device was opened. POSIX only; texts are Windows-1252.
#pragma once

#include <string>

namespace transfer {

// Where QSerialPort keeps the lock file of `device`: "LCK.." and the name
// without a leading "/dev/", each '/' turned into '_', in the first of the
// lock directories that is readable and either writable or already holds
// that file. Empty when there is no such directory.
std::string LockFilePath(const std::string& device);

// Locks the opened device (flock, exclusive, not waiting). False when
// another opening holds it.
bool LockDevice(int fd);

// Who holds the device: "belegt von PROGRAM (PID N)" for a live holder of
// its lock file or a holder of a lock on the device node, "belegt (PID N)"
// when the program is unknown, "belegt (Sperrdatei PATH)" when the file
// names nobody. Empty when nobody is seen to hold it.
std::string HolderReason(const std::string& device);

// The reason for LockDevice failing on fd: the holder of the lock on the
// device node when it can be seen, else "belegt".
std::string DeviceHolderReason(int fd);

// The lock file of one opened port, held as QLockFile holds it: created
// exclusively, holding the PID, the program, the host, the machine and the
// boot, locked with flock and an fcntl lock for as long as it is held, and
// removed on release.
class LockFileClaim {
 public:
  LockFileClaim() = default;
  ~LockFileClaim() { Release(); }
  LockFileClaim(const LockFileClaim&) = delete;
  LockFileClaim& operator=(const LockFileClaim&) = delete;

  // Takes the lock file of `device`. A stale one is taken over: its holder
  // is gone (or the PID now runs another program) and nobody locks the
  // file, or it names nobody and is older than 30 s, as QLockFile judges.
  // False with the reason when a live holder has it or the file cannot be
  // made.
  bool Take(const std::string& device, std::string& reason);
  // Removes the file when it is still ours; nothing when none is held.
  void Release();

  bool held() const { return fd_ >= 0; }
  const std::string& path() const { return path_; }

 private:
  int fd_ = -1;
  std::string path_;
};

}  // namespace transfer
