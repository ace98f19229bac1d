// The zero-point reader on any file: the whole values of the file fill
// the record from its start, the rest keeps its values, and every value
// read survives being written and read again.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "data/controllers.h"
#include "data/extended.h"
#include "data/zero_points.h"
#include "fuzz_host.h"
#include "fuzz_targets.h"

namespace fuzz {

int FuzzZeroPoints(const std::uint8_t* data, std::size_t size) {
  WriteFile(data::ZeroPointFileName(data::kDefaultControllerType),
            std::string_view(reinterpret_cast<const char*>(data), size));
  constexpr long double kUntouched = -3.5L;
  data::ZeroPointRecord record;
  record.values.fill(kUntouched);
  Require(data::ReadZeroPoints(record, ProcessDirectory(), data::kDefaultControllerType),
          "an existing file is read");
  const std::size_t filled = std::min<std::size_t>(size, data::kZeroPointRecordSize) / data::kExtendedSize;
  for (std::size_t i = 0; i < record.values.size(); ++i) {
    const long double value = record.values[i];
    if (i >= filled) Require(value == kUntouched, "values beyond the file keep theirs");
    std::array<std::uint8_t, data::kExtendedSize> bytes{};
    data::EncodeExtended(value, bytes);
    Require(SameValue(data::DecodeExtended(bytes), value), "zero points survive a write and a read");
  }
  data::ZeroPointTable table{};
  data::CopyZeroPoints(record, table);
  return 0;
}

}  // namespace fuzz
