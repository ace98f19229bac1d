// The zero points G54 to G58: five (X, Y, Z) shifts of the workpiece
// origin, stored as one 150-byte record in "Npv_" + P + ".dat" and copied
// into the interpreter's zero-point table.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "data/dialogs.h"

namespace data {

inline constexpr int kZeroPoints = 5;  // G54 .. G58
inline constexpr std::size_t kZeroPointRecordSize = 150;

inline constexpr char kZeroPointWriteError[] =
    "Fehler beim schreiben der Nullpunktverschiebungen!\n\rDie Datei wurde nicht geschrieben.";

enum class Axis { X = 0, Y = 1, Z = 2 };

// The record as stored: axis first, zero point second; the value of axis a
// of zero point G(54 + k) lies at byte offset 50 a + 10 k.
struct ZeroPointRecord {
  std::array<long double, 3 * kZeroPoints> values{};

  long double& At(Axis axis, int k) { return values[static_cast<std::size_t>(static_cast<int>(axis) * kZeroPoints + k)]; }
  long double At(Axis axis, int k) const {
    return values[static_cast<std::size_t>(static_cast<int>(axis) * kZeroPoints + k)];
  }
};

struct ZeroPoint {
  long double x = 0.0L, y = 0.0L, z = 0.0L;
};

// The interpreter's copy, entry k for G(54 + k).
using ZeroPointTable = std::array<ZeroPoint, kZeroPoints>;

void ClearZeroPoints(ZeroPointRecord& record);
void CopyZeroPoints(const ZeroPointRecord& record, ZeroPointTable& table);

// Reads the file of controllerType. Missing file: false, record unchanged.
// A file shorter than one record is read as far as whole values go (the
// rest of the record keeps its values); it still gives true.
bool ReadZeroPoints(ZeroPointRecord& record, const std::string& dataDirectory, int controllerType);

// Writes the record; a failure shows the information box, leaves the old
// file intact and returns false.
bool WriteZeroPoints(const ZeroPointRecord& record, const std::string& dataDirectory, int controllerType,
                     Dialogs& dialogs);

}  // namespace data
