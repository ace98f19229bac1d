// The fuzz targets: one entry point per unit under test, each taking the
// raw input bytes and returning 0. The libFuzzer executables and the corpus
// replay of the test suite call these same functions, found by name.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace fuzz {

int FuzzExpression(const std::uint8_t* data, std::size_t size);
int FuzzWord(const std::uint8_t* data, std::size_t size);
int FuzzTranslation(const std::uint8_t* data, std::size_t size);
int FuzzPreparation(const std::uint8_t* data, std::size_t size);
int FuzzSettings(const std::uint8_t* data, std::size_t size);
int FuzzToolTable(const std::uint8_t* data, std::size_t size);
int FuzzZeroPoints(const std::uint8_t* data, std::size_t size);
int FuzzCompensation(const std::uint8_t* data, std::size_t size);
int FuzzConversion(const std::uint8_t* data, std::size_t size);
int FuzzHandshake(const std::uint8_t* data, std::size_t size);
int FuzzDrawing(const std::uint8_t* data, std::size_t size);
int FuzzImport(const std::uint8_t* data, std::size_t size);

using EntryPoint = int (*)(const std::uint8_t* data, std::size_t size);

struct Target {
  std::string_view name;  // also the folder of its corpus: fuzz/corpus/NAME
  EntryPoint run;
};

std::span<const Target> AllTargets();

// The target of that name, or nullptr.
const Target* FindTarget(std::string_view name);

}  // namespace fuzz
