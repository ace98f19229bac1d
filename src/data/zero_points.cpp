#include "data/zero_points.h"

#include <span>
#include <vector>

#include "data/controllers.h"
#include "data/extended.h"
#include "data/files.h"

namespace data {

void ClearZeroPoints(ZeroPointRecord& record) { record.values.fill(0.0L); }

void CopyZeroPoints(const ZeroPointRecord& record, ZeroPointTable& table) {
  for (int k = 0; k < kZeroPoints; ++k) {
    table[static_cast<std::size_t>(k)] = {record.At(Axis::X, k), record.At(Axis::Y, k), record.At(Axis::Z, k)};
  }
}

bool ReadZeroPoints(ZeroPointRecord& record, const std::string& dataDirectory, int controllerType) {
  const auto path = FindFileNoCase(dataDirectory, ZeroPointFileName(controllerType));
  if (!path) return false;
  std::vector<std::uint8_t> bytes;
  if (ReadFileHead(*path, kZeroPointRecordSize, bytes) != ReadStatus::Ok) return true;
  const std::span<const std::uint8_t> all(bytes);
  for (std::size_t i = 0; (i + 1) * kExtendedSize <= bytes.size(); ++i) {
    record.values[i] = DecodeExtended(all.subspan(i * kExtendedSize, kExtendedSize));
  }
  return true;
}

bool WriteZeroPoints(const ZeroPointRecord& record, const std::string& dataDirectory, int controllerType,
                     Dialogs& dialogs) {
  std::string bytes(kZeroPointRecordSize, '\0');
  const std::span<std::uint8_t> all(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size());
  for (std::size_t i = 0; i < record.values.size(); ++i) {
    EncodeExtended(record.values[i], all.subspan(i * kExtendedSize, kExtendedSize));
  }
  if (!WriteFileReplacing(PathForWriting(dataDirectory, ZeroPointFileName(controllerType)), bytes)) {
    dialogs.Information(kZeroPointWriteError);
    return false;
  }
  return true;
}

}  // namespace data
