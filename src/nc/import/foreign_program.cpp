#include "nc/import/foreign_program.h"

#include <algorithm>

#include "data/text.h"
#include "nc/lexical/characters.h"
#include "nc/lexical/comments.h"

namespace nc {
namespace {

// How much of a line the hint quotes.
constexpr std::size_t kQuotedLength = 40;

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

// u, v and w are the dialect's incremental axis words: in the text that is
// read they are addresses, and a capital U would be the arc radius.
bool IsIncrementalWord(char c) { return c == 'u' || c == 'v' || c == 'w'; }

char Upper(char c) { return IsLower(c) ? static_cast<char>(c - 'a' + 'A') : c; }

char UpperUnlessIncremental(char c) { return IsIncrementalWord(c) ? c : Upper(c); }

std::size_t SkipBlanks(std::string_view text, std::size_t from) {
  while (from < text.size() && text[from] == ' ') ++from;
  return from;
}

// The part of a line that the run reads, from offset from (a block holds
// at most data::kMaxText characters).
std::string_view ReadPart(std::string_view line, std::size_t from) { return line.substr(from, data::kMaxText); }

// Where other controls stand at a point of a line: in the text that is
// read, in a "( )" comment, or in a ";" comment.
enum class Within { kProgram, kParentheses, kSemicolon };

// Where they stand at index from, which a "%" in the middle of a comment
// may make the start of what a block holds.
Within WithinAt(std::string_view line, std::size_t from) {
  Within within = Within::kProgram;
  for (std::size_t i = 0; i < from; ++i) {
    if (within == Within::kParentheses) {
      if (line[i] == ')') within = Within::kProgram;
    } else if (const ForeignComment comment = ForeignCommentAt(line, i); comment == ForeignComment::kParentheses) {
      within = Within::kParentheses;
    } else if (comment == ForeignComment::kSemicolon) {
      return Within::kSemicolon;
    }
  }
  return within;
}

// Lower case that the run reads where it means nothing: any letter a..z
// outside the comment the run removes, but for u, v and w in the text that
// other controls read too (there they are the dialect's words); in text
// that other controls take for a comment, u, v and w count as well.
bool HasLowerCaseFrom(std::string_view line, std::size_t from) {
  const std::string_view part = ReadPart(line, from);
  const std::optional<CommentRange> removed = FirstComment(part);
  Within within = WithinAt(line, from);
  for (std::size_t i = 0; i < part.size(); ++i) {
    const char c = part[i];
    if (removed && i == removed->open) {
      i = removed->close;
      within = Within::kProgram;
    } else if (within != Within::kProgram) {
      if (within == Within::kParentheses && c == ')') within = Within::kProgram;
      if (IsLower(c)) return true;
    } else if (const ForeignComment comment = ForeignCommentAt(part, i); comment != ForeignComment::kNone) {
      within = comment == ForeignComment::kParentheses ? Within::kParentheses : Within::kSemicolon;
    } else if (IsLower(c) && !IsIncrementalWord(c)) {
      return true;
    }
  }
  return false;
}

// A line taken apart as other controls read it: the text outside comments
// in capitals, and the texts of all comments, to become one comment.
class CommentGatherer {
 public:
  // text: what a block holds of the line; it starts within a comment only
  // at a "%", which stays the block's first character.
  CommentGatherer(std::string_view text, Within within) {
    std::size_t i = within == Within::kProgram ? 0 : StartAtPercent(text, within);
    while (i < text.size()) i = Take(text, i);
  }

  // The converted text followed by rest, what the line holds past it. A
  // block reads data::kMaxText characters: the comment closes within them
  // when the text outside leaves room for its "(" and ")", and the comment
  // text that does not fit follows them; blanks fill up what the conversion
  // shortened, so that nothing of rest comes to be read.
  std::string Joined(std::string_view rest) const {
    std::string line = program_;
    std::string after;
    if (at_ != std::string::npos && program_.size() + 2 <= data::kMaxText) {
      const std::size_t room = data::kMaxText - program_.size() - 2;
      const std::string_view comment(comment_);
      line = program_.substr(0, at_) + "(" + std::string(comment.substr(0, room)) + ")" + program_.substr(at_);
      after = comment.substr(std::min(room, comment.size()));
    } else if (at_ != std::string::npos) {
      after = "(" + comment_ + ")";
    }
    after += rest;
    if (!after.empty() && line.size() < data::kMaxText) line.resize(data::kMaxText, ' ');
    return line + after;
  }

 private:
  // The "%" and the rest of the comment it stands in. A comment right after
  // the "%" is the one an earlier conversion made of it.
  std::size_t StartAtPercent(std::string_view text, Within within) {
    if (text.empty()) return 0;
    program_ += text[0];
    const bool made = text.size() > 1 && text[1] == '(';
    const std::size_t i = made ? ParenthesesFrom(text, 2) : 1;
    if (within == Within::kSemicolon) return SemicolonFrom(text, i);
    return made ? i : ParenthesesFrom(text, 1);
  }

