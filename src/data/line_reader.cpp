#include "data/line_reader.h"

#include "data/text.h"

namespace data {

namespace {

bool ReadLineFromBuffer(std::istream& in, std::string& line, bool* longLine) {
  if (longLine != nullptr) *longLine = false;
  using Traits = std::char_traits<char>;
  if (in.peek() == Traits::eof()) return false;
  std::streambuf& buffer = *in.rdbuf();
  for (int c = buffer.sbumpc(); c != Traits::eof(); c = buffer.sbumpc()) {
    if (c == '\n') return true;
    if (c == '\r') {
      if (buffer.sgetc() == '\n') buffer.sbumpc();
      return true;
    }
    if (line.size() < kMaxText) {
      line += static_cast<char>(c);
    } else if (longLine != nullptr) {
      *longLine = true;
    }
  }
  in.setstate(std::ios::eofbit);
  return true;
}

}  // namespace

bool ReadTextLine(std::istream& in, std::string& line, bool* longLine) {
  line.clear();
  // A file buffer throws on a failed read; the stream reports it as bad.
  try {
    return ReadLineFromBuffer(in, line, longLine);
  } catch (...) {
    in.setstate(std::ios::badbit);
    return false;
  }
}

}  // namespace data
