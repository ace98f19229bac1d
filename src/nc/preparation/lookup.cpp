#include "nc/preparation/preparation.h"

#include <algorithm>

#include "data/message_numbers.h"
#include "nc/lexical/characters.h"

namespace nc {
namespace {

// The run of digits and "P" letters after the "P" at index at.
std::string_view RepeatText(std::string_view block, std::size_t at) {
  std::size_t end = at + 1;
  while (end < block.size() && (IsDigit(block[end]) || block[end] == 'P')) ++end;
  return block.substr(at + 1, end - at - 1);
}

}  // namespace

std::string StripBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c != ' ') out += c;
  }
  return out;
}

bool FindSubprogram(std::string_view block, int level, char letter, const data::SubprogramTable& table,
                    SubprogramSlots& slots) {
  if (level < 0 || static_cast<std::size_t>(level) >= slots.size()) return false;
  const std::size_t at = block.find(letter);
  if (at == std::string_view::npos) return false;
  const std::string_view digits = DigitsAt(block, at + 1);
  const std::int32_t last = std::min(table.count, data::kSubprogramEntries - 1);
  for (std::int32_t k = 1; k <= last; ++k) {
    if (table.entries[static_cast<std::size_t>(k)].name == digits) {
      slots[static_cast<std::size_t>(level)] = static_cast<std::uint8_t>(k);
      return true;
    }
  }
  return false;
}

bool ReadRepeatCount(std::int32_t& count, std::string_view block, data::MessageCentre& messages) {
  const std::size_t at = block.find('P');
  if (at == std::string_view::npos) return true;
  const std::string_view text = RepeatText(block, at);
  if (text.empty() || DigitsAt(text, 0).size() != text.size()) {
    messages.ShowMessageByNumber(data::kMessageRepeatCountNotANumber, " ");
    return false;
  }
  // Any number of digits is a number; leading zeros aside, more than two
  // digits lie above 99, so a long run is never converted (no overflow).
  const std::size_t significant = text.find_first_not_of('0');
  const std::string_view value = significant == std::string_view::npos ? "0" : text.substr(significant);
  if (value.size() > 2) {
    messages.ShowMessageByNumber(data::kMessageRepeatCountRange, " ");
    return false;
  }
  std::int32_t number = 0;
  for (const char digit : value) number = number * 10 + (digit - '0');
  count = number;
  return true;
}

}  // namespace nc
