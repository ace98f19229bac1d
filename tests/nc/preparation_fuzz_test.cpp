// Random program and subprogram files through the preparation: whatever
// the files hold, it must stay within its buffers (the suite runs under
// AddressSanitizer and UBSan), end, keep every listing line within 255
// characters and every table entry inside the table and the listing.
#include "nc/preparation.h"

#include <array>
#include <random>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "preparation_fixture.h"

namespace {

class FileMaker {
 public:
  explicit FileMaker(unsigned seed) : random_(seed) {}

  // NC-like text (headers, calls, parameter words, comments, block skip,
  // program ends, over-long runs) or arbitrary bytes; often behind a
  // matching header, so that loads go on to their calls.
  std::string File(std::string_view header) {
    if (Pick(4) == 0) return Bytes();
    return (Pick(2) == 0 ? std::string(header) + "\n" : std::string()) + Soup();
  }

 private:
  // Every other text keeps to the fragments before the stray "H"s and
  // over-long numbers, which end most preparations early.
  std::string Soup() {
    static constexpr std::array<std::string_view, 34> kFragments = {
        "%", "%1", "%02", "%3 ", "\n", "\r\n", "\r", " ", "  ", "N10", "G01", "X1.5", "L", "L5=3",
        "L1>5", "G79", "(", ")", "/", "M30", "M02", "P", "7", "\nG77 H1\n", "\nG77 H2\n",
        "\nG77 H02 P3\n", "\n%1\n", "(H3)", "%1000000", "G77", " H", "H2H", "H003", "H99999999999999999999"};
    const std::size_t choices = Pick(2) == 0 ? 28 : kFragments.size();
    std::string text;
    const int pieces = Pick(60);
    for (int k = 0; k < pieces; ++k) {
      if (Pick(40) == 0) {
        text.append(static_cast<std::size_t>(200 + Pick(200)), "1L. X"[Pick(5)]);
      } else {
        text += kFragments[static_cast<std::size_t>(Pick(choices))];
      }
    }
    return text;
  }

  std::string Bytes() {
    std::string text(static_cast<std::size_t>(Pick(600)), '\0');
    for (char& c : text) c = static_cast<char>(Pick(256));
    return text;
  }

  int Pick(std::size_t n) { return static_cast<int>(std::uniform_int_distribution<std::size_t>(0, n - 1)(random_)); }

  std::mt19937 random_;
};

void ExpectSaneListing(const testing_support::PreparationBench& bench) {
  const std::int64_t lines = bench.listing.Size();
  for (std::int64_t n = 1; n <= lines; ++n) ASSERT_LE(bench.listing.Line(n).size(), 255u);
  ASSERT_LE(bench.listing.lineCount, lines);
  ASSERT_GE(bench.table.count, 0);
  ASSERT_LT(bench.table.count, data::kSubprogramEntries);
  for (std::int32_t k = 0; k <= bench.table.count; ++k) {
    const data::SubprogramEntry& entry = bench.table.entries[static_cast<std::size_t>(k)];
    ASSERT_GE(entry.start, 0);
    ASSERT_LE(entry.start, lines);
    ASSERT_GE(entry.end, 0);
    ASSERT_LE(entry.end, lines);
    ASSERT_LE(entry.name.size(), data::kMaxSubprogramName);
  }
}

TEST(PreparationFuzz, AnyFilesGiveASaneListing) {
  FileMaker maker(20240611u);
  testing_support::PreparationBench bench;
  for (int round = 0; round < 500; ++round) {
    for (const char* name : {"%1", "%2", "%3", "%02", "%003", "%2H"}) bench.dir.Write(name, maker.File(name));
    bench.preparation.blockSkip = round % 2 == 0;
    bench.Prepare(maker.File("%1"));
    ExpectSaneListing(bench);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
