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

// Reads the tool file of controllerType. Missing file: false, no message,
// table unchanged. A record that cannot be read whole: the information box,
// an all-zero table, false. Records beyond a short file keep their values;
// records after the hundredth are ignored.
bool ReadToolTable(ToolTable& table, const std::string& dataDirectory, int controllerType, Dialogs& dialogs);

// Writes all 100 records; a failure shows the information box, leaves the
// old file intact and returns false.
bool WriteToolTable(const ToolTable& table, const std::string& dataDirectory, int controllerType,
                    Dialogs& dialogs);

// The picture file of tool n: "WForm_" + n + ".Bmp"; the fallback "NoPic.Bmp".
std::string ToolPictureName(int n);
inline constexpr char kNoPictureName[] = "NoPic.Bmp";

}  // namespace data
