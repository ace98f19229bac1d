#include "nc/expression/runner.h"

#include <cmath>
#include <cstddef>

#include "data/message_numbers.h"
#include "nc/expression/math.h"

namespace nc {
namespace {

// The counter starts at 1 and is checked after every node.
constexpr int kStackLimit = 50;

class Machine {
 public:
  // Carries out one node; returns its error code (0 = none).
  int Step(const ExprCodeNode& node) noexcept {
    switch (node.operation) {
      case ExprToken::kConst:
        Push(accumulator_);
        accumulator_ = node.constant;
        return 0;
      case ExprToken::kNeg:
        accumulator_ = -accumulator_;
        return 0;
      case ExprToken::kPlus:
        accumulator_ = Pop() + accumulator_;
        return 0;
      case ExprToken::kMinus:
        accumulator_ = Pop() - accumulator_;
        return 0;
      case ExprToken::kTimes:
        accumulator_ = Pop() * accumulator_;
        return 0;
      case ExprToken::kDivide:
        return Take(Divide(Pop(), accumulator_));
      case ExprToken::kPower:
        return Take(Power(Pop(), accumulator_));
      default:
        return ApplyFunction(node.operation);
    }
  }

  bool StackOverflowed() const noexcept { return counter_ > kStackLimit; }
  long double accumulator() const noexcept { return accumulator_; }

 private:
  int ApplyFunction(ExprToken function) noexcept {
    const long double a = accumulator_;
    switch (function) {
      case ExprToken::kSqr: return Take({a * a, 0});
      case ExprToken::kSqrt: return Take(SquareRoot(a));
      case ExprToken::kExp: return Take({std::exp(a), 0});
      case ExprToken::kSin: return Take({Sine(a), 0});
      case ExprToken::kCos: return Take({Cosine(a), 0});
      case ExprToken::kTan: return Take(Tangent(a));
      case ExprToken::kCot: return Take(Cotangent(a));
      case ExprToken::kAsin: return Take(ArcSine(a));
      case ExprToken::kAcos: return Take(ArcCosine(a));
      case ExprToken::kAtan: return Take({ArcTangent(a), 0});
      case ExprToken::kAbs: return Take({std::fabs(a), 0});
      case ExprToken::kLn: return Take(NaturalLog(a));
      case ExprToken::kTrunc: return Take({Truncate(a), 0});
      default: return data::kMessageUnknownOperation;
    }
  }

  int Take(const ExprOutcome& outcome) noexcept {
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

Evaluation RunCode(const ExprCodeList& code) noexcept {
  Machine machine;
  for (std::size_t i = 0; i < code.size(); ++i) {
    const int error = machine.Step(code[i]);
    if (error != 0) return {0.0L, error};
    if (machine.StackOverflowed()) return {0.0L, data::kMessageStackOverflow};
  }
  return {machine.accumulator(), 0};
}

}  // namespace nc
