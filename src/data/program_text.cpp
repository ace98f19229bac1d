#include "data/program_text.h"

namespace data {

ProgramText::ProgramText(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + kLineEnd.size();
  bytes_.reserve(size);
  for (const std::string& line : lines) AppendLine(line);
}

void ProgramText::AppendLine(std::string_view line) {
  bytes_.append(line);
  bytes_.append(kLineEnd);
}

std::vector<std::string> ProgramText::Lines() const {
  std::vector<std::string> lines;
  ForEachLine([&lines](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

}  // namespace data
