// The value of one NC word: its address letter first, then a number or an
// expression with parameter references ("R" and three digits) and
// functions in square brackets.
#pragma once

#include <string>
#include <string_view>

#include "data/message_centre.h"
#include "nc/lexical/bounded_text.h"
#include "nc/expression/expression.h"
#include "nc/words/param_table.h"

namespace nc {

// Width of a parameter value written into an expression.
inline constexpr std::size_t kParamTextWidth = 23;

// Writes value as sign or blank, one digit, ".", 14 digits, "E", sign and
// four exponent digits (23 characters); false for a value that is not finite.
bool FormatParamValue(long double value, char (&out)[kParamTextWidth + 1]);

// Appends to out the word's text as the evaluator receives it (which reads
// at most data::kMaxText characters): blanks removed, the letter and a
// first "=" deleted, parameters substituted, brackets turned into
// parentheses; what does not fit is dropped. Nothing for a word that is its
// letter alone. Allocates nothing.
void WordExpression(std::string_view word, const ParamTable& params, BoundedText& out);

// Evaluates the word; an evaluator error is shown as the message of its
// number (which sets the error flag) and the value is then not to be used.
Evaluation EvaluateWordResult(std::string_view word, const ParamTable& params, data::MessageCentre& messages);
long double EvaluateWord(std::string_view word, const ParamTable& params, data::MessageCentre& messages);

}  // namespace nc
