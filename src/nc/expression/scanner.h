// The scanner of the expression language: one call reads one token. Names
// are matched without regard to letter case; numbers are converted as they
// are read.
#pragma once

#include <cstddef>
#include <string_view>

#include "nc/expression/tokens.h"

namespace nc {

class ExpressionScanner {
 public:
  // text must stay alive while the scanner reads it.
  explicit ExpressionScanner(std::string_view text) noexcept;

  // Reads the next token. Past the end of the text every token is kErr.
  void Next() noexcept;

  ExprToken token() const noexcept { return token_; }
  ExprToken previous() const noexcept { return previous_; }
  // The last number read; a kConst token stands for it.
  long double number() const noexcept { return number_; }

 private:
  void Advance() noexcept;
  void SkipBlanks() noexcept;
  void ReadNumber() noexcept;
  void ReadName() noexcept;
  void ReadSingleCharacter() noexcept;

  std::string_view text_;
  std::size_t position_ = 0;
  char current_ = ' ';  // upper-cased; a blank once past the end
  bool atEnd_ = false;
  ExprToken token_ = ExprToken::kErr;
  ExprToken previous_ = ExprToken::kErr;
  long double number_ = 0.0L;
};

}  // namespace nc
