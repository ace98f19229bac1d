// The libFuzzer harness of one target: RUR_FUZZ_TARGET (set by the build)
// names the entry point, which the test suite's corpus replay calls too.
#include <cstddef>
#include <cstdint>

#include "fuzz_targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::EntryPoint run = fuzz::FindTarget(RUR_FUZZ_TARGET)->run;
  return run(data, size);
}
