// TranslateBlock on typical blocks of a drawing run: plain moves, which take
// the cheap path, a subprogram call and a conditional jump.
#include <benchmark/benchmark.h>

#include <string>

#include "bench_support.h"
#include "data/message_centre.h"
#include "nc/translation/translation.h"

namespace {


void TranslateBlocks(benchmark::State& state, const std::string& source) {
  bench::SilentMessages silent;
  data::MessageCentre& messages = silent.messages;
  nc::ParamTable params;
  params.Set(1, 7.0L);
  nc::MirrorFactors mirror;
  std::string block;
  block.reserve(256);
  for (auto _ : state) {
    block = source;  // the driver hands over a fresh copy of the line
    bool ok = nc::TranslateBlock(block, mirror, params, messages);
    benchmark::DoNotOptimize(ok);
    benchmark::DoNotOptimize(block.data());
  }
}

void BM_TranslateLinearMove(benchmark::State& state) { TranslateBlocks(state, "N10 G01 X123.456 Y78.9 F500"); }
BENCHMARK(BM_TranslateLinearMove);

void BM_TranslateArc(benchmark::State& state) { TranslateBlocks(state, "N20 G02 X50 Y20 I10 J0"); }
BENCHMARK(BM_TranslateArc);

void BM_TranslateCall(benchmark::State& state) { TranslateBlocks(state, "N30 G77 H12 S3"); }
BENCHMARK(BM_TranslateCall);

void BM_TranslateConditionalJump(benchmark::State& state) { TranslateBlocks(state, "N40 G79 L1>5 N20"); }
BENCHMARK(BM_TranslateConditionalJump);

void BM_TranslateFunctionsAndParameters(benchmark::State& state) {
  TranslateBlocks(state, "N50 G01 X=S30*L5 Y=C30 Z-L102 M6 T1");
}
BENCHMARK(BM_TranslateFunctionsAndParameters);

}  // namespace
