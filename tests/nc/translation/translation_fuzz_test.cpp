// Random blocks through RemoveFirstComment and TranslateBlock: they must
// stay within their buffers (the suite runs under AddressSanitizer and
// UBSan), end, keep the 255-byte limit, leave no mark behind, keep the
// mirror factors at +1 or -1 and give the same text every time.
#include "nc/lexical/comments.h"
#include "nc/translation/translation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "support/fake_dialogs.h"
#include "workstation/command_scope.h"

namespace {

// Cheap in a debug build: xorshift numbers and a fixed buffer.
class BlockMaker {
 public:
  explicit BlockMaker(std::uint64_t seed) : state_(seed) {}

  // Fragments of the dialect and arbitrary bytes, cut to 0..300 bytes.
  std::string Block() {
    static constexpr std::array<std::string_view, 36> kFragments = {
        "G77", "G79", "G51", "L",  "E+", "E-", "ED", "N",  "M6", "M06", "T",  "D",
        "H",   "S",   "C",   "R",  "X",  "Y",  "A",  "B",  "K",  "=",   "<>", ">=",
        "<=",  ">",   "<",   "+",  "-",  "*",  "/",  "[",  "(",  ")",   " ",  "."};
    constexpr std::size_t kMaxLength = 300;
    char text[kMaxLength + 3];
    const std::size_t length = Below(kMaxLength + 1);
    std::size_t size = 0;
    while (size < length) {
      const std::size_t pick = Below(kFragments.size() + 16);
      if (pick < kFragments.size()) {
        size += kFragments[pick].copy(text + size, 3);
      } else if (pick < kFragments.size() + 12) {
        text[size++] = static_cast<char>('0' + Below(10));
      } else {
        text[size++] = static_cast<char>(Below(256));
      }
    }
    return std::string(text, length);
  }

 private:
  std::size_t Below(std::size_t n) {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return static_cast<std::size_t>(state_ % n);
  }

  std::uint64_t state_;
};

bool HasMark(const std::string& block) {
  return std::any_of(block.begin(), block.end(), [](char c) { return c >= 1 && c <= 8; });
}

bool IsBlank(const std::string& block) {
  return std::all_of(block.begin(), block.end(), [](char c) { return static_cast<unsigned char>(c) <= ' '; });
}

TEST(TranslationFuzz, RandomBlocksStayInBoundsAndLoseTheirMarks) {
  testing_support::FakeDialogs dialogs;
  const std::string directory = "/nonexistent-rur-data/";
  data::WorkListing listing;
  data::SubprogramTable table;
  data::MessageCentre messages(dialogs, directory, listing, table);
  nc::ParamTable params;
  for (int n = 0; n < nc::kParamCount; n += 7) params.Set(n, n % 3 == 0 ? -n : n);
  nc::MirrorFactors mirror;
  BlockMaker maker(20250314u);
  for (int i = 0; i < 60000; ++i) {
    const rur::CommandScope next(messages);  // each block is a command of its own
    const std::string original = maker.Block();
    std::string block = original;
    nc::RemoveFirstComment(block);
    const bool blank = IsBlank(block.substr(0, 255));  // accepted unchanged
    const bool ok = nc::TranslateBlock(block, mirror, params, messages);
    ASSERT_LE(block.size(), 255u) << original;
    ASSERT_TRUE(blank || !HasMark(block)) << original;
    ASSERT_TRUE(ok || messages.errorFlag()) << original;
    ASSERT_TRUE(mirror.x == 1 || mirror.x == -1);
    ASSERT_TRUE(mirror.y == 1 || mirror.y == -1);
    if (i % 16 == 0) {  // the same block gives the same text
      std::string again = original;
      nc::RemoveFirstComment(again);
      nc::TranslateBlock(again, mirror, params, messages);
      ASSERT_EQ(again, block) << original;
    }
    dialogs.messages.clear();
  }
}

}  // namespace
