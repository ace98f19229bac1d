#include "nc/lexical/address_words.h"

#include "nc/lexical/characters.h"

namespace nc {
namespace {

constexpr int kNumberCap = 100000;  // digits beyond it are read but not counted

constexpr bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
constexpr bool IsLetter(char c) { return IsUpper(c) || (c >= 'a' && c <= 'z'); }

}  // namespace

bool StartsAddressWord(std::string_view line, std::size_t i, std::string_view operators) {
  const char c = line[i];
  if (!IsUpper(c)) return false;
  if (i > 0 && IsLetter(line[i - 1])) return false;
  const bool functionLetter = c == 'S' || c == 'C' || c == 'R';
  return !(functionLetter && i > 0 && operators.find(line[i - 1]) != std::string_view::npos);
}

AddressWord ReadAddressWord(std::string_view line, std::size_t i) {
  AddressWord w;
  w.start = i;
  w.letter = line[i++];
  if (w.letter == 'E' && i < line.size() && line[i] == 'D') {
    w.rotation = true;
    ++i;
  }
  if (i < line.size() && IsSign(line[i])) ++i;
  for (; i < line.size() && IsDigit(line[i]); ++i) {
    w.hasNumber = true;
    if (w.number < kNumberCap) w.number = w.number * 10 + (line[i] - '0');
  }
  if (i + 1 < line.size() && line[i] == '.' && IsDigit(line[i + 1])) {
    w.hasNumber = true;
    w.decimal = true;
    i = DigitsEnd(line, i + 1);
  } else if (i < line.size() && line[i] == '.') {
    ++i;
  }
  w.end = i;
  return w;
}

}  // namespace nc
