#include "nc/expression/compiler.h"

#include <numbers>

#include "nc/expression/scanner.h"

namespace nc {
namespace {

bool IsSign(ExprToken t) noexcept { return t == ExprToken::kPlus || t == ExprToken::kMinus; }

// Each rule reads from the current token on and returns false at the first
// syntax error; nothing after it matters, as every syntax error is the same.
class Compiler {
 public:
  Compiler(std::string_view text, ExprCodeList& code) noexcept : scanner_(text), code_(code) {}

  bool Program() noexcept {
    scanner_.Next();
    return Expression() && scanner_.token() == ExprToken::kEnd && !code_.overflowed();
  }

 private:
  enum class Role { kOperand, kArgument };

  bool Expression() noexcept {
    if (!SignedTerm()) return false;
    while (IsSign(scanner_.token())) {
      const ExprToken op = scanner_.token();
      scanner_.Next();
      if (!Term()) return false;
      code_.Emit(op);
    }
    return true;
  }

  // The first term of an expression, which alone may carry a sign; the
  // sign applies to the whole term.
  bool SignedTerm() noexcept {
    const ExprToken sign = scanner_.token();
    if (!IsSign(sign)) return Term();
    scanner_.Next();
    if (!Term()) return false;
    if (sign == ExprToken::kMinus) code_.Emit(ExprToken::kNeg);
    return true;
  }

  bool Term() noexcept {
    if (!Factor(Role::kOperand)) return false;
    const ExprToken op = scanner_.token();
    if (op != ExprToken::kTimes && op != ExprToken::kDivide) return true;
    scanner_.Next();
    if (!Term()) return false;
    code_.Emit(op);
    return true;
  }

  bool Factor(Role role) noexcept {
    if (!Primary()) return false;
    return role == Role::kArgument || Power();
  }

  bool Primary() noexcept {
    switch (scanner_.token()) {
      case ExprToken::kConst:
        code_.EmitConstant(scanner_.number());
        scanner_.Next();
        return true;
      case ExprToken::kPi:
        code_.EmitConstant(std::numbers::pi_v<long double>);
        scanner_.Next();
        return true;
      case ExprToken::kOpen:
        return Parenthesised();
      default:
        return IsFunction(scanner_.token()) && Function();
    }
  }

  bool Parenthesised() noexcept {
    scanner_.Next();
    if (!Expression() || scanner_.token() != ExprToken::kClose) return false;
    scanner_.Next();
    return true;
  }

  bool Function() noexcept {
    const ExprToken function = scanner_.token();
    scanner_.Next();
    if (scanner_.token() != ExprToken::kOpen || !Factor(Role::kArgument)) return false;
    code_.Emit(function);
    return true;
  }

  // "^" after a factor: accepted only right after a number or PI.
  bool Power() noexcept {
    if (scanner_.token() != ExprToken::kPower) return true;
    if (scanner_.previous() != ExprToken::kConst && scanner_.previous() != ExprToken::kPi) return false;
    scanner_.Next();
    if (!Factor(Role::kOperand)) return false;
    code_.Emit(ExprToken::kPower);
    return true;
  }

  ExpressionScanner scanner_;
  ExprCodeList& code_;
};

}  // namespace

bool CompileExpression(std::string_view text, ExprCodeList& code) noexcept {
  return Compiler(text, code).Program();
}

}  // namespace nc
