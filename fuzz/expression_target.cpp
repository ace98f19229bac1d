// The expression evaluator on any text: it ends with a value or one of its
// error codes, reads no more than the text limit, and gives the same
// result every time.
#include <string_view>

#include "data/text.h"
#include "fuzz_host.h"
#include "fuzz_targets.h"
#include "nc/expression/expression.h"

namespace fuzz {
namespace {

bool KnownCode(int code) {
  return code == 0 || (code >= data::kMessageDivisionByZero && code <= data::kMessageStackOverflow) ||
         code == data::kMessageLnRange;
}

bool SameEvaluation(const nc::Evaluation& a, const nc::Evaluation& b) {
  return a.errorCode == b.errorCode && (a.errorCode != 0 || SameValue(a.value, b.value));
}

}  // namespace

int FuzzExpression(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const nc::Evaluation result = nc::EvaluateExpression(text);
  Require(KnownCode(result.errorCode), "the evaluator gives one of its error codes");
  Require(SameEvaluation(result, nc::EvaluateExpression(text)), "the same text evaluates the same");
  if (text.size() > data::kMaxText) {
    Require(SameEvaluation(result, nc::EvaluateExpression(text.substr(0, data::kMaxText))),
            "only the first 255 characters count");
  }
  return 0;
}

}  // namespace fuzz
