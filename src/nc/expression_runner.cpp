#include "nc/expression_runner.h"

#include <cmath>
#include <cstddef>

#include "nc/expression_math.h"

namespace nc {
namespace {

// The counter starts at 1 and is checked after every node.
constexpr int kStackLimit = 50;

class Machine {
 public:
  // Carries out one node; returns its error code (0 = none).
  int Step(const CodeNode& node) noexcept {
    switch (node.operation) {
      case Token::kConst:
        Push(accumulator_);
        accumulator_ = node.constant;
        return 0;
      case Token::kNeg:
        accumulator_ = -accumulator_;
        return 0;
      case Token::kPlus:
        accumulator_ = Pop() + accumulator_;
        return 0;
      case Token::kMinus:
        accumulator_ = Pop() - accumulator_;
        return 0;
      case Token::kTimes:
        accumulator_ = Pop() * accumulator_;
        return 0;
      case Token::kDivide:
        return Take(Divide(Pop(), accumulator_));
      case Token::kPower:
        return Take(Power(Pop(), accumulator_));
      default:
        return ApplyFunction(node.operation);
    }
  }

  bool StackOverflowed() const noexcept { return counter_ > kStackLimit; }
  long double accumulator() const noexcept { return accumulator_; }

 private:
  int ApplyFunction(Token function) noexcept {
    const long double a = accumulator_;
    switch (function) {
      case Token::kSqr: return Take({a * a, 0});
      case Token::kSqrt: return Take(SquareRoot(a));
      case Token::kExp: return Take({std::exp(a), 0});
      case Token::kSin: return Take({Sine(a), 0});
      case Token::kCos: return Take({Cosine(a), 0});
      case Token::kTan: return Take(Tangent(a));
      case Token::kCot: return Take(Cotangent(a));
      case Token::kAsin: return Take(ArcSine(a));
      case Token::kAcos: return Take(ArcCosine(a));
      case Token::kAtan: return Take({ArcTangent(a), 0});
      case Token::kAbs: return Take({std::fabs(a), 0});
      case Token::kLn: return Take(NaturalLog(a));
      case Token::kTrunc: return Take({Truncate(a), 0});
      default: return kExprUnknownOperation;
    }
  }

  int Take(const Outcome& outcome) noexcept {
    accumulator_ = outcome.value;
    return outcome.errorCode;
  }

  // A compiled list pushes before it pops and stops at the limit, so the
  // counter stays within 1..kStackLimit + 1.
  void Push(long double value) noexcept { stack_[counter_++] = value; }
  long double Pop() noexcept { return stack_[--counter_]; }

  long double accumulator_ = 0.0L;
  long double stack_[kStackLimit + 1];  // slot 0 unused, as the counter starts at 1
  int counter_ = 1;
};

}  // namespace

Evaluation RunCode(const CodeList& code) noexcept {
  Machine machine;
  for (std::size_t i = 0; i < code.size(); ++i) {
    const int error = machine.Step(code[i]);
    if (error != 0) return {0.0L, error};
    if (machine.StackOverflowed()) return {0.0L, kExprStackOverflow};
  }
  return {machine.accumulator(), 0};
}

}  // namespace nc
