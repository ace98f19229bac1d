// The tool-table reader on any file: a file of whole records fills that
// many entries and leaves the others as they were; a partial record gives
// the information box and an all-zero table; every value read survives
// being written and read again.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "data/controllers.h"
#include "data/extended.h"
#include "data/tool_table.h"
#include "fuzz_host.h"
#include "fuzz_targets.h"

namespace fuzz {
namespace {

constexpr long double kUntouched = 7.25L;

bool SurvivesCodec(long double value) {
  std::array<std::uint8_t, data::kExtendedSize> bytes{};
  data::EncodeExtended(value, bytes);
  return SameValue(data::DecodeExtended(bytes), value);
}

}  // namespace

int FuzzToolTable(const std::uint8_t* data, std::size_t size) {
  WriteFile(data::ToolFileName(data::kDefaultControllerType),
            std::string_view(reinterpret_cast<const char*>(data), size));
  data::ToolTable table;
  table.fill({kUntouched, kUntouched});
  QuietDialogs dialogs;
  const bool read = data::ReadToolTable(table, ProcessDirectory(), data::kDefaultControllerType, dialogs);
  const std::size_t whole = std::min<std::size_t>(size, data::kToolRecords * data::kToolRecordSize);
  const bool partial = whole % data::kToolRecordSize != 0;
  Require(read == !partial, "only a partial record fails the read");
  Require(dialogs.shown == (partial ? 1 : 0), "a failed read shows the information box");
  const std::size_t filled = partial ? 0 : whole / data::kToolRecordSize;
  for (std::size_t n = 0; n < table.size(); ++n) {
    const data::ToolRecord& tool = table[n];
    if (partial) {
      Require(tool.lengthCorrection == 0.0L && tool.radiusCorrection == 0.0L, "a failed read clears the table");
    } else if (n >= filled) {
      Require(tool.lengthCorrection == kUntouched && tool.radiusCorrection == kUntouched,
              "entries beyond the file keep their values");
    }
    Require(SurvivesCodec(tool.lengthCorrection) && SurvivesCodec(tool.radiusCorrection),
            "tool values survive a write and a read");
  }
  return 0;
}

}  // namespace fuzz
