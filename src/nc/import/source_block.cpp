#include "nc/import/source_block.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "nc/lexical/characters.h"

namespace nc::import {
namespace {

// More characters than any coordinate a program needs (and more than a
// double keeps): such a "number" is junk.
constexpr std::size_t kMaxNumberText = 32;
constexpr std::size_t kMaxBlockNumberDigits = 9;
constexpr std::size_t kMaxParameterDigits = 5;

bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }

// Digits with a point, as programs write them, of at most 15 digits: the
// digits as a whole number and the power of ten are both exact doubles,
// so their quotient is the number correctly rounded, as from_chars gives
// it, only faster.
bool ExactDecimal(std::string_view text, double& value) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  std::uint64_t digits = 0;
  int count = 0, decimals = 0;
  bool point = false;
  for (const char c : text) {
    if (c == '.') {
      point = true;
      continue;
    }
    digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
    ++count;
    if (point) ++decimals;
  }
  if (count > 15) return false;
  value = static_cast<double>(digits) / kPowers[decimals];
  return true;
}

std::string Quoted(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u < 0x21 || u > 0x7E) return "(Code " + std::to_string(u) + ")";
  return std::string("\"") + c + "\"";
}

class BlockReader {
 public:
  BlockReader(std::string_view code, const Parameters& parameters, std::string& reason)
      : code_(code), parameters_(parameters), reason_(reason) {}

  bool Read(SourceBlock& block) {
    // Cleared, not replaced: a block read again and again keeps its buffers.
    block.number.clear();
    block.g.clear();
    block.m.clear();
    block.words.fill(std::nullopt);
    block.assignments.clear();
    if (!BlockNumber(block)) return false;
    while (pos_ < code_.size()) {
      const char c = code_[pos_];
      bool done = false;
      if (c == '#') done = Assignment(block);
      else if (IsLetter(c)) done = Word(block);
      else done = Fail("Zeichen " + Quoted(c) + " ist hier nicht lesbar");
      if (!done) return false;
    }
    return true;
  }

 private:
  bool Fail(std::string text) {
    reason_ = std::move(text);
    return false;
  }

  bool BlockNumber(SourceBlock& block) {
    if (code_.empty() || code_[0] != 'N') return true;
    const std::size_t end = DigitsEnd(code_, 1);
    if (end == 1) return Fail("N ohne Satznummer");
    if (end < code_.size() && code_[end] == '.') return Fail("Satznummer N mit Dezimalpunkt");
    if (end - 1 > kMaxBlockNumberDigits) return Fail("Satznummer N mit mehr als 9 Stellen");
    block.number = std::string(code_.substr(1, end - 1));
    pos_ = end;
    return true;
  }

  // A plain number: digits with at most one decimal point.
  bool Number(double& value, char letter) {
    const std::size_t start = pos_;
    pos_ = DigitsEnd(code_, pos_);
    if (pos_ < code_.size() && code_[pos_] == '.') pos_ = DigitsEnd(code_, pos_ + 1);
    const std::string_view text = code_.substr(start, pos_ - start);
    if (text.empty() || text == ".") return Fail(Quoted(letter) + " ohne Zahl");
    if (text.size() > kMaxNumberText) return Fail("Zahl nach " + Quoted(letter) + " zu lang");
    if (ExactDecimal(text, value)) return true;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return Fail("Zahl nach " + Quoted(letter) + " nicht lesbar");
    return true;
  }

  bool ParameterReference(double& value) {
    ++pos_;  // '#'
    if (pos_ < code_.size() && code_[pos_] == '<') return Fail("Benannter Parameter #<...> wird nicht \xFC" "bernommen");
    if (pos_ < code_.size() && code_[pos_] == '#') return Fail("Indirekter Parameter ## wird nicht \xFC" "bernommen");
    if (pos_ < code_.size() && code_[pos_] == '[') return Fail("Ausdruck in eckigen Klammern ([...]) wird nicht \xFC" "bernommen");
    int n = 0;
    if (!ParameterNumber(n)) return false;
    const auto found = parameters_.find(n);
    if (found == parameters_.end()) return Fail("Parameter #" + std::to_string(n) + " ist nicht gesetzt");
    value = found->second;
    return true;
  }

  bool ParameterNumber(int& n) {
    const std::size_t end = DigitsEnd(code_, pos_);
    if (end == pos_) return Fail("# ohne Parameternummer");
    if (end - pos_ > kMaxParameterDigits) return Fail("Parameternummer mit mehr als 5 Stellen");
    std::from_chars(code_.data() + pos_, code_.data() + end, n);
    pos_ = end;
    return true;
  }

