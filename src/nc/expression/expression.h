// The arithmetic expression evaluator of NC words: a text pre-pass, a
// scanner, a recursive-descent compiler into a postfix code list and a
// stack machine, all in 80-bit extended precision. Errors are reported as
// codes, which are also the numbers of the messages the caller shows.
#pragma once

#include <string_view>

#include "data/message_numbers.h"

namespace nc {

struct Evaluation {
  long double value = 0.0L;  // not to be used when errorCode > 0
  int errorCode = 0;  // 0, or the number of the message (data::kMessageDivisionByZero ...)
};

// Evaluates a text of at most data::kMaxText characters (longer texts are
// cut). An empty text gives 0 without error. Allocates nothing on the heap.
Evaluation EvaluateExpression(std::string_view text);

}  // namespace nc
