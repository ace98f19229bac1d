#include "nc/expression/prepass.h"

#include <cstddef>
#include <string_view>

#include "nc/lexical/characters.h"

namespace nc {
namespace {

// The sign of an exponent, as in 2E+3: a digit, then E, then the sign.
bool IsExponentSign(const BoundedText& text, std::size_t i) noexcept {
  return i >= 2 && (text[i - 1] == 'E' || text[i - 1] == 'e') && IsDigit(text[i - 2]);
}

// Turns the further "/" of the term whose "/" stands at start into "*".
void TurnChainIntoProducts(BoundedText& text, std::size_t start) noexcept {
  int depth = 0;  // relative to the chain
  const std::size_t size = text.size();
  for (std::size_t i = start + 1; i < size; ++i) {
    const char c = text[i];
    if (c == '(') {
      ++depth;
    } else if (c == ')') {
      if (depth == 0) return;
      --depth;
    } else if (depth == 0) {
      if (c == '/') text[i] = '*';
      if (IsSign(c) && !IsExponentSign(text, i)) return;
    }
  }
}

bool NeedsPadding(std::string_view text) noexcept {
  for (std::size_t i = text.find('.'); i != std::string_view::npos; i = text.find('.', i + 1)) {
    if (i == 0 || i + 1 == text.size() || !IsDigit(text[i - 1]) || !IsDigit(text[i + 1])) return true;
  }
  return false;
}

}  // namespace

void FoldSigns(BoundedText& text) noexcept {
  std::size_t kept = 0;
  const std::size_t size = text.size();
  for (std::size_t i = 0; i < size; ++i) {
    const char c = text[i];
    if (IsSign(c) && kept > 0 && IsSign(text[kept - 1])) {
      text[kept - 1] = (c == text[kept - 1]) ? '+' : '-';
    } else {
      text[kept++] = c;
    }
  }
  text.Truncate(kept);
}

void PadDecimalPoints(BoundedText& text) noexcept {
  if (!NeedsPadding(text.view())) return;  // the common case: every point stands between digits
  const BoundedText source = text;
  text.Clear();
  for (std::size_t i = 0; i < source.size(); ++i) {
    const char c = source[i];
    if (c == '.' && (text.size() == 0 || !IsDigit(text[text.size() - 1]))) text.Append('0');
    text.Append(c);
    if (c == '.' && (i + 1 == source.size() || !IsDigit(source[i + 1]))) text.Append('0');
  }
}

void ResolveDivisionChains(BoundedText& text) noexcept {
  // Leftmost first; a "/" already turned into "*" is not found again.
  for (std::size_t i = text.view().find('/'); i != std::string_view::npos; i = text.view().find('/', i + 1)) {
    TurnChainIntoProducts(text, i);
  }
}

void RunPrepass(BoundedText& text) noexcept {
  FoldSigns(text);
  PadDecimalPoints(text);
  ResolveDivisionChains(text);
}

}  // namespace nc
