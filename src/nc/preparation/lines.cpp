#include "nc/preparation/lines.h"

#include <cstddef>

#include "data/text.h"
#include "nc/lexical/characters.h"
#include "nc/lexical/comments.h"

namespace nc {
namespace {

bool Contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// The "L"s that may start a parameter word: outside the first comment, not
// in the first position, and behind a blank, a "." or a digit. None when
// the first "L" of the line lies in the comment.
std::vector<std::size_t> SplitPoints(std::string_view line) {
  std::vector<std::size_t> points;
  const std::size_t first = line.find('L');
  if (first == std::string_view::npos) return points;
  const CommentBounds comment = FirstCommentBounds(line);
  if (InsideComment(comment, first)) return points;
  if (Contains(line, "G77") || Contains(line, "G79")) return points;
  for (std::size_t i = first; i < line.size(); ++i) {
    if (line[i] != 'L' || i == 0 || InsideComment(comment, i)) continue;
    const char before = line[i - 1];
    if (before == ' ' || before == '.' || IsDigit(before)) points.push_back(i);
  }
  return points;
}

}  // namespace

std::string CleanLine(std::string_view line, bool blockSkip) {
  std::string cleaned = data::StripLeadingBlanks(line);
  if (!cleaned.empty() && cleaned.front() == '/') {
    if (blockSkip) return std::string();
    cleaned.erase(0, 1);
  }
  return cleaned;
}

std::vector<std::string> SplitBeforeParameterWords(std::string_view line) {
  std::vector<std::string> pieces;
  std::size_t start = 0;  // where the rest of the line begins
  for (const std::size_t at : SplitPoints(line)) {
    // Back over the blanks before the "L": only a digit ends a piece; after
    // a "." or a letter, or with nothing before it, the "L" stays in place.
    std::size_t end = at;
    while (end > start && line[end - 1] == ' ') --end;
    if (end == start || !IsDigit(line[end - 1])) continue;
    pieces.push_back(data::StripLeadingBlanks(line.substr(start, end - start)));
    start = at;  // the blanks before the "L" are dropped
  }
  pieces.emplace_back(line.substr(start));
  return pieces;
}

}  // namespace nc
