// What counts as a comment in a line of NC text, for each reader that asks:
// the run (its first closed "( )" pair), preparation (which takes an
// unclosed "(" to the line's end) and the checks of programs written for
// other controls ("( )" anywhere, ";" to the line's end). One unit, three rules.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace nc {

// --- The run -------------------------------------------------------------
// The one comment of a block that the run does not read: from the first
// "(" to the first ")" inclusive, when both exist and the ")" stands after
// the "(". Everything else is read: an unclosed "(", a later "( )" pair
// (its "(" becomes a bracket) and text after ";".
struct CommentRange {
  std::size_t open;   // index of the "("
  std::size_t close;  // index of the ")"
};
std::optional<CommentRange> FirstComment(std::string_view block);

// Deletes FirstComment.
void RemoveFirstComment(std::string& block);

// --- Preparation ---------------------------------------------------------
// Preparation reads whole lines, before they are blocks, to split them
// before parameter words and to find calls without "G77"; there an unclosed
// "(" runs to the line's end, so that no "L" or "H" in such a comment counts.
// The run reads an unclosed "(" as text (it removes only a closed pair). Both
// are how the dialect is read and both stay.

// Indices of the first "(" and the first ")" of a line. A missing one counts
// as index data::kMaxText - 1 (the last a line can have).
struct CommentBounds {
  std::size_t open;
  std::size_t close;
};
CommentBounds FirstCommentBounds(std::string_view line);

// Strictly between the first "(" and the first ")".
bool InsideComment(const CommentBounds& bounds, std::size_t index);

// --- Other controls ------------------------------------------------------
// Programs written for other controls have comments anywhere; the checks
// and the conversion of such programs must find them all, so that no
// comment text is taken for words.

// Whether the ";" at index at starts another control's comment, which runs
// to the line's end; otherwise it separates words of the dialect (nothing
// but blanks follows it, or a parameter assignment: blanks, "L" with
// digits, blanks, "=").
bool StartsSemicolonComment(std::string_view line, std::size_t at);

// Which comment of another control starts at index at (within line): a "("
// runs to the next ")" or the line's end, a ";" that StartsSemicolonComment
// to the line's end. Inline: the checks look at every character with it.
enum class ForeignComment { kNone, kParentheses, kSemicolon };
inline ForeignComment ForeignCommentAt(std::string_view line, std::size_t at) {
  const char c = line[at];
  if (c == '(') return ForeignComment::kParentheses;
  if (c == ';' && StartsSemicolonComment(line, at)) return ForeignComment::kSemicolon;
  return ForeignComment::kNone;
}

// Index of the ")" that closes another control's "( )" comment whose text
// starts at index from (just after its "("); npos when it runs to the
// line's end.
std::size_t ParenthesesCommentClose(std::string_view line, std::size_t from);

}  // namespace nc
