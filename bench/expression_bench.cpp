// EvaluateExpression on the texts a drawing run hands it, word after word.
#include <benchmark/benchmark.h>

#include <string>

#include "nc/expression/expression.h"

namespace {

void EvaluateText(benchmark::State& state, const std::string& text) {
  for (auto _ : state) {
    nc::Evaluation e = nc::EvaluateExpression(text);
    benchmark::DoNotOptimize(e);
  }
}

// What the word evaluation makes of XR005*3+SIN[30].
void BM_ExpressionWordWithParameter(benchmark::State& state) {
  EvaluateText(state, "( 2.00000000000000E+0000)*3+SIN(30)");
}
BENCHMARK(BM_ExpressionWordWithParameter);

void BM_ExpressionPlainNumber(benchmark::State& state) { EvaluateText(state, "12.5"); }
BENCHMARK(BM_ExpressionPlainNumber);

void BM_ExpressionDivisionChain(benchmark::State& state) { EvaluateText(state, "12/4/3"); }
BENCHMARK(BM_ExpressionDivisionChain);

// About 200 characters of parameters, functions and nesting.
void BM_ExpressionLong(benchmark::State& state) {
  EvaluateText(state,
               "( 2.00000000000000E+0000)*SIN(( 3.00000000000000E+0001))+( 1.50000000000000E+0001)/"
               "COS(45)-SQRT(SQR(( 1.60000000000000E+0001)))/4/2+ATAN(( 1.00000000000000E+0000))*"
               "TRUNC(12.75)-ABS(( -7.50000000000000E-0001))+2^3^2/PI");
}
BENCHMARK(BM_ExpressionLong);

void BM_ExpressionSyntaxError(benchmark::State& state) { EvaluateText(state, "2*-3"); }
BENCHMARK(BM_ExpressionSyntaxError);

}  // namespace
