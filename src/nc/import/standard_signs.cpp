#include "nc/import/standard_signs.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "nc/lexical/address_words.h"
#include "nc/lexical/characters.h"
#include "nc/lexical/comments.h"
#include "nc/import/foreign_program.h"

namespace nc {
namespace {

// A sign's place in its line, so that the leftmost one wins.
struct Found {
  std::size_t position = std::string_view::npos;
  std::string text;
  bool Empty() const { return position == std::string_view::npos; }
};

// What one line holds outside its comments.
struct LineScan {
  std::vector<AddressWord> words;
  Found character;      // the leftmost ";" comment, "#", "$" or lower case
  bool hasCode = false;  // anything but blanks and comments
};

constexpr bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::size_t SkipBlanks(std::string_view line, std::size_t i) {
  while (i < line.size() && IsBlank(line[i])) ++i;
  return i;
}

// The G numbers the dialect knows; every other one is another control's.
bool IsDialectG(int n) {
  return n <= 4 || (n >= 17 && n <= 19) || (n >= 40 && n <= 42) || (n >= 51 && n <= 59) || n == 66 || n == 74 ||
         n == 77 || n == 79 || n == 90 || n == 91;
}

// The text of a lower-case word: the letter and what follows up to a blank.
std::string Quoted(std::string_view line, std::size_t start) {
  std::size_t end = start + 1;
  while (end < line.size() && end - start < 12 && !IsBlank(line[end]) && line[end] != '(' && line[end] != ';') ++end;
  return "\"" + std::string(line.substr(start, end - start)) + "\"";
}

void Note(Found& found, std::size_t position, std::string text) {
  if (!found.Empty()) return;
  found.position = position;
  found.text = std::move(text);
}

// Splits a line (from the character `from` on) into its words and finds
// the character signs outside "( )" comments.
LineScan ScanLine(std::string_view line, std::size_t from) {
  LineScan scan;
  std::size_t i = SkipBlanks(line, from);
  if (i < line.size() && line[i] == '/') ++i;  // block skip
  while (i < line.size()) {
    const char c = line[i];
    const ForeignComment comment = ForeignCommentAt(line, i);
    if (comment == ForeignComment::kParentheses) {
      const std::size_t close = ParenthesesCommentClose(line, i + 1);
      i = close == std::string_view::npos ? line.size() : close + 1;
    } else if (comment == ForeignComment::kSemicolon) {
      Note(scan.character, i, "\";\" (Kommentar)");
      scan.hasCode = true;  // the dialect reads it as words
      break;
    } else if (StartsAddressWord(line, i, kConditionOperators) || c == 'u' || c == 'v' || c == 'w') {
      scan.words.push_back(ReadAddressWord(line, i));
      scan.hasCode = true;
      i = scan.words.back().end;
    } else {
      if (c == '#') Note(scan.character, i, "\"#\" (Parameter)");
      if (c == '$') Note(scan.character, i, "\"$\" (Systemzeile)");
      if (IsLower(c)) Note(scan.character, i, Quoted(line, i) + " (Kleinbuchstaben)");
      scan.hasCode = scan.hasCode || !IsBlank(c);
      ++i;
    }
  }
  return scan;
}

// What a G number of another control is.
const char* GMeaning(int n) {
  switch (n) {
    case 20: return "Zoll";
    case 21: return "Millimeter";
    case 10: return "Daten setzen";
    case 28: case 30: return "Referenzpunkt";
    case 43: case 49: return "Werkzeugl\xE4ngenkorrektur";
    case 61: case 64: return "Bahnverhalten";
    case 73: case 80: case 81: case 82: case 83: case 84: case 85: case 86: case 87: case 88: case 89:
      return "Bohrzyklus";
    case 92: return "Koordinaten setzen";
    case 93: case 94: case 95: return "Vorschubart";
    case 98: case 99: return "R\xFC" "ckzug im Bohrzyklus";
    default: return "in diesem Dialekt unbekannt";
  }
}

// The sign a word is in its line, if any.
std::string WordSign(std::string_view line, const AddressWord& w, const LineScan& scan) {
  const auto has = [&scan](char letter, int number) {
    return std::any_of(scan.words.begin(), scan.words.end(), [&](const AddressWord& o) {
      return o.letter == letter && (number < 0 || (o.hasNumber && !o.decimal && o.number == number));
    });
  };
  const std::string text(line.substr(w.start, std::min<std::size_t>(w.end - w.start, 16)));
  switch (w.letter) {
    case 'G':
      if (!w.hasNumber) return {};
      if (w.decimal) {
        const bool centreMode = w.number == 90 || w.number == 91;
        return text + (centreMode ? " (Kreismittelpunkt absolut/inkremental)" : " (G-Wort mit Nachkommastellen)");
      }
      if (w.number == 53 && (has('G', 0) || has('G', 1))) return text + " (Maschinenkoordinaten im Verfahrsatz)";
      if (!IsDialectG(w.number)) return text + " (" + GMeaning(w.number) + ")";
      return {};
    case 'M':
      return w.hasNumber && !w.decimal && w.number == 6 && !has('T', -1) ? text + " (Werkzeugwechsel ohne T)" : "";
    case 'H': return has('G', 77) ? "" : text + " (H-Wort ohne G77)";
    case 'P': return has('G', 77) ? "" : text + " (P-Wort ohne G77)";
    case 'Q': return text + " (Q-Wort)";
    case 'O': return text + " (Programmnummer oder Unterprogramm)";
    default: return {};
  }
}

// The leftmost sign of a line, given its scan.
Found LineSign(std::string_view line, const LineScan& scan) {
  Found found;
  for (const AddressWord& w : scan.words) {
    if (w.start > scan.character.position) break;
    std::string text = WordSign(line, w, scan);
    if (!text.empty()) {
      Note(found, w.start, std::move(text));
      break;
    }
  }
  return found.Empty() ? scan.character : found;
}

}  // namespace

std::optional<StandardSign> FirstStandardSign(const data::ProgramText& program) {
  const std::int32_t header = HeaderLine(program);
  std::optional<StandardSign> sign;
  std::int32_t firstBlock = 0;
  std::int32_t number = 0;
  program.ForEachLine([&](std::string_view line) {
    ++number;
    if ((sign && firstBlock != 0) || number <= header) return;  // done, not read, or the header line
    const std::size_t start = SkipBlanks(line, 0);
    if (start < line.size() && line[start] == '%') {
      if (!sign) sign = StandardSign{number, "\"%\" (Lochstreifenmarke)"};
      return;
    }
    const LineScan scan = ScanLine(line, start);
    if (!sign) {
      const Found found = LineSign(line, scan);
      if (!found.Empty()) sign = StandardSign{number, found.text};
    }
    if (firstBlock == 0 && scan.hasCode) firstBlock = number;
  });
  // A program without blocks is a new one, whatever stands in it; a missing
  // header says least of all and is named when nothing else is.
  if (firstBlock == 0) return std::nullopt;
  if (!sign && header == 0) {
    sign = StandardSign{firstBlock, "kein Programmkopf \"%\" vor dem ersten Satz"};
  }
  return sign;
}

std::string DescribeStandardSign(const StandardSign& sign) {
  return "Zeile " + std::to_string(sign.line) + ": " + sign.text;
}

}  // namespace nc
