#include "support/fifo_feeder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>

namespace testing_support {

FifoFeeder::FifoFeeder(const std::string& path, const std::string& text) {
  if (::mkfifo(path.c_str(), 0600) != 0) return;
  // Opened for reading and writing, a FIFO opens at once and holds the
  // text until a reader comes.
  fd_ = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0) return;
  [[maybe_unused]] const ssize_t written = ::write(fd_, text.data(), text.size());
  const int fd = fd_;
  closer_ = std::thread([fd] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    ::close(fd);
  });
}

FifoFeeder::~FifoFeeder() {
  if (closer_.joinable()) closer_.join();
}

}  // namespace testing_support
