#include "nc/expression/scanner.h"

#include <array>

#include "nc/lexical/characters.h"
#include "nc/expression/number.h"

namespace nc {
namespace {

char UpperAscii(char c) noexcept { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsLetter(char c) noexcept { return c >= 'A' && c <= 'Z'; }

bool EqualIgnoringCase(std::string_view raw, std::string_view upper) noexcept {
  if (raw.size() != upper.size()) return false;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (UpperAscii(raw[i]) != upper[i]) return false;
  }
  return true;
}

// The first slot of the token table that matches, else kErr.
ExprToken LookUp(std::string_view text) noexcept {
  for (std::size_t code = 0; code < kExprTokenTexts.size(); ++code) {
    if (EqualIgnoringCase(text, kExprTokenTexts[code])) return static_cast<ExprToken>(code);
  }
  return ExprToken::kErr;
}

// The token of each single byte, from the one-character slots of the table.
constexpr std::array<ExprToken, 256> kSingleCharacterTokens = [] {
  std::array<ExprToken, 256> tokens{};  // all kErr
  for (std::size_t code = kExprTokenTexts.size(); code-- > 0;) {  // the first slot wins
    const std::string_view text = kExprTokenTexts[code];
    if (text.size() == 1) tokens[static_cast<unsigned char>(text[0])] = static_cast<ExprToken>(code);
  }
  return tokens;
}();

}  // namespace

ExpressionScanner::ExpressionScanner(std::string_view text) noexcept : text_(text) {
  atEnd_ = text_.empty();
  current_ = atEnd_ ? ' ' : UpperAscii(text_[0]);
}

void ExpressionScanner::Advance() noexcept {
  if (position_ < text_.size()) ++position_;
  atEnd_ = position_ >= text_.size();
  current_ = atEnd_ ? ' ' : UpperAscii(text_[position_]);
}

void ExpressionScanner::SkipBlanks() noexcept {
  while (current_ == ' ' && !atEnd_) Advance();
}

void ExpressionScanner::Next() noexcept {
  previous_ = token_;
  SkipBlanks();
  if (IsDigit(current_)) {
    ReadNumber();
  } else if (IsLetter(current_)) {
    ReadName();
  } else {
    ReadSingleCharacter();
  }
}

// A literal beyond the extended range is no valid token.
void ExpressionScanner::ReadNumber() noexcept {
  const NumberLiteral literal = nc::ReadNumber(text_.substr(position_));
  token_ = literal.fits ? ExprToken::kConst : ExprToken::kErr;
  if (literal.fits) number_ = literal.value;
  position_ += literal.length - 1;  // onto the literal's last byte
  Advance();
}

void ExpressionScanner::ReadName() noexcept {
  const std::size_t start = position_;
  do {
    Advance();
  } while (IsLetter(current_) || IsDigit(current_));
  token_ = LookUp(text_.substr(start, position_ - start));
}

void ExpressionScanner::ReadSingleCharacter() noexcept {
  token_ = kSingleCharacterTokens[static_cast<unsigned char>(current_)];
  Advance();
}

}  // namespace nc
