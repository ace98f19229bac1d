#include "nc/preparation/text.h"

#include "data/text.h"
#include "nc/lexical/characters.h"

namespace nc {
namespace {

// Index of the last position a line can have, where a missing parenthesis
// is taken to stand.
constexpr std::size_t kMissingParenthesis = data::kMaxText - 1;

std::string_view WithoutLeadingZeros(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? std::string_view("0") : digits.substr(first);
}

}  // namespace

std::string_view DigitsAt(std::string_view text, std::size_t from) {
  if (from >= text.size()) return {};
  return text.substr(from, DigitsEnd(text, from) - from);
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

CommentBounds FirstCommentBounds(std::string_view line) {
  const std::size_t open = line.find('(');
  const std::size_t close = line.find(')');
  return {open == std::string_view::npos ? kMissingParenthesis : open,
          close == std::string_view::npos ? kMissingParenthesis : close};
}

bool InsideComment(const CommentBounds& bounds, std::size_t index) {
  return bounds.open < index && index < bounds.close;
}

bool SameInteger(std::string_view a, std::string_view b) {
  if (a.empty() || b.empty() || !AllDigits(a) || !AllDigits(b)) return false;
  return WithoutLeadingZeros(a) == WithoutLeadingZeros(b);
}

}  // namespace nc
