// The stack machine that runs a compiled code list: an accumulator and a
// stack of at most 50 extended values.
#pragma once

#include "nc/expression/expression.h"
#include "nc/expression/code.h"

namespace nc {

// Runs code from its first node and stops at the first error; the value
// is the accumulator at the end (0 after an error).
Evaluation RunCode(const ExprCodeList& code) noexcept;

}  // namespace nc
