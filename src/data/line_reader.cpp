#include "data/line_reader.h"

#include <algorithm>

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

bool LineCursor::ReadLine(std::string& line, bool* longLine) {
  if (longLine != nullptr) *longLine = false;
  if (AtEnd()) {
    line.clear();
    return false;
  }
  std::size_t end = position_;
  while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n') ++end;
  const std::size_t length = end - position_;
  line.assign(text_.substr(position_, std::min(length, kMaxText)));
  if (length > kMaxText && longLine != nullptr) *longLine = true;
  position_ = end;
  if (position_ < text_.size()) {
    const char ending = text_[position_++];
    if (ending == '\r' && position_ < text_.size() && text_[position_] == '\n') ++position_;
  }
  return true;
}

bool LineCursor::SkipPast(char c) {
  const std::size_t at = text_.find(c, position_);
  position_ = at == std::string_view::npos ? text_.size() : at + 1;
  return at != std::string_view::npos;
}

}  // namespace data