  // A signed number or parameter after a letter or "=".
  bool Value(double& value, char letter, bool parameterAllowed) {
    bool negative = false;
    if (pos_ < code_.size() && IsSign(code_[pos_])) negative = code_[pos_++] == '-';
    if (pos_ < code_.size() && code_[pos_] == '[') return Fail("Ausdruck in eckigen Klammern ([...]) wird nicht \xFC" "bernommen");
    if (pos_ < code_.size() && code_[pos_] == '#') {
      if (!parameterAllowed) return Fail("Parameter in " + Quoted(letter) + "-W\xF6rtern wird nicht \xFC" "bernommen");
      if (!ParameterReference(value)) return false;
    } else if (!Number(value, letter)) {
      return false;
    }
    if (negative) value = -value;
    return true;
  }

  bool Assignment(SourceBlock& block) {
    ++pos_;
    if (pos_ < code_.size() && code_[pos_] == '<') return Fail("Benannter Parameter #<...> wird nicht \xFC" "bernommen");
    int n = 0;
    if (!ParameterNumber(n)) return false;
    if (pos_ >= code_.size() || code_[pos_] != '=') return Fail("Parameter #" + std::to_string(n) + " ohne \"=\" au\xDF" "erhalb eines Worts");
    ++pos_;
    double value = 0.0;
    if (!Value(value, '=', true)) return false;
    block.assignments.emplace_back(n, value);
    return true;
  }

  bool Word(SourceBlock& block) {
    const char letter = code_[pos_++];
    if (letter == 'N') return Fail("Satznummer N nicht am Satzanfang");
    if (letter == 'O') return Fail("O-Wort nicht am Zeilenanfang");
    double value = 0.0;
    if (!Value(value, letter, letter != 'G' && letter != 'M')) return false;
    if (letter == 'G') return GWord(block, value);
    if (letter == 'M') return MWord(block, value);
    std::optional<double>& slot = block.words[static_cast<std::size_t>(letter - 'A')];
    if (slot) return Fail(Quoted(letter) + " zweimal im Satz");
    slot = value;
    return true;
  }

  bool GWord(SourceBlock& block, double value) {
    const double tenths = std::round(value * 10.0);
    if (value < 0.0 || std::fabs(value * 10.0 - tenths) > 1e-6 || tenths > 9999.0) {
      return Fail("G-Wort mit ung\xFCltiger Nummer");
    }
    block.g.push_back(static_cast<int>(tenths));
    return true;
  }

  bool MWord(SourceBlock& block, double value) {
    if (value < 0.0 || value != std::floor(value) || value > 9999.0) return Fail("M-Wort mit ung\xFCltiger Nummer");
    block.m.push_back(static_cast<int>(value));
    return true;
  }

  std::string_view code_;
  const Parameters& parameters_;
  std::string& reason_;
  std::size_t pos_ = 0;
};

}  // namespace

bool SourceBlock::HasG(int tenths) const { return std::find(g.begin(), g.end(), tenths) != g.end(); }
bool SourceBlock::HasM(int n) const { return std::find(m.begin(), m.end(), n) != m.end(); }

bool ReadSourceBlock(std::string_view code, const Parameters& parameters, SourceBlock& block, std::string& reason) {
  return BlockReader(code, parameters, reason).Read(block);
}

namespace {

// The numbers of the M words in code, as written (leading zeros dropped);
// stops when visit returns true.
template <typename Visit>
bool AnyMWord(std::string_view code, Visit visit) {
  for (std::size_t i = code.find('M'); i != std::string_view::npos; i = code.find('M', i + 1)) {
    std::size_t k = i + 1;
    while (k + 1 < code.size() && code[k] == '0' && IsDigit(code[k + 1])) ++k;
    const std::size_t end = DigitsEnd(code, k);
    if (end < code.size() && code[end] == '.') continue;
    if (visit(code.substr(k, end - k))) return true;
  }
  return false;
}

}  // namespace

bool HasMWord(std::string_view code, int n) {
  const std::string number = std::to_string(n);
  return AnyMWord(code, [&number](std::string_view digits) { return digits == number; });
}

bool EndsProgram(std::string_view code) {
  return AnyMWord(code, [](std::string_view digits) { return digits == "2" || digits == "30"; });
}

}  // namespace nc::import
