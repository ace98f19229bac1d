// Block translation over the lines of the input as one program would run
// them (G51 mirroring carries from line to line): every block stays within
// the text limit, mirror factors stay +1 or -1, and a refused block has
// shown why.
#include <string>
#include <string_view>

#include "data/text.h"
#include "fuzz_host.h"
#include "fuzz_targets.h"
#include "nc/lexical/comments.h"
#include "nc/translation/translation.h"
#include "workstation/command_scope.h"

namespace fuzz {
namespace {

constexpr std::size_t kMaxLines = 32;

bool IsFactor(std::int32_t f) { return f == 1 || f == -1; }

}  // namespace

int FuzzTranslation(const std::uint8_t* data, std::size_t size) {
  MessageBench bench;
  nc::MirrorFactors mirror;
  std::size_t count = 0;
  for (std::string& block : SplitLines(std::string_view(reinterpret_cast<const char*>(data), size))) {
    if (++count > kMaxLines) break;
    nc::RemoveFirstComment(block);
    const int shownBefore = bench.dialogs.shown;
    const rur::CommandScope next(bench.messages);  // each block is a command of its own
    const bool accepted = nc::TranslateBlock(block, mirror, FuzzParams(), bench.messages);
    Require(block.size() <= data::kMaxText, "a translated block stays within the text limit");
    Require(IsFactor(mirror.x) && IsFactor(mirror.y), "mirror factors are +1 or -1");
    // Accepted blocks may show the messages of their condition's sides.
    if (!accepted) {
      Require(bench.messages.errorFlag(), "a refused block sets the error flag");
      Require(bench.dialogs.shown - shownBefore >= 1, "a refused block shows its message");
    }
  }
  return 0;
}

}  // namespace fuzz
