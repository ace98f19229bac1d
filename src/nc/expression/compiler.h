// The recursive-descent compiler of the expression language. Grammar:
//   expression = [sign] term {("+" | "-") term}    left-associative
//   term       = factor [("*" | "/") term]         right-recursive
//   factor     = (number | PI) ["^" factor] | "(" expression ")"
//              | function "(" expression ")"
// A sign is thus accepted only at the start of an expression and a power
// only with a plain number or PI as its base.
#pragma once

#include <string_view>

#include "nc/expression/code.h"

namespace nc {

// Compiles text, which must end at a ";", into code. False on a syntax
// error; code is then incomplete.
bool CompileExpression(std::string_view text, ExprCodeList& code) noexcept;

}  // namespace nc
