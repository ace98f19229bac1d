#include "data/program_reader.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace data {
namespace {

constexpr std::size_t kPiece = std::size_t{64} << 10;

bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

}  // namespace

ProgramReadStatus ProgramReader::Open(const std::string& path, std::size_t limit) {
  limit_ = limit;
  total_ = 0;
  fileSize_ = 0;
  lineEnds_ = 0;
  buffer_.clear();
  position_ = 0;
  if (file_.Open(path) != ReadStatus::Ok) return status_ = ProgramReadStatus::kCannotOpen;
  // The size tells most huge files at once; Fill still counts, since files
  // like those under /proc report no size.
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (!ec) {
    if (size > limit) return status_ = ProgramReadStatus::kTooLarge;
    fileSize_ = static_cast<std::size_t>(size);
  }
  return status_ = ProgramReadStatus::kOk;
}

bool ProgramReader::Fail(ProgramReadStatus status) {
  status_ = status;
  buffer_.clear();
  position_ = 0;
  return false;
}

bool ProgramReader::Fill() {
  if (position_ < buffer_.size()) return true;
  if (status_ != ProgramReadStatus::kOk) return false;
  buffer_.resize(kPiece);
  std::istream& in = file_.stream();
  in.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  buffer_.resize(static_cast<std::size_t>(in.gcount()));
  position_ = 0;
  if (file_.failed()) return Fail(ProgramReadStatus::kReadError);
  if (buffer_.size() > limit_ - total_) return Fail(ProgramReadStatus::kTooLarge);
  total_ += buffer_.size();
  if (std::memchr(buffer_.data(), '\0', buffer_.size()) != nullptr) return Fail(ProgramReadStatus::kBinary);
  return !buffer_.empty();
}

bool ProgramReader::ReadLine(std::string& line, std::size_t maxLength) {
  line.clear();
  if (!Fill()) return false;
  for (;;) {
    const auto begin = buffer_.begin() + static_cast<std::ptrdiff_t>(position_);
    const auto stop = std::find_if(begin, buffer_.end(), IsLineEnd);
    const auto length = static_cast<std::size_t>(stop - begin);
    line.append(buffer_, position_, std::min(length, maxLength - std::min(maxLength, line.size())));
    position_ += length;
    if (stop != buffer_.end()) {
      const char ending = buffer_[position_++];
      ++lineEnds_;
      if (ending == '\r' && Fill() && buffer_[position_] == '\n') ++position_;
      return status_ == ProgramReadStatus::kOk;
    }
    // The line goes on in the next piece, or ends with the file.
    if (!Fill()) return status_ == ProgramReadStatus::kOk;
  }
}

bool ProgramReader::SkipPast(char c) {
  char previous = '\0';
  while (Fill()) {
    const std::size_t at = buffer_.find(c, position_);
    const std::size_t end = at == std::string::npos ? buffer_.size() : at;
    // The line ends passed over: CR, and LF unless it follows a CR.
    for (std::size_t i = position_; i < end; previous = buffer_[i++]) {
      if (buffer_[i] == '\r' || (buffer_[i] == '\n' && previous != '\r')) ++lineEnds_;
    }
    position_ = end;
    if (at != std::string::npos) {
      ++position_;
      return true;
    }
  }
  return false;
}

}  // namespace data
