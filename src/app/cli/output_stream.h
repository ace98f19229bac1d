// rur-cli's standard output: a stream buffer over a file descriptor that
// keeps the error of the first write that failed (a full disk, a closed
// pipe, a file-size limit), so that the command can say why its output did
// not arrive; and the check every command ends with.
#pragma once

#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

namespace cli {

class DescriptorOutput : public std::streambuf {
 public:
  // Line-buffered on a terminal, fully buffered otherwise.
  explicit DescriptorOutput(int fd);
  ~DescriptorOutput() override;
  DescriptorOutput(const DescriptorOutput&) = delete;
  DescriptorOutput& operator=(const DescriptorOutput&) = delete;

  // errno of the first failed write; 0 while every write arrived. After a
  // failure nothing more is written.
  int error() const { return error_; }

 protected:
  int_type overflow(int_type c) override;
  std::streamsize xsputn(const char* bytes, std::streamsize count) override;
  int sync() override;

 private:
  bool WriteOut(const char* bytes, std::size_t count);
  bool Drain();

  int fd_;
  bool lineBuffered_;
  int error_ = 0;
  std::vector<char> buffer_;
};

// Why out failed, for the operator: the system's error text when out writes
// through a DescriptorOutput that knows it.
std::string OutputFailure(std::ostream& out);

// Flushes out; when anything written to it did not arrive, says so on err
// and turns a success into a failure (a usage error stays one).
int CheckOutput(std::ostream& out, std::ostream& err, int status);

}  // namespace cli
