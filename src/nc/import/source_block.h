// The words of one block of standard G-code: the code of a line read into
// letters and numbers, "#n" replaced by the value of parameter n, and the
// assignments "#n = value" the line makes. Whatever is not a plain word
// (expressions, named parameters, unknown characters, a letter twice) is
// refused with the construct named.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nc::import {

// Numbered parameters set by "#n = value", in the order the program runs.
using Parameters = std::map<int, double>;

struct SourceBlock {
  std::string number;  // digits of a leading N word, empty when none
  std::vector<int> g;  // G numbers in tenths (G90.1 is 901), as written
  std::vector<int> m;  // M numbers
  std::array<std::optional<double>, 26> words;  // every other letter's value, by letter
  std::vector<std::pair<int, double>> assignments;  // "#n = value", for after the block

  const std::optional<double>& operator[](char letter) const { return words[static_cast<std::size_t>(letter - 'A')]; }
  bool Has(char letter) const { return (*this)[letter].has_value(); }
  bool HasG(int tenths) const;
  bool HasM(int n) const;
};

// Reads the code of a line (as SourceLine gives it). False with a German
// reason naming the construct.
bool ReadSourceBlock(std::string_view code, const Parameters& parameters, SourceBlock& block, std::string& reason);

// Whether the code holds the word M n (M2 also as M02).
bool HasMWord(std::string_view code, int n);

// Whether the code ends the program: an M2 or M30 word.
bool EndsProgram(std::string_view code);

}  // namespace nc::import
