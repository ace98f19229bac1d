// A program's text as its file holds it: every line followed by CR LF, all
// in one buffer. The editor's lines, a program read by rur-cli and the
// scratch file of the draw command pass as one, so that a program of many
// short lines costs two bytes a line beyond its text, not a string each.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace data {

class ProgramText {
 public:
  ProgramText() = default;
  // The editor's lines (implicit: wherever lines are at hand, they serve).
  ProgramText(const std::vector<std::string>& lines);  // NOLINT(google-explicit-constructor)

  void AppendLine(std::string_view line);
  void Reserve(std::size_t bytes) { bytes_.reserve(bytes); }

  // The file's bytes: each line followed by CR LF.
  const std::string& Bytes() const { return bytes_; }
  bool Empty() const { return bytes_.empty(); }

  // Calls visit(line) for every line, in order.
  template <typename Visit>
  void ForEachLine(Visit&& visit) const {
    std::string_view rest(bytes_);
    while (!rest.empty()) {
      const std::size_t end = rest.find(kLineEnd);
      visit(rest.substr(0, end));
      rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + kLineEnd.size());
    }
  }

  std::vector<std::string> Lines() const;

 private:
  static constexpr std::string_view kLineEnd = "\r\n";
  std::string bytes_;
};

}  // namespace data
