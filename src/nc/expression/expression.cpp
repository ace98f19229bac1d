#include "nc/expression/expression.h"

#include "nc/lexical/bounded_text.h"
#include "nc/expression/code.h"
#include "nc/expression/compiler.h"
#include "nc/expression/prepass.h"
#include "nc/expression/runner.h"

namespace nc {

Evaluation EvaluateExpression(std::string_view text) {
  BoundedText expression(text);
  RunPrepass(expression);
  // The end mark is lost when the text is full, which fails the compiler.
  expression.Append(';');
  if (expression.view() == ";") return {};
  ExprCodeList code;
  if (!CompileExpression(expression.view(), code)) return {0.0L, data::kMessageExpressionSyntax};
  return RunCode(code);
}

}  // namespace nc
