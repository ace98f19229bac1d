// Reading text files line by line as the system does: a line ends at CR LF,
// LF or CR, and only its first 255 characters are kept (the rest of a
// longer line is skipped).
#pragma once

#include <istream>
#include <string>

namespace data {

// Reads the next line into line; false at the end of the file. longLine is
// set when characters beyond 255 were skipped.
bool ReadTextLine(std::istream& in, std::string& line, bool* longLine = nullptr);

}  // namespace data
