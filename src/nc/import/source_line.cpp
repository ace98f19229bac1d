#include "nc/import/source_line.h"

#include <algorithm>
#include <array>

#include "data/text.h"

namespace nc::import {
namespace {

constexpr char kCtrlZ = '\x1A';

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

constexpr bool IsControl(char c) {
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
// Whether the bytes beyond ASCII all form UTF-8 sequences (and there are some).
bool IsUtf8BeyondAscii(std::string_view text) {
  bool multiByte = false;
  for (std::size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const std::size_t length = Utf8SequenceAt(text, i);
    if (length == 0) return false;
    multiByte = true;
    i += length;
  }
  return multiByte;
}

// Adds one comment's text: blanks trimmed, tabs as blanks, parentheses as
// brackets (the dialect's comment ends at the first ")"), UTF-8 as
// Windows-1252 (any other text is taken as Windows-1252 already).
void AddComment(std::string& folded, std::string_view text) {
  text = data::TrimmedView(text);
  if (text.empty()) return;
  if (!folded.empty()) folded += ' ';
  const std::size_t from = folded.size();
  if (IsUtf8BeyondAscii(text)) folded += data::Utf8ToCp1252(text);
  else folded += text;
  for (std::size_t i = from; i < folded.size(); ++i) {
    char& c = folded[i];
    if (c == '\t') c = ' ';
    if (c == '(') c = '[';
    if (c == ')') c = ']';
  }
}

// What a character of a line is to the reading, by its code.
enum class CharClass : std::uint8_t { kCode, kLower, kBlank, kOpen, kClose, kSemicolon, kControl };

constexpr std::array<CharClass, 256> MakeClasses() {
  std::array<CharClass, 256> classes{};
  for (int c = 0; c < 256; ++c) {
    const char ch = static_cast<char>(c);
    CharClass k = CharClass::kCode;
    if (IsControl(ch)) k = CharClass::kControl;
    if (IsBlank(ch)) k = CharClass::kBlank;
    if (c >= 'a' && c <= 'z') k = CharClass::kLower;
    if (c == '(') k = CharClass::kOpen;
    if (c == ')') k = CharClass::kClose;
    if (c == ';') k = CharClass::kSemicolon;
    classes[static_cast<std::size_t>(c)] = k;
  }
  return classes;
}

constexpr std::array<CharClass, 256> kClasses = MakeClasses();

CharClass ClassOf(char c) { return kClasses[static_cast<unsigned char>(c)]; }

const char* FirstControl(std::string_view text) {
  bool control = false;
  for (const char c : text) control |= IsControl(c);
  return control ? &*std::find_if(text.begin(), text.end(), IsControl) : nullptr;
}

std::string ControlReason(char c) {
  return "Steuerzeichen (Code " + std::to_string(static_cast<unsigned char>(c)) +
         ") in der Zeile: keine Textdatei eines NC-Programms";
}

}  // namespace

bool ReadSourceLine(std::string_view text, std::int32_t number, SourceLine& line, std::string& reason, bool comments) {
  // Cleared, not replaced: a line read again and again keeps its buffers.
  line.number = number;
  line.kind = SourceLineKind::kCode;
  line.blockDelete = false;
  line.code.clear();
  line.comment.clear();
  if (text.size() > kMaxSourceLine) {
    reason = "Zeile zu lang (" + std::to_string(text.size()) + " Zeichen, h\xF6" "chstens " +
             std::to_string(kMaxSourceLine) + ")";
    return false;
  }
  const auto control = [&reason](const char* c) {
    reason = ControlReason(*c);
    return false;
  };
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  if (i < text.size() && (text[i] == '%' || text[i] == '$')) {
    line.kind = text[i] == '%' ? SourceLineKind::kPercent : SourceLineKind::kSystem;
    const char* c = FirstControl(text);
    return c == nullptr || control(c);
  }
  if (i < text.size() && text[i] == '/') {
    line.blockDelete = true;
    ++i;
  }
  for (; i < text.size(); ++i) {
    const char c = text[i];
    switch (ClassOf(c)) {
      case CharClass::kCode:
        line.code.push_back(c);
        break;
      case CharClass::kLower:
        line.code.push_back(static_cast<char>(c - 'a' + 'A'));
        break;
      case CharClass::kBlank:
        break;
      case CharClass::kControl:
        return control(&text[i]);
      case CharClass::kClose:
        reason = "\")\" ohne \"(\"";
        return false;
      case CharClass::kSemicolon: {
        const std::string_view rest = text.substr(i + 1);
        if (const char* bad = FirstControl(rest)) return control(bad);
        if (comments) AddComment(line.comment, rest);
        return true;
      }
      case CharClass::kOpen: {
        const std::size_t close = text.find(')', i + 1);
        const std::string_view inside = text.substr(i + 1, close == std::string_view::npos ? close : close - i - 1);
        if (const char* bad = FirstControl(inside)) return control(bad);
        if (close == std::string_view::npos) {
          reason = "Kommentar \"(\" ohne \")\"";
          return false;
        }
        if (comments) AddComment(line.comment, inside);
        i = close;
        break;
      }
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
