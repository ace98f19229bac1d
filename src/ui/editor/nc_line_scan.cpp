#include "ui/editor/nc_line_scan.h"

#include <algorithm>
#include <optional>

namespace ui {
namespace {

struct Word {
  int start = 0;
  int end = 0;     // one past the word's last character
  char letter = 0;
  bool rotation = false;  // the two-letter address ED
  int number = -1;        // the digits after the letter (and sign), -1 without
};

bool IsUpper(QChar c) { return c >= QLatin1Char('A') && c <= QLatin1Char('Z'); }
bool IsLetter(QChar c) { return IsUpper(c) || (c >= QLatin1Char('a') && c <= QLatin1Char('z')); }
bool IsDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool IsBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }
bool IsOperator(QChar c) { return QStringView(u"=+-*/[").contains(c); }

// S, C and R directly after an operator are the sine, cosine and square-root
// letters of an expression, not addresses.
bool IsFunctionLetter(QStringView line, int pos) {
  const QChar c = line[pos];
  const bool candidate = c == QLatin1Char('S') || c == QLatin1Char('C') || c == QLatin1Char('R');
  return candidate && pos > 0 && IsOperator(line[pos - 1]);
}

// An upper-case letter starts a word unless it continues a name (SIN, COS)
// or is a function letter.
bool StartsWord(QStringView line, int pos) {
  if (!IsUpper(line[pos])) return false;
  if (pos > 0 && IsLetter(line[pos - 1])) return false;
  return !IsFunctionLetter(line, pos);
}

// Reads the letter (or ED), an optional sign, then digits and points.
Word ReadWord(QStringView line, int pos) {
  const int n = int(line.size());
  Word word;
  word.start = pos;
  word.letter = char(line[pos].unicode());
  int i = pos + 1;
  if (word.letter == 'E' && i < n && line[i] == QLatin1Char('D')) {
    word.rotation = true;
    ++i;
  }
  if (i < n && (line[i] == QLatin1Char('+') || line[i] == QLatin1Char('-'))) ++i;
  int value = 0;
  bool digits = false;
  for (; i < n && (IsDigit(line[i]) || line[i] == QLatin1Char('.')); ++i) {
    if (line[i] == QLatin1Char('.') || value > 100000) continue;
    value = value * 10 + (line[i].unicode() - '0');
    digits = true;
  }
  word.end = i;
  if (digits) word.number = value;
  return word;
}

std::vector<Word> CollectWords(QStringView line, int from, int commentStart, int commentEnd) {
  std::vector<Word> words;
  const int n = int(line.size());
  for (int pos = from; pos < n;) {
    if (pos == commentStart) {
      pos = commentEnd;
    } else if (StartsWord(line, pos)) {
      words.push_back(ReadWord(line, pos));
      pos = words.back().end;  // a word never reaches into the comment
    } else {
      ++pos;
    }
  }
  return words;
}

struct Context {
  bool jump = false;  // the block holds G79
  bool call = false;  // the block holds G77
};

Context ContextOf(const std::vector<Word>& words) {
  Context context;
  for (const Word& w : words) {
    if (w.letter != 'G') continue;
    context.jump = context.jump || w.number == 79;
    context.call = context.call || w.number == 77;
  }
  return context;
}

// The kind of one word; nullopt for words left in the text's own colour.
std::optional<NcWordKind> Classify(const Word& w, bool first, Context context) {
  if (w.rotation) return NcWordKind::Coordinate;
  switch (w.letter) {
    case 'G':
      if (w.number == 77 || w.number == 79) return NcWordKind::JumpCall;
      return w.number >= 0 && w.number <= 3 ? NcWordKind::Motion : NcWordKind::GCode;
    case 'M':
      return NcWordKind::MCode;
    case 'X': case 'Y': case 'Z': case 'I': case 'J': case 'K':
      return NcWordKind::Coordinate;
    case 'L': case 'R':
      if (w.number < 0) return std::nullopt;
      return NcWordKind::Parameter;
    case 'N':
      return context.jump && !first ? NcWordKind::JumpCall : NcWordKind::BlockNumber;
    case 'H': case 'S': case 'P':
      if (!context.call) return std::nullopt;
      return NcWordKind::JumpCall;
    default:
      return std::nullopt;
  }
}

int SkipBlanks(QStringView line) {
  int i = 0;
  while (i < int(line.size()) && IsBlank(line[i])) ++i;
  return i;
}

}  // namespace

std::vector<NcSpan> ScanNcLine(QStringView line) {
  const int n = int(line.size());
  int from = SkipBlanks(line);
  if (from == n) return {};
  // 1. A header line is coloured as a whole.
  if (line[from] == QLatin1Char('%')) return {{from, n - from, NcWordKind::Header}};
  std::vector<NcSpan> spans;
  // 2. The block-skip slash.
  if (line[from] == QLatin1Char('/')) spans.push_back({from, 1, NcWordKind::BlockSkip});
  // 3. The comment the run removes: the first "(" to the first ")", when
  // that ")" comes after it. The run reads everything else: an unclosed
  // "(", a comment behind a stray ")" and text after ";".
  int open = int(line.indexOf(QLatin1Char('(')));
  const int close = int(line.indexOf(QLatin1Char(')')));
  if (close < open) open = -1;
  const int commentEnd = open < 0 ? n : close + 1;
  // 4. The words outside the comment, classified in their block's context.
  const std::vector<Word> words = CollectWords(line, from, open, commentEnd);
  const Context context = ContextOf(words);
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (const auto kind = Classify(words[i], i == 0, context)) {
      spans.push_back({words[i].start, words[i].end - words[i].start, *kind});
    }
  }
  if (open >= 0) spans.push_back({open, commentEnd - open, NcWordKind::Comment});
  std::sort(spans.begin(), spans.end(), [](const NcSpan& a, const NcSpan& b) { return a.start < b.start; });
  return spans;
}

}  // namespace ui
