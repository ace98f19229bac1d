#include "nc/lexical/word_scan.h"

#include <array>

#include "nc/lexical/characters.h"

namespace nc {
namespace {

bool IsOperator(char c) { return c == '*' || c == '+' || c == '-' || c == '/' || c == '='; }

// Characters a value word always takes.
bool IsValueCharacter(char c) { return IsDigit(c) || IsOperator(c) || c == '.' || c == 'R'; }

// Words whose text is a whole number after the letter.
bool IsNumberWord(char letter) {
  return letter == 'D' || letter == 'G' || letter == 'M' || letter == 'S' || letter == 'T';
}

// Length of the function name at pos when a "[" follows it, else 0.
std::size_t FunctionNameAt(std::string_view block, std::size_t pos) {
  static constexpr std::array<std::string_view, 3> kNames{"SIN[", "COS[", "SQRT["};
  const std::string_view rest = block.substr(pos);
  for (std::string_view name : kNames) {
    if (rest.starts_with(name)) return name.size() - 1;
  }
  return 0;
}

// Index just past the "]" that closes the "[" at pos, or the block's end.
std::size_t BracketEnd(std::string_view block, std::size_t pos) {
  int depth = 0;
  for (; pos < block.size(); ++pos) {
    if (block[pos] == '[') ++depth;
    if (block[pos] == ']' && --depth == 0) return pos + 1;
  }
  return pos;
}

std::size_t NumberWordEnd(std::string_view block, std::size_t pos, char letter) {
  if (letter == 'S' && pos < block.size() && block[pos] == 'R') ++pos;
  return DigitsEnd(block, pos);
}

std::size_t ValueWordEnd(std::string_view block, std::size_t pos) {
  bool operandMayFollow = true;  // right after the letter
  while (pos < block.size()) {
    const char c = block[pos];
    if (IsValueCharacter(c)) {
      operandMayFollow = IsOperator(c);
      ++pos;
    } else if (operandMayFollow && c == '[') {
      pos = BracketEnd(block, pos);
      operandMayFollow = false;
    } else if (const std::size_t name = operandMayFollow ? FunctionNameAt(block, pos) : 0; name > 0) {
      pos += name;  // the "[" follows and is taken next
    } else {
      break;
    }
  }
  return pos;
}

// Whether a word with this letter would go on with the character at pos.
bool ContinuesWord(std::string_view block, std::size_t pos, char letter) {
  if (pos >= block.size()) return false;
  const char c = block[pos];
  if (IsNumberWord(letter)) return IsDigit(c) || (letter == 'S' && c == 'R');
  return IsValueCharacter(c) || c == '[' || FunctionNameAt(block, pos) > 0;
}

// Blanks between the letter and its value ("X 10", "G 01") belong to the
// word; the value readers skip them.
std::size_t SkipBlanksBeforeValue(std::string_view block, std::size_t pos, char letter) {
  std::size_t after = pos;
  while (after < block.size() && block[after] == ' ') ++after;
  return after > pos && ContinuesWord(block, after, letter) ? after : pos;
}

}  // namespace

bool NextWord(std::string_view block, std::size_t& pos, std::string_view& word) {
  while (pos < block.size()) {
    const std::size_t start = pos;
    const char letter = block[pos++];
    if (letter == ';') continue;
    if (letter == 'R') {
      pos = block.find(';', pos);
      if (pos == std::string_view::npos) pos = block.size();
      continue;
    }
    if (letter != ' ') pos = SkipBlanksBeforeValue(block, pos, letter);
    pos = IsNumberWord(letter) ? NumberWordEnd(block, pos, letter) : ValueWordEnd(block, pos);
    word = block.substr(start, pos - start);
    return true;
  }
  return false;
}

}  // namespace nc
