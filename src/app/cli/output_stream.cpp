#include "cli/output_stream.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli/cli_app.h"

namespace cli {
namespace {

constexpr std::size_t kBufferSize = 64 * 1024;

}  // namespace

DescriptorOutput::DescriptorOutput(int fd) : fd_(fd), lineBuffered_(::isatty(fd) == 1) {
  buffer_.resize(kBufferSize);
  setp(buffer_.data(), buffer_.data() + buffer_.size());
}

DescriptorOutput::~DescriptorOutput() { Drain(); }

bool DescriptorOutput::WriteOut(const char* bytes, std::size_t count) {
  while (count > 0 && error_ == 0) {
    const ssize_t n = ::write(fd_, bytes, count);
    if (n > 0) {
      bytes += n;
      count -= static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      error_ = n < 0 ? errno : EIO;
    }
  }
  return error_ == 0;
}

bool DescriptorOutput::Drain() {
  const bool ok = WriteOut(pbase(), static_cast<std::size_t>(pptr() - pbase()));
  setp(buffer_.data(), buffer_.data() + buffer_.size());
  return ok;
}

DescriptorOutput::int_type DescriptorOutput::overflow(int_type c) {
  if (!Drain()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  if (lineBuffered_ && traits_type::to_char_type(c) == '\n' && !Drain()) return traits_type::eof();
  return c;
}

std::streamsize DescriptorOutput::xsputn(const char* bytes, std::streamsize count) {
  if (error_ != 0) return 0;
  const auto size = static_cast<std::size_t>(count);
  if (size <= static_cast<std::size_t>(epptr() - pptr())) {
    std::memcpy(pptr(), bytes, size);
    pbump(static_cast<int>(count));
  } else if (!Drain() || !WriteOut(bytes, size)) {
    return 0;
  }
  if (lineBuffered_ && std::memchr(bytes, '\n', size) != nullptr && !Drain()) return 0;
  return count;
}

int DescriptorOutput::sync() { return Drain() ? 0 : -1; }

std::string OutputFailure(std::ostream& out) {
  const auto* descriptor = dynamic_cast<const DescriptorOutput*>(out.rdbuf());
  if (descriptor != nullptr && descriptor->error() != 0) return std::strerror(descriptor->error());
  return "write error";
}

int CheckOutput(std::ostream& out, std::ostream& err, int status) {
  out.flush();
  if (out) return status;
  err << "rur-cli: cannot write the output: " << OutputFailure(out) << '\n';
  return status == kExitOk ? kExitFailed : status;
}

}  // namespace cli
