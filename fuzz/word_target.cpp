// The value of one NC word against a parameter table holding every kind of
// value: the word's text for the evaluator stays within the text limit, and
// an evaluator error is shown as exactly one message that sets the flag.
#include <string_view>

#include "data/text.h"
#include "fuzz_host.h"
#include "fuzz_targets.h"
#include "nc/words/word.h"

namespace fuzz {

int FuzzWord(const std::uint8_t* data, std::size_t size) {
  const std::string_view word(reinterpret_cast<const char*>(data), size);
  nc::BoundedText text;
  nc::WordExpression(word, FuzzParams(), text);
  Require(text.size() <= data::kMaxText, "the word's text stays within the text limit");

  MessageBench bench;
  const nc::Evaluation result = nc::EvaluateWordResult(word, FuzzParams(), bench.messages);
  const bool failed = result.errorCode > 0;
  Require(bench.dialogs.shown == (failed ? 1 : 0), "an error shows one message, a value none");
  Require(bench.messages.errorFlag() == failed, "the error flag follows the message");
  const long double value = nc::EvaluateWord(word, FuzzParams(), bench.messages);
  Require(failed || SameValue(value, result.value), "the same word evaluates the same");
  return 0;
}

}  // namespace fuzz
