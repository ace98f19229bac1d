#include "nc/lexical/word_kinds.h"

#include <algorithm>
#include <optional>

#include "nc/lexical/address_words.h"
#include "nc/lexical/comments.h"

namespace nc {
namespace {

constexpr bool IsBlankOrTab(char c) { return c == ' ' || c == '\t'; }

// The words outside the comment [commentStart, commentEnd).
std::vector<AddressWord> CollectWords(std::string_view line, std::size_t from, std::size_t commentStart,
                                      std::size_t commentEnd) {
  std::vector<AddressWord> words;
  for (std::size_t pos = from; pos < line.size();) {
    if (pos == commentStart) {
      pos = commentEnd;
    } else if (StartsAddressWord(line, pos, kBlockOperators)) {
      words.push_back(ReadAddressWord(line, pos));
      pos = words.back().end;  // a word never reaches into the comment
    } else {
      ++pos;
    }
  }
  return words;
}

bool IsG(const AddressWord& w, int number) {
  return w.letter == 'G' && w.hasNumber && !w.decimal && w.number == number;
}

struct Context {
  bool jump = false;  // the block holds G79
  bool call = false;  // the block holds G77
};

Context ContextOf(const std::vector<AddressWord>& words) {
  Context context;
  for (const AddressWord& w : words) {
    context.jump = context.jump || IsG(w, 79);
    context.call = context.call || IsG(w, 77);
  }
  return context;
}

// The kind of one word; nothing for words left in the text's own colour.
std::optional<WordKind> Classify(const AddressWord& w, bool first, Context context) {
  if (w.rotation) return WordKind::Coordinate;
  switch (w.letter) {
    case 'G':
      if (IsG(w, 77) || IsG(w, 79)) return WordKind::JumpCall;
      return w.hasNumber && !w.decimal && w.number <= 3 ? WordKind::Motion : WordKind::GCode;
    case 'M':
      return WordKind::MCode;
    case 'X': case 'Y': case 'Z': case 'I': case 'J': case 'K':
      return WordKind::Coordinate;
    case 'L': case 'R':
      if (!w.hasNumber) return std::nullopt;
      return WordKind::Parameter;
    case 'N':
      return context.jump && !first ? WordKind::JumpCall : WordKind::BlockNumber;
    case 'H': case 'S': case 'P':
      if (!context.call) return std::nullopt;
      return WordKind::JumpCall;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::vector<WordSpan> WordKindsOfLine(std::string_view line) {
  const std::size_t n = line.size();
  std::size_t from = 0;
  while (from < n && IsBlankOrTab(line[from])) ++from;
  if (from == n) return {};
  // 1. A header line is one part as a whole.
  if (line[from] == '%') return {{from, n - from, WordKind::Header}};
  std::vector<WordSpan> spans;
  // 2. The block-skip slash.
  if (line[from] == '/') spans.push_back({from, 1, WordKind::BlockSkip});
  // 3. The comment the run removes; everything else is read.
  const std::optional<CommentRange> comment = FirstComment(line);
  const std::size_t commentStart = comment ? comment->open : std::string_view::npos;
  const std::size_t commentEnd = comment ? comment->close + 1 : n;
  // 4. The words outside the comment, classified in their block's context.
  const std::vector<AddressWord> words = CollectWords(line, from, commentStart, commentEnd);
  const Context context = ContextOf(words);
  for (std::size_t i = 0; i < words.size(); ++i) {
    if (const auto kind = Classify(words[i], i == 0, context)) {
      spans.push_back({words[i].start, words[i].end - words[i].start, *kind});
    }
  }
  if (comment) spans.push_back({commentStart, commentEnd - commentStart, WordKind::Comment});
  std::sort(spans.begin(), spans.end(), [](const WordSpan& a, const WordSpan& b) { return a.start < b.start; });
  return spans;
}

}  // namespace nc
