// The word-level steps of the block translation: removal of ignored words
// and of the block number, N marks, tool and correction words, mirroring,
// the radius word and the parameters.
#include "nc/translation/steps.h"

#include "data/text.h"
#include "nc/lexical/characters.h"
#include "nc/translation/marks.h"

namespace nc::translation {
namespace {

constexpr std::int32_t kMaxNAddresses = 2;
constexpr std::int32_t kLastLowParam = 19;
constexpr std::int32_t kFirstHighParam = 100;
constexpr std::int32_t kLastHighParam = 199;

// The number of the digits in [from, end), saturated above the largest
// parameter so that any count of digits stays in range.
std::int32_t ParamNumber(const BoundedText& text, std::size_t from, std::size_t end) {
  std::int32_t n = 0;
  for (std::size_t i = from; i < end && n <= kLastHighParam; ++i) n = n * 10 + (text[i] - '0');
  return n;
}

bool IsParamNumber(std::int32_t n) {
  return n <= kLastLowParam || (n >= kFirstHighParam && n <= kLastHighParam);
}

}  // namespace

void TrimBlock(BoundedText& text) { text.Assign(data::TrimmedView(text.view())); }

void RemoveFirstWord(BoundedText& text, char letter) {
  const std::size_t begin = text.Find(letter);
  if (begin == BoundedText::npos) return;
  std::size_t end = begin;
  while (end < text.size()) {
    const char c = text[end];
    if (c != letter && c != '+' && c != '-' && c != '.' && !IsDigit(c)) break;
    ++end;
  }
  text.Erase(begin, end - begin);
}

void RemoveBlockNumber(BoundedText& text) {
  std::size_t end = 0;
  while (end < text.size() && (IsDigit(text[end]) || text[end] == 'N')) ++end;
  text.Erase(0, end);
}

std::int32_t MarkNAddresses(BoundedText& text) {
  std::int32_t count = 0;
  for (std::size_t at = text.Find('N'); at != BoundedText::npos; at = text.Find('N', at + 1)) {
    text[at] = kMarkN;
    ++count;
  }
  return count > kMaxNAddresses ? data::kMessageTooManyNAddresses : kNoMessage;
}

void JoinEd(BoundedText& text) {
  const std::size_t at = text.Find("ED");
  if (at == BoundedText::npos) return;
  text.Erase(at + 1, 1);
  text[at] = 'A';
}

void NormaliseToolChange(BoundedText& text) {
  // Only an "M" with a character after it can carry a number.
  for (std::size_t m = text.Find('M'); m != BoundedText::npos && m + 1 < text.size(); m = text.Find('M', m + 1)) {
    const std::string_view digits = text.view().substr(m + 1, text.DigitsEnd(m + 1) - (m + 1));
    if (digits == "06") return;
    if (digits == "6") {
      text.Insert(m + 1, "0");
      return;
    }
  }
}

void PadToTwoDigits(BoundedText& text, char letter) {
  const std::size_t at = text.Find(letter);
  if (at == BoundedText::npos) return;
  for (std::size_t digits = text.DigitsEnd(at + 1) - (at + 1); digits < 2; ++digits) text.Insert(at + 1, "0");
}

std::int32_t CheckToolWords(const BoundedText& text) {
  if (text.Contains('T')) return kNoMessage;
  if (text.Contains("M06")) return data::kMessageToolChangeWithoutTool;
  if (text.Contains('D')) return data::kMessageCorrectionWithoutTool;
  return kNoMessage;
}

void ApplyMirroring(BoundedText& text, MirrorFactors& mirror) {
  if (!text.EraseFirst("G51")) return;
  // Each axis word counts once, at its first occurrence, in this order; a
  // bare letter left over switches its axis back to normal.
  if (text.EraseFirst("X+")) mirror.x = 1;
  if (text.EraseFirst("Y+")) mirror.y = 1;
  if (text.EraseFirst("X-")) mirror.x = -1;
  if (text.EraseFirst("Y-")) mirror.y = -1;
  if (text.EraseFirst("X")) mirror.x = 1;
  if (text.EraseFirst("Y")) mirror.y = 1;
}

void TranslateRadius(BoundedText& text) {
  const std::size_t r = text.Find('R');
  if (r == BoundedText::npos) return;
  text[r] = 'U';
  text.EraseFirst("E-");
  // The sign goes after the first "U" of the block, which is the radius
  // unless the block already had a "U" before it.
  if (text.EraseFirst("E+")) text.Insert(text.Find('U') + 1, "-");
}

std::int32_t TranslateParameters(BoundedText& text) {
  // Converted letters become marks, so the next "L" is always the first one.
  for (std::size_t l = text.Find('L'); l != BoundedText::npos; l = text.Find('L', l + 1)) {
    const std::size_t end = text.DigitsEnd(l + 1);
    if (end == l + 1) return data::kMessageParameterNumber;
    const std::int32_t n = ParamNumber(text, l + 1, end);
    if (!IsParamNumber(n)) return data::kMessageParameterNumber;
    const char digits[] = {static_cast<char>('0' + n / 100), static_cast<char>('0' + n / 10 % 10),
                           static_cast<char>('0' + n % 10)};
    text.Erase(l + 1, end - (l + 1));
    text.Insert(l + 1, std::string_view(digits, sizeof digits));
    text[l] = kMarkParam;
  }
  return kNoMessage;
}

}  // namespace nc::translation
