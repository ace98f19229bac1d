// The tool table: for each correction number D = 0..99 a length and a
// radius correction, stored as 100 records of 20 bytes in P + "_wkz.dat".
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "data/dialogs.h"

namespace data {

inline constexpr int kToolRecords = 100;
inline constexpr std::size_t kToolRecordSize = 20;

inline constexpr char kToolReadError[] = "Fehler beim lesen der Werkzeugdaten!";
inline constexpr char kToolWriteError[] = "Fehler beim schreiben der Werzeugdaten!";

struct ToolRecord {
  long double lengthCorrection = 0.0L;
  long double radiusCorrection = 0.0L;
};

using ToolTable = std::array<ToolRecord, kToolRecords>;

void ClearToolTable(ToolTable& table);

// What the last reading of the tool file found: the radius of a record
// that did not come from the file is not known.
struct ToolFileReading {
  enum class Status : std::uint8_t { kMissing, kUnreadable, kRead };
  Status status = Status::kMissing;
  int records = 0;  // records read from the file (0..100)

  bool Holds(int slot) const { return status == Status::kRead && slot >= 0 && slot < records; }
};

// Reads the tool file of controllerType. Missing file: kMissing, no
// message, table unchanged. A record that cannot be read whole: the
// information box, an all-zero table, kUnreadable. Records beyond a short
// file keep their values; records after the hundredth are ignored.
ToolFileReading ReadToolFile(ToolTable& table, const std::string& dataDirectory, int controllerType,
                             Dialogs& dialogs);

// The same; true when the file was read.
inline bool ReadToolTable(ToolTable& table, const std::string& dataDirectory, int controllerType,
                          Dialogs& dialogs) {
  return ReadToolFile(table, dataDirectory, controllerType, dialogs).status == ToolFileReading::Status::kRead;
}

// Writes all 100 records; a failure shows the information box, leaves the
// old file intact and returns false.
bool WriteToolTable(const ToolTable& table, const std::string& dataDirectory, int controllerType,
                    Dialogs& dialogs);

// The picture file of tool n: "WForm_" + n + ".Bmp"; the fallback "NoPic.Bmp".
std::string ToolPictureName(int n);
inline constexpr char kNoPictureName[] = "NoPic.Bmp";

}  // namespace data
