#include "nc/lexical/comments.h"

#include "data/text.h"
#include "nc/lexical/characters.h"

namespace nc {
namespace {

// Index of the last position a line can have, where a missing parenthesis
// is taken to stand.
constexpr std::size_t kMissingParenthesis = data::kMaxText - 1;

std::size_t SkipBlanks(std::string_view text, std::size_t from) {
  while (from < text.size() && text[from] == ' ') ++from;
  return from;
}

// The ";" at index at separates words of the dialect: nothing but blanks
// follows it, or a parameter assignment does ("L5=3;L6=4", "l5=3" as other
// controls write it).
bool IsSeparator(std::string_view line, std::size_t at) {
  const std::size_t letter = SkipBlanks(line, at + 1);
  if (letter == line.size()) return true;
  if (line[letter] != 'L' && line[letter] != 'l') return false;
  const std::size_t digitsEnd = DigitsEnd(line, letter + 1);
  const std::size_t equals = SkipBlanks(line, digitsEnd);
  return digitsEnd > letter + 1 && equals < line.size() && line[equals] == '=';
}

}  // namespace

std::optional<CommentRange> FirstComment(std::string_view block) {
  const std::size_t open = block.find('(');
  const std::size_t close = block.find(')');
  if (open == std::string_view::npos || close == std::string_view::npos || close < open) return std::nullopt;
  return CommentRange{open, close};
}

void RemoveFirstComment(std::string& block) {
  if (const std::optional<CommentRange> comment = FirstComment(block)) {
    block.erase(comment->open, comment->close - comment->open + 1);
  }
}

CommentBounds FirstCommentBounds(std::string_view line) {
  const std::size_t open = line.find('(');
  const std::size_t close = line.find(')');
  return {open == std::string_view::npos ? kMissingParenthesis : open,
          close == std::string_view::npos ? kMissingParenthesis : close};
}

bool InsideComment(const CommentBounds& bounds, std::size_t index) {
  return bounds.open < index && index < bounds.close;
}

bool StartsSemicolonComment(std::string_view line, std::size_t at) { return !IsSeparator(line, at); }

std::size_t ParenthesesCommentClose(std::string_view line, std::size_t from) { return line.find(')', from); }

}  // namespace nc
