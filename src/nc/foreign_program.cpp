#include "nc/foreign_program.h"

#include <algorithm>


namespace nc {
namespace {

// How much of a line the hint quotes.
constexpr std::size_t kQuotedLength = 40;

bool IsLower(char c) { return c >= 'a' && c <= 'z'; }

// Calls visit(c) for every character from position `from` on that stands
// outside comments: "(" to the next ")" (or the line's end) and ";" to
// the line's end are comments, wherever they begin.
template <typename Text, typename Visit>
void ForEachOutsideComments(Text& line, std::size_t from, Visit&& visit) {
  bool inParentheses = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    auto& c = line[i];
    if (inParentheses) {
      inParentheses = c != ')';
    } else if (c == '(') {
      inParentheses = true;
    } else if (c == ';') {
      return;
    } else if (i >= from && !visit(c)) {
      return;
    }
  }
}

bool HasLowerCaseFrom(std::string_view line, std::size_t from) {
  bool found = false;
  ForEachOutsideComments(line, from, [&found](char c) {
    found = IsLower(c);
    return !found;
  });
  return found;
}

void UpperCaseFrom(std::string& line, std::size_t from) {
  ForEachOutsideComments(line, from, [](char& c) {
    if (IsLower(c)) c = static_cast<char>(c - 'a' + 'A');
    return true;
  });
}

}  // namespace

bool HasHeader(const data::ProgramText& program) { return program.Bytes().find('%') != std::string::npos; }

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
  const bool hasHeader =
      std::any_of(lines.begin(), lines.end(), [](const std::string& line) { return line.find('%') != std::string::npos; });
  ProgramPart part(hasHeader);
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
