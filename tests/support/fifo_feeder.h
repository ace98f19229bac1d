// A FIFO with a writer that has text waiting in it and goes away a moment
// later: whoever opens it for reading gets the text and then its end, so a
// reader that should have refused the FIFO shows it by the text instead of
// hanging the test.
#pragma once

#include <string>
#include <thread>

namespace testing_support {

class FifoFeeder {
 public:
  FifoFeeder(const std::string& path, const std::string& text);
  ~FifoFeeder();
  FifoFeeder(const FifoFeeder&) = delete;
  FifoFeeder& operator=(const FifoFeeder&) = delete;

 private:
  int fd_ = -1;
  std::thread closer_;
};

}  // namespace testing_support
