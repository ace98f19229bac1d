// EvaluateWord on typical words of a drawing run: parameter substitution,
// bracket conversion and the evaluator together.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_support.h"
#include "data/message_centre.h"
#include "nc/word.h"

namespace {

using bench::NoDialogs;

void EvaluateWords(benchmark::State& state, const std::string& word) {
  NoDialogs dialogs;
  const std::string directory;
  data::WorkListing listing;
  data::SubprogramTable table;
  data::MessageCentre messages(dialogs, directory, listing, table);
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
