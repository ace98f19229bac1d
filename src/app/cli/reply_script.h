// The reply script of the simulated controller: which bytes it answers the
// valid frames with, in turn, and where it pauses before sending a byte on
// its own (the release after "memory full").
//
//   SCRIPT := ITEM { "," ITEM }    ITEM := BYTE | "/" | "/" MS
//
// A BYTE (0..255) answers the next valid frame. A pause ("/" is 300 ms,
// "/MS" MS milliseconds, up to 60000) waits and then sends the following
// BYTE at once, without waiting for another frame; so a script starts with
// a byte and never ends with a pause. Once the script is used up, every
// further frame is answered 6.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

inline constexpr int kDefaultPauseMs = 300;
inline constexpr int kLongestPauseMs = 60000;
inline constexpr std::uint8_t kConfirmation = 6;

// One byte of an answer, sent after pauseMs milliseconds.
struct ReplyStep {
  int pauseMs = 0;
  std::uint8_t byte = kConfirmation;
  bool operator==(const ReplyStep&) const = default;
};

// The whole answer to one frame: its first step has no pause.
using ReplyAnswer = std::vector<ReplyStep>;

class ReplyScript {
 public:
  // The script answering every frame with 6.
  ReplyScript() = default;
  // Nothing and a reason (English, for the usage error) when text does not
  // follow the grammar. An empty text is the default script.
  static std::optional<ReplyScript> Parse(std::string_view text, std::string& error);

  // The answer to the next valid frame.
  ReplyAnswer NextAnswer();

  const std::vector<ReplyAnswer>& answers() const { return answers_; }

 private:
  std::vector<ReplyAnswer> answers_;
  std::size_t next_ = 0;
};

}  // namespace cli
