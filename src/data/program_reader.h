// Reads a program file piece by piece, line by line as the system reads
// text (CR LF, LF and CR end a line), with the checks every program file
// gets: a regular file (a pipe or a device could block for ever), at most a
// size limit, and no NUL byte (no text file has one).
#pragma once

#include <cstddef>
#include <string>

#include "data/files.h"

namespace data {

enum class ProgramReadStatus { kOk, kCannotOpen, kTooLarge, kBinary, kReadError };

class ProgramReader {
 public:
  // kCannotOpen when path does not exist, is no regular file or cannot be
  // opened; kTooLarge when its size is known to exceed limit.
  ProgramReadStatus Open(const std::string& path, std::size_t limit);

  // The next line into line, its first maxLength characters kept and the
  // rest skipped. False at the end of the file and after a failure: a
  // piece with a NUL byte, more than limit bytes or a failing read end the
  // reading at once (status tells which), and no line of that piece is
  // returned.
  bool ReadLine(std::string& line, std::size_t maxLength = std::string::npos);

  // Moves past the next occurrence of c; false (at the end) when none.
  bool SkipPast(char c);

  // The number (from 1) of the line the next read starts in.
  std::size_t LineNumber() const { return lineEnds_ + 1; }

  // No byte is left (or reading failed).
  bool AtEnd() { return !Fill(); }

  ProgramReadStatus status() const { return status_; }
  // The size the file reported when it was opened (0 when it reports none).
  std::size_t FileSize() const { return fileSize_; }
  std::size_t BytesRead() const { return total_; }

 private:
  // Reads the next piece when the one held is used up; false at the end.
  bool Fill();
  bool Fail(ProgramReadStatus status);

  InputFile file_;
  std::string buffer_;
  std::size_t position_ = 0;  // in buffer_
  std::size_t limit_ = 0;
  std::size_t total_ = 0;     // bytes read so far
  std::size_t fileSize_ = 0;
  std::size_t lineEnds_ = 0;  // passed so far; CR LF is one
  ProgramReadStatus status_ = ProgramReadStatus::kCannotOpen;
};

}  // namespace data
