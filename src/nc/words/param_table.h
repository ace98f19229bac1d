// The arithmetic parameters: 256 extended values with set flags. Parameter
// n of the internal dialect ("R" and three digits) is entry n. Reset at the
// start of every drawing run; no block assigns them.
#pragma once

#include <array>
#include <cstdint>

namespace nc {

inline constexpr int kParamCount = 256;

struct ParamTable {
  std::array<long double, kParamCount> values{};
  std::array<std::uint8_t, kParamCount> set{};

  void Set(int n, long double value) {
    values[static_cast<std::size_t>(n)] = value;
    set[static_cast<std::size_t>(n)] = 1;
  }
};

}  // namespace nc
