// Function letters: an "S", "C" or "R" directly after an operator names the
// sine, cosine or square root of what follows. Each such operator turns the
// first unconverted occurrence of its letter in the block into the mark of
// the function (which is not always the letter after the operator).
#include "nc/lexical/characters.h"
#include "nc/translation/marks.h"
#include "nc/translation/steps.h"

namespace nc::translation {
namespace {

// One operator of the search: either every occurrence is visited, left to
// right, or only the first one is looked at.
struct OperatorVisit {
  char op;
  bool everyOccurrence;
};

constexpr OperatorVisit kBlockOperators[] = {{'[', true}, {'=', true}, {'+', true},
                                             {'-', true}, {'*', true}, {'/', true}};
// In a condition the comparison operators are looked at once each; they
// follow "=" in the order of the search.
constexpr OperatorVisit kConditionOperators[] = {{'[', true}, {'=', false}, {'>', false}, {'<', false},
                                                 {'+', true}, {'-', true},  {'*', true},  {'/', true}};

bool IsBlockOperator(char c) { return c == '[' || c == '=' || IsSign(c) || c == '*' || c == '/'; }
bool IsOperatorMark(char c) { return c >= kFirstOperatorMark && c <= kLastOperatorMark; }

char FunctionMark(char letter) {
  switch (letter) {
    case 'S': return kMarkSine;
    case 'C': return kMarkCosine;
    case 'R': return kMarkRoot;
    default: return 0;
  }
}

void VisitOperator(BoundedText& text, std::size_t at) {
  if (at + 1 >= text.size()) return;
  const char letter = text[at + 1];
  const char mark = FunctionMark(letter);
  if (mark != 0) text[text.Find(letter)] = mark;
}

// Visits the operators in order. Operators are searched left to right and
// the visits only ever turn letters into marks, so a plain scan finds the
// same occurrences as marking each visited operator would.
template <std::size_t N>
void VisitOperators(BoundedText& text, const OperatorVisit (&order)[N], bool skipLeadingSign) {
  for (const OperatorVisit& visit : order) {
    const std::size_t from = skipLeadingSign && IsSign(visit.op) ? 1 : 0;
    for (std::size_t at = text.Find(visit.op, from); at != BoundedText::npos; at = text.Find(visit.op, at + 1)) {
      VisitOperator(text, at);
      if (!visit.everyOccurrence) break;
    }
  }
}

// Operators that stood as marks while the letters were found become
// operators again; a mark byte already in the block is taken as one too.
void RestoreOperatorMarks(BoundedText& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsOperatorMark(text[i])) text[i] = kOperatorsOfMarks[text[i] - kFirstOperatorMark];
  }
}

// True when the step could change the block: an operator followed by a
// function letter, or an operator mark to restore.
bool MayChange(const BoundedText& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsOperatorMark(text[i])) return true;
    if (i > 0 && FunctionMark(text[i]) != 0 && IsBlockOperator(text[i - 1])) return true;
  }
  return false;
}

// A sign after an "E" (the radius sign "E+" or "E-") stops the search and
// leaves the block as it was. The letters are never changed by the search,
// so looking before it is the same as stopping at the first such sign.
bool HasSignAfterE(const BoundedText& text) {
  for (std::size_t i = 1; i < text.size(); ++i) {
    if (IsSign(text[i]) && text[i - 1] == 'E') return true;
  }
  return false;
}

}  // namespace

void FindFunctionLetters(BoundedText& text) {
  if (!MayChange(text)) return;
  if (text.Contains("G77") || text.Contains("G79") || HasSignAfterE(text)) return;
  // A sign in the first position is passed over; the signs after it are visited.
  VisitOperators(text, kBlockOperators, true);
  RestoreOperatorMarks(text);
}

void FindConditionFunctionLetters(BoundedText& text) {
  VisitOperators(text, kConditionOperators, false);
  RestoreOperatorMarks(text);
}

}  // namespace nc::translation
