#include "data/tool_table.h"

#include <span>
#include <vector>

#include "data/controllers.h"
#include "data/extended.h"
#include "data/files.h"

namespace data {

void ClearToolTable(ToolTable& table) { table.fill(ToolRecord{}); }

ToolFileReading ReadToolFile(ToolTable& table, const std::string& dataDirectory, int controllerType,
                             Dialogs& dialogs) {
  const auto path = FindFileNoCase(dataDirectory, ToolFileName(controllerType));
  if (!path) return {};
  std::vector<std::uint8_t> bytes;
  const ReadStatus status = ReadFileHead(*path, kToolRecords * kToolRecordSize, bytes);
  // A partial record at the end is a failed read, as is an unreadable file.
  if (status != ReadStatus::Ok || bytes.size() % kToolRecordSize != 0) {
    dialogs.Information(kToolReadError);
    ClearToolTable(table);
    return {ToolFileReading::Status::kUnreadable, 0};
  }
  const std::span<const std::uint8_t> all(bytes);
  for (std::size_t n = 0; n * kToolRecordSize < bytes.size(); ++n) {
    const auto record = all.subspan(n * kToolRecordSize, kToolRecordSize);
    table[n].lengthCorrection = DecodeExtended(record.subspan(0, kExtendedSize));
    table[n].radiusCorrection = DecodeExtended(record.subspan(kExtendedSize, kExtendedSize));
  }
  return {ToolFileReading::Status::kRead, static_cast<int>(bytes.size() / kToolRecordSize)};
}

bool WriteToolTable(const ToolTable& table, const std::string& dataDirectory, int controllerType,
                    Dialogs& dialogs) {
  std::string bytes(kToolRecords * kToolRecordSize, '\0');
  const std::span<std::uint8_t> all(reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size());
  for (std::size_t n = 0; n < table.size(); ++n) {
    const auto record = all.subspan(n * kToolRecordSize, kToolRecordSize);
    EncodeExtended(table[n].lengthCorrection, record.subspan(0, kExtendedSize));
    EncodeExtended(table[n].radiusCorrection, record.subspan(kExtendedSize, kExtendedSize));
  }
  if (!WriteFileReplacing(PathForWriting(dataDirectory, ToolFileName(controllerType)), bytes)) {
    dialogs.Information(kToolWriteError);
    return false;
  }
  return true;
}

std::string ToolPictureName(int n) { return "WForm_" + std::to_string(n) + ".Bmp"; }

}  // namespace data
