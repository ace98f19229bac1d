#include "cli/reply_script.h"

#include <charconv>

namespace cli {
namespace {

// A whole decimal number of digits only, at most `limit`.
std::optional<int> Number(std::string_view digits, int limit) {
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
  int value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size() || value > limit) return std::nullopt;
  return value;
}

std::string_view Trimmed(std::string_view item) {
  const auto first = item.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return item.substr(first, item.find_last_not_of(' ') - first + 1);
}

std::vector<std::string_view> Items(std::string_view text) {
  std::vector<std::string_view> items;
  for (;;) {
    const auto comma = text.find(',');
    items.push_back(Trimmed(text.substr(0, comma)));
    if (comma == std::string_view::npos) return items;
    text.remove_prefix(comma + 1);
  }
}

}  // namespace

std::optional<ReplyScript> ReplyScript::Parse(std::string_view text, std::string& error) {
  ReplyScript script;
  if (Trimmed(text).empty()) return script;
  int pause = 0;
  bool pausing = false;
  for (const std::string_view item : Items(text)) {
    if (!item.empty() && item.front() == '/') {
      const std::string_view ms = item.substr(1);
      const std::optional<int> length = ms.empty() ? std::optional<int>(kDefaultPauseMs) : Number(ms, kLongestPauseMs);
      if (!length) {
        error = "reply script: a pause is / or /MS with MS from 0 to 60000, not " + std::string(item);
        return std::nullopt;
      }
      if (script.answers_.empty()) {
        error = "reply script: it starts with a reply byte, not a pause";
        return std::nullopt;
      }
      pause += *length;
      pausing = true;
      continue;
    }
    const std::optional<int> byte = Number(item, 255);
    if (!byte) {
      error = "reply script: an item is a byte from 0 to 255 or a pause, not \"" + std::string(item) + "\"";
      return std::nullopt;
    }
    const ReplyStep step{pause, static_cast<std::uint8_t>(*byte)};
    if (pausing) {
      script.answers_.back().push_back(step);
    } else {
      script.answers_.push_back({step});
    }
    pause = 0;
    pausing = false;
  }
  if (pausing) {
    error = "reply script: a pause must be followed by the byte it sends";
    return std::nullopt;
  }
  return script;
}

ReplyAnswer ReplyScript::NextAnswer() {
  if (next_ < answers_.size()) return answers_[next_++];
  return {ReplyStep{0, kConfirmation}};
}

}  // namespace cli
