// Jumps ("G79" ... "N" target) and subprogram calls ("G77" "H" n "S" k),
// unconditional or with a comparison in the block, into the internal forms
// "@100" ... "K" target and "L" n "P" k. A condition is evaluated here: the
// block becomes empty when it does not hold.
#include <algorithm>
#include <array>
#include <string_view>

#include "nc/lexical/characters.h"
#include "nc/translation/marks.h"
#include "nc/translation/steps.h"
#include "nc/words/word.h"

namespace nc::translation {
namespace {

constexpr std::string_view kJump = "G79";
constexpr std::string_view kCall = "G77";
constexpr std::string_view kJumpPrefix = "@100";
constexpr char kJumpTarget = 'K';
constexpr std::string_view kDefaultRepeat = "P01";
constexpr std::size_t kRepeatWidth = 3;  // "P" and at least two digits

// By precedence: the first of them that occurs anywhere in the block is the
// condition's operator, wherever the others stand.
enum class Comparison { kNotEqual, kGreaterEqual, kLessEqual, kGreater, kLess, kEqual, kNone };
constexpr std::array<std::string_view, 6> kComparisonTexts = {"<>", ">=", "<=", ">", "<", "="};

Comparison FindComparison(const BoundedText& text) {
  for (std::size_t i = 0; i < kComparisonTexts.size(); ++i) {
    if (text.Contains(kComparisonTexts[i])) return static_cast<Comparison>(i);
  }
  return Comparison::kNone;
}

bool Holds(Comparison comparison, long double left, long double right) {
  switch (comparison) {
    case Comparison::kNotEqual: return left != right;
    case Comparison::kGreaterEqual: return left >= right;
    case Comparison::kLessEqual: return left <= right;
    case Comparison::kGreater: return left > right;
    case Comparison::kLess: return left < right;
    case Comparison::kEqual: return left == right;
    case Comparison::kNone: break;
  }
  return false;
}

// A side of a condition is evaluated as the word "X" + side. An error is
// shown by the evaluation; the comparison goes on with the value returned.
long double SideValue(std::string_view side, const ParamTable& params, data::MessageCentre& messages) {
  char word[1 + BoundedText::kCapacity];
  word[0] = 'X';
  const std::size_t size = side.copy(word + 1, BoundedText::kCapacity);
  return EvaluateWord(std::string_view(word, 1 + size), params, messages);
}

std::int32_t TranslateJump(BoundedText& text) {
  const std::size_t at = text.Find(kJump);
  text.Insert(at, kJumpPrefix);
  text.Erase(at + kJumpPrefix.size(), kJump.size());
  const std::size_t target = text.Find(kMarkN);
  if (target == BoundedText::npos) return data::kMessageJumpWithoutTarget;
  text[target] = kJumpTarget;
  if (text.Find(kMarkN, target + 1) != BoundedText::npos) return data::kMessageJumpWithSecondTarget;
  return kNoMessage;
}

// "H" n becomes "L" n, followed by the "S" word as "P" with at least two
// digits, or by "P01" without one.
void ConvertCallWords(BoundedText& text) {
  const std::size_t h = text.Find('H');
  if (h == BoundedText::npos) return;
  text[h] = 'L';
  // Noted before the "S" word is taken out, which is expected after "H".
  const std::size_t insertAt = text.DigitsEnd(h + 1);
  BoundedText repeat(kDefaultRepeat);
  const std::size_t s = text.Find('S');
  if (s != BoundedText::npos) {
    std::size_t end = s + 1;
    while (end < text.size() && (IsDigit(text[end]) || text[end] == 'R' || text[end] == 'S')) ++end;
    repeat.Assign(text.view().substr(s, end - s));
    text.Erase(s, end - s);
    repeat[0] = 'P';
    while (repeat.size() < kRepeatWidth) repeat.Insert(1, "0");
  }
  text.Insert(insertAt, repeat.view());
}

// Where the sides of the condition lie in the decoded copy of the block.
struct ConditionSides {
  std::string_view left;
  std::string_view right;
  std::size_t begin = 0;  // of the left side
  std::size_t end = 0;    // of the right side
};

// The left side of a jump is all before the operator, that of a call starts
// at its first "R" (the whole part when it has none). The right side ends
// before the first target "K" or "H" after the operator, or at the end.
ConditionSides FindSides(const BoundedText& copy, std::size_t op, std::size_t opSize, bool jump) {
  ConditionSides sides;
  if (!jump) {
    const std::size_t r = copy.Find('R');
    if (r < op) sides.begin = r;
  }
  const std::size_t rightBegin = op + opSize;
  sides.end = std::min(copy.Find(jump ? kJumpTarget : 'H', rightBegin), copy.size());
  sides.left = copy.view().substr(sides.begin, op - sides.begin);
  sides.right = copy.view().substr(rightBegin, sides.end - rightBegin);
  return sides;
}

// Evaluates the condition written in the decoded copy of the block.
bool ConditionHolds(const BoundedText& copy, Comparison comparison, bool jump, const ParamTable& params,
                    data::MessageCentre& messages, ConditionSides& sides) {
  const std::string_view op = kComparisonTexts[static_cast<std::size_t>(comparison)];
  const std::size_t at = copy.Find(op);
  // Only a block cut by the decoding loses its operator; its condition fails.
  if (at == BoundedText::npos) return false;
  sides = FindSides(copy, at, op.size(), jump);
  const long double left = SideValue(sides.left, params, messages);
  const long double right = SideValue(sides.right, params, messages);
  return Holds(comparison, left, right);
}

// Conditional jump or call: the condition is read from a decoded copy of the
// block with its own function letters. A jump keeps the block from its
// target on, a call the copy without its condition; a block whose
// condition fails becomes empty.
std::int32_t TranslateConditional(BoundedText& text, Comparison comparison, bool jump, const ParamTable& params,
                                  data::MessageCentre& messages) {
  BoundedText copy(text);
  FindConditionFunctionLetters(copy);
  const std::size_t target = copy.Find(kMarkN);
  if (jump) {
    if (target == BoundedText::npos) return data::kMessageJumpWithoutTarget;
    copy[target] = kJumpTarget;
  }
  DecodeMarks(copy);
  copy.EraseFirst(jump ? kJump : kCall);
  ConditionSides sides;
  if (!ConditionHolds(copy, comparison, jump, params, messages, sides)) {
    text.Clear();
  } else if (jump) {
    // The function letters leave the N marks where they are.
    BoundedText jumped(kJumpPrefix);
    jumped.Append(std::string_view(&kJumpTarget, 1));
    jumped.Append(text.view().substr(target + 1));
    text = jumped;
  } else {
    copy.Erase(sides.begin, sides.end - sides.begin);
    if (copy.Contains('H')) {  // without one the block stays as it was
      ConvertCallWords(copy);
      text = copy;
    }
  }
  return kNoMessage;
}

}  // namespace

std::int32_t TranslateJumpsAndCalls(BoundedText& text, const ParamTable& params, data::MessageCentre& messages) {
  // A block with both codes is a jump: it leaves the block.
  const bool jump = text.Contains(kJump);
  if (!jump && !text.Contains(kCall)) return kNoMessage;
  const Comparison comparison = FindComparison(text);
  if (comparison != Comparison::kNone) return TranslateConditional(text, comparison, jump, params, messages);
  if (jump) return TranslateJump(text);
  text.EraseFirst(kCall);
  ConvertCallWords(text);
  return kNoMessage;
}

}  // namespace nc::translation
