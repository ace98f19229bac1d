#include "nc/import/source_line.h"

#include "data/text.h"

namespace nc::import {
namespace {

constexpr char kCtrlZ = '\x1A';

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsControl(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u < 0x20 && c != '\t') || u == 0x7F;
}

// Length of the UTF-8 sequence starting at text[i] (0 when it is none).
std::size_t Utf8SequenceAt(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t length = 0;
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  else if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  if (length == 0 || i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
  }
  return length;
}

// CAM software writes its comments in UTF-8; the program is Windows-1252.
// A comment whose bytes beyond ASCII all form UTF-8 sequences is converted;
// any other is taken as Windows-1252 already.
std::string CommentBytes(std::string_view text) {
  bool multiByte = false;
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = Utf8SequenceAt(text, i);
    if (length == 0) return std::string(text);
    multiByte = true;
    i += length;
  }
  return multiByte ? data::Utf8ToCp1252(text) : std::string(text);
}

// Adds one comment's text: blanks trimmed, tabs as blanks, parentheses as
// brackets (the dialect's comment ends at the first ")").
void AddComment(std::string& folded, std::string_view text) {
  std::string cleaned = CommentBytes(data::TrimmedView(text));
  for (char& c : cleaned) {
    if (c == '\t') c = ' ';
    if (c == '(') c = '[';
    if (c == ')') c = ']';
  }
  if (cleaned.empty()) return;
  if (!folded.empty()) folded += ' ';
  folded += cleaned;
}

std::string ControlReason(char c) {
  return "Steuerzeichen (Code " + std::to_string(static_cast<unsigned char>(c)) +
         ") in der Zeile: keine Textdatei eines NC-Programms";
}

}  // namespace

bool ReadSourceLine(std::string_view text, std::int32_t number, SourceLine& line, std::string& reason) {
  line = SourceLine{};
  line.number = number;
  if (text.size() > kMaxSourceLine) {
    reason = "Zeile zu lang (" + std::to_string(text.size()) + " Zeichen, h\xF6" "chstens " +
             std::to_string(kMaxSourceLine) + ")";
    return false;
  }
  for (char c : text) {
    if (IsControl(c)) {
      reason = ControlReason(c);
      return false;
    }
  }
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i < text.size() && text[i] == '%') {
    line.kind = SourceLineKind::kPercent;
    return true;
  }
  if (i < text.size() && text[i] == '$') {
    line.kind = SourceLineKind::kSystem;
    return true;
  }
  if (i < text.size() && text[i] == '/') {
    line.blockDelete = true;
    ++i;
  }
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '(') {
      const std::size_t close = text.find(')', i + 1);
      if (close == std::string_view::npos) {
        reason = "Kommentar \"(\" ohne \")\"";
        return false;
      }
      AddComment(line.comment, text.substr(i + 1, close - i - 1));
      i = close;
    } else if (c == ';') {
      AddComment(line.comment, text.substr(i + 1));
      break;
    } else if (c == ')') {
      reason = "\")\" ohne \"(\"";
      return false;
    } else if (!IsBlank(c)) {
      line.code += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
  }
  return true;
}

std::vector<std::string_view> SplitSourceLines(std::string_view text) {
  if (!text.empty() && text.back() == kCtrlZ) text.remove_suffix(1);
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

}  // namespace nc::import