  // Takes what starts at index i; returns where the next piece starts.
  std::size_t Take(std::string_view text, std::size_t i) {
    switch (ForeignCommentAt(text, i)) {
      case ForeignComment::kParentheses: return ParenthesesFrom(text, i + 1);
      case ForeignComment::kSemicolon: return SemicolonFrom(text, i + 1);
      case ForeignComment::kNone: break;
    }
    if (text[i] != ')') program_ += UpperUnlessIncremental(text[i]);  // a ")" would close the comment early
    return i + 1;
  }

  // A "( )" comment's text from index i to the next ")" or the end.
  std::size_t ParenthesesFrom(std::string_view text, std::size_t i) {
    const std::size_t close = ParenthesesCommentClose(text, i);
    const std::size_t end = close == std::string_view::npos ? text.size() : close;
    AddComment(text.substr(i, end - i));
    return close == std::string_view::npos ? text.size() : close + 1;
  }

  // A ";" comment's text from index i to the end, without outer blanks.
  std::size_t SemicolonFrom(std::string_view text, std::size_t i) {
    std::string_view comment = text.substr(SkipBlanks(text, i));
    AddComment(comment.substr(0, comment.find_last_not_of(' ') + 1));
    return text.size();
  }

  // The first comment marks the place of the line's comment; blanks before
  // a later one go with it.
  void AddComment(std::string_view text) {
    if (at_ == std::string::npos) {
      at_ = program_.size();
    } else {
      while (program_.size() > at_ && program_.back() == ' ') program_.pop_back();
    }
    const bool gap = !comment_.empty() && !text.empty() && comment_.back() != ' ' && text.front() != ' ';
    if (gap) comment_ += ' ';
    for (const char c : text) comment_ += c == '(' ? '[' : c == ')' ? ']' : c;
  }

  std::string program_;
  std::string comment_;
  std::size_t at_ = std::string::npos;  // where in program_ the comment stands
};

void UpperCaseFrom(std::string& line, std::size_t from) {
  const std::string_view part = ReadPart(line, from);
  const std::string_view rest = std::string_view(line).substr(from + part.size());
  line = line.substr(0, from) + CommentGatherer(part, WithinAt(line, from)).Joined(rest);
}

}  // namespace

std::int32_t HeaderLine(const data::ProgramText& program) {
  std::int32_t number = 0;
  std::int32_t header = 0;
  bool textAfter = false;
  program.ForEachLine([&](std::string_view line) {
    ++number;
    if (header != 0) {
      textAfter = textAfter || !IsBlank(line);
    } else if (line.find('%') != std::string_view::npos) {
      header = number;
    }
  });
  return textAfter ? header : 0;
}

bool HasHeader(const data::ProgramText& program) { return HeaderLine(program) != 0; }

bool HasLowerCaseOutsideComments(std::string_view line) { return HasLowerCaseFrom(line, 0); }

void UpperCaseOutsideComments(std::string& line) { UpperCaseFrom(line, 0); }

std::size_t ProgramPart::Of(std::string_view line) {
  if (started_) return 0;
  const std::size_t percent = line.find('%');
  started_ = percent != std::string_view::npos;
  return percent;
}

std::optional<LowerCaseLine> FirstLowerCaseLine(const data::ProgramText& program) {
  std::optional<LowerCaseLine> found;
  std::size_t number = 0;
  ProgramPart part(HasHeader(program));
  program.ForEachLine([&](std::string_view line) {
    ++number;
    const std::size_t from = part.Of(line);
    if (!found && from != std::string_view::npos && HasLowerCaseFrom(line, from)) {
      found = LowerCaseLine{number, std::string(line)};
    }
  });
  return found;
}

void UpperCaseProgram(std::vector<std::string>& lines) {
  ProgramPart part(HasHeader(data::ProgramText(lines)));
  for (std::string& line : lines) {
    const std::size_t from = part.Of(line);
    if (from != std::string::npos) UpperCaseFrom(line, from);
  }
}

std::string LowerCaseHint(std::string_view program, const LowerCaseLine& line, bool subprogram) {
  std::string quoted = line.text.substr(0, kQuotedLength);
  if (line.text.size() > kQuotedLength) quoted += "...";
  return std::string(subprogram ? "Das Unterprogramm " : "Das Programm ") + std::string(program) +
         " enth\xE4lt Kleinbuchstaben, die nicht als Adressen gelesen werden (zuerst Zeile " +
         std::to_string(line.number) + ": " + quoted + ").";
}

}  // namespace nc
