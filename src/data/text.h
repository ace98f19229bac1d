// Byte-string helpers for the system's texts: Windows-1252 bytes held in
// std::string, cut at the system's length limits, and converted to and from
// UTF-8 only at the edges (terminal, Qt).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace data {

// Longest text the system keeps; longer insertions are cut here.
inline constexpr std::size_t kMaxText = 255;

// Cuts a text to at most kMaxText bytes.
std::string CutText(std::string_view text);

// Upper-cases a to z only (umlauts and other bytes stay as they are).
std::string UpperAscii(std::string_view text);

// Removes leading and trailing blanks and control characters (codes 0..32).
std::string Trim(std::string_view text);
std::string_view TrimmedView(std::string_view text);
std::string TrimLeft(std::string_view text);

// Removes leading blanks (code 32 only).
std::string StripLeadingBlanks(std::string_view text);

// Converts Windows-1252 bytes to UTF-8; the five unassigned codes map to
// the C1 controls of the same value.
std::string Cp1252ToUtf8(std::string_view bytes);

// Converts UTF-8 to Windows-1252; characters without a Windows-1252 code
// and malformed sequences become '?'.
std::string Utf8ToCp1252(std::string_view utf8);

// Unicode code point of a Windows-1252 byte, and the byte of a code point
// (-1 when it has none).
char32_t Cp1252ToUnicode(unsigned char byte);
int UnicodeToCp1252(char32_t codePoint);

}  // namespace data
