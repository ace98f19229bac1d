// EvaluateWord on typical words of a drawing run: parameter substitution,
// bracket conversion and the evaluator together.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_support.h"
#include "data/message_centre.h"
#include "nc/words/word.h"

namespace {


void EvaluateWords(benchmark::State& state, const std::string& word) {
  bench::SilentMessages silent;
  data::MessageCentre& messages = silent.messages;
  nc::ParamTable params;
  params.Set(5, 2.0L);
  for (auto _ : state) {
    long double v = nc::EvaluateWord(word, params, messages);
    benchmark::DoNotOptimize(v);
  }
}

void BM_WordWithParameterAndSine(benchmark::State& state) { EvaluateWords(state, "XR005*3+SIN[30]"); }
BENCHMARK(BM_WordWithParameterAndSine);

void BM_WordPlainCoordinate(benchmark::State& state) { EvaluateWords(state, "X123.456"); }
BENCHMARK(BM_WordPlainCoordinate);

}  // namespace
