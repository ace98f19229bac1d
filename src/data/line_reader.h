// Reading text files line by line as the system does: a line ends at CR LF,
// LF or CR, and only its first 255 characters are kept (the rest of a
// longer line is skipped).
#pragma once

#include <istream>
#include <string>
#include <string_view>

namespace data {

// Reads the next line into line; false at the end of the file. longLine is
// set when characters beyond 255 were skipped.
bool ReadTextLine(std::istream& in, std::string& line, bool* longLine = nullptr);

// The same line splitting over a text already in memory.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text) {}

  bool ReadLine(std::string& line, bool* longLine = nullptr);

  // Moves past the next occurrence of c; false (at the end) when none.
  bool SkipPast(char c);
  bool AtEnd() const { return position_ >= text_.size(); }

 private:
  std::string_view text_;
  std::size_t position_ = 0;
};

}  // namespace data
