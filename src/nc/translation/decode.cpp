// The decoding at the end of the translation: marks are written back as
// their letters and function names, and after each mark code the first
// "(" left becomes "[" with a "]" after the number or parameter it opens.
#include <string_view>

#include "nc/lexical/characters.h"
#include "nc/translation/marks.h"
#include "nc/translation/steps.h"

namespace nc::translation {
namespace {

// Text of marks 1 to 8.
constexpr std::string_view kMarkTexts[] = {"", "L", "P", "SIN(", "COS(", "SQRT(", "S", "N", "R"};

bool IsTextMark(char c) { return c >= 1 && c <= kLastTextMark; }

void WriteBack(BoundedText& text, char mark) {
  const std::string_view written = kMarkTexts[static_cast<std::size_t>(mark)];
  for (std::size_t at = text.Find(mark); at != BoundedText::npos; at = text.Find(mark, at + 1)) {
    text[at] = written[0];
    text.Insert(at + 1, written.substr(1));
  }
}

// "(" becomes "["; a "+" after it goes, a "-" stays; "]" closes the run of
// digits, points and parameter marks that follows.
void ConvertFirstParenthesis(BoundedText& text) {
  const std::size_t open = text.Find('(');
  if (open == BoundedText::npos) return;
  text[open] = '[';
  std::size_t end = open + 1;
  if (end < text.size() && text[end] == '+') {
    text.Erase(end, 1);
  } else if (end < text.size() && text[end] == '-') {
    ++end;
  }
  while (end < text.size() && (IsDigit(text[end]) || text[end] == '.' || text[end] == kMarkParam)) ++end;
  text.Insert(end, "]");
}

bool NeedsDecoding(const BoundedText& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsTextMark(text[i]) || text[i] == '(') return true;
  }
  return false;
}

}  // namespace

void DecodeMarks(BoundedText& text) {
  if (!NeedsDecoding(text)) return;
  // One "(" per mark code, so at most ten per block; codes 9 and 10 have
  // no text and only convert their "(".
  for (char mark = 1; mark <= kLastDecodedMark; ++mark) {
    if (mark <= kLastTextMark) WriteBack(text, mark);
    ConvertFirstParenthesis(text);
  }
}

}  // namespace nc::translation
