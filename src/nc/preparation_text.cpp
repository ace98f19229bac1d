#include "nc/preparation_text.h"

namespace nc {
namespace {

// Index of position 255, where a missing parenthesis is taken to stand.
constexpr std::size_t kMissingParenthesis = 254;

bool AllDigits(std::string_view text) {
  for (char c : text) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

std::string_view WithoutLeadingZeros(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? std::string_view("0") : digits.substr(first);
}

}  // namespace

std::string_view DigitsAt(std::string_view text, std::size_t from) {
  if (from >= text.size()) return {};
  std::size_t end = from;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return text.substr(from, end - from);
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
