#include "workstation/zero_point_offer.h"

#include <bitset>
#include <cmath>
#include <string_view>

#include "data/controllers.h"
#include "draw/path/extent.h"
#include "nc/lexical/characters.h"
#include "workstation/state_access.h"
#include "workstation/work_area_hint.h"

namespace rur {
namespace {

// Below this, a path's coordinates are taken as on the millimetre grid of
// three decimals (they come through double from long double values).
constexpr long double kGridSlack = 1e-6L;

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The zero points G52 to G58 that the program selects (bit n - 52),
// outside its "( )" comments.
std::bitset<7> SelectedZeroPoints(const data::ProgramText& program) {
  std::bitset<7> selected;
  program.ForEachLine([&selected](std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (line[i] == '(') {
        i = line.find(')', i);
        if (i == std::string_view::npos) return;
        continue;
      }
      if (line[i] != 'G' || (i > 0 && IsLetter(line[i - 1]))) continue;
      const std::size_t end = nc::DigitsEnd(line, i + 1);
      if (end - i > 4 || end == i + 1 || (end < line.size() && line[end] == '.')) continue;
      int n = 0;
      for (std::size_t k = i + 1; k < end; ++k) n = n * 10 + (line[k] - '0');
      if (n >= 52 && n <= 58) selected.set(static_cast<std::size_t>(n - 52));
    }
  });
  return selected;
}

}  // namespace

long double ShiftInto(double min, double max, long double size) {
  const long double low = min;
  const long double high = max;
  if (low >= 0.0L && high <= size) return 0.0L;
  if (high - low > size) return std::round((size / 2 - (low + high) / 2) * 1000.0L) / 1000.0L;
  const long double up = std::ceil(-low * 1000.0L - kGridSlack) / 1000.0L;
  if (high + up <= size) return up;
  const long double down = std::floor((size - high) * 1000.0L + kGridSlack) / 1000.0L;
  if (low + down >= 0.0L) return down;
  return -low;
}

std::optional<ZeroPointOffer> OfferZeroPointShift(const Workstation& ws, const data::ProgramText& program) {
  const data::ControllerTraits& traits = data::TraitsOf(ws.settings().controllerType);
  if (traits.zeroPointRows == data::ZeroPointRows::kNone) return std::nullopt;
  const std::optional<std::string> hint = OutsideWorkAreaHint(ws);
  if (!hint) return std::nullopt;
  const std::bitset<7> selected = SelectedZeroPoints(program);
  const std::bitset<7> g54(1u << 2);
  if ((selected & ~g54).any() || (selected.none() && !traits.startsInFirstZeroPoint)) return std::nullopt;

  const draw::PathExtent extent = draw::MeasurePathExtent(ws.blockStore(), static_cast<double>(ws.settings().workAreaX),
                                                          static_cast<double>(ws.settings().workAreaY));
  ZeroPointOffer offer;
  offer.shiftX = ShiftInto(extent.box.minX, extent.box.maxX, ws.settings().workAreaX);
  offer.shiftY = ShiftInto(extent.box.minY, extent.box.maxY, ws.settings().workAreaY);
  if (offer.shiftX == 0.0L && offer.shiftY == 0.0L) return std::nullopt;  // centred already, and larger
  offer.question = *hint + ".\n";
  const bool larger = extent.box.maxX - extent.box.minX > ws.settings().workAreaX ||
                      extent.box.maxY - extent.box.minY > ws.settings().workAreaY;
  if (larger) offer.question += "Die Bahn ist gr\xF6\xDF" "er als der Arbeitsbereich und wird mittig gelegt.\n";
  offer.question += "Nullpunkt G54 um X " + Millimetres(static_cast<double>(offer.shiftX)) + " Y " +
                    Millimetres(static_cast<double>(offer.shiftY)) + " mm verschieben?";
  return offer;
}

bool AcceptZeroPointShift(Workstation& ws, const ZeroPointOffer& offer, const std::function<bool()>& confirm) {
  WorkstationState& s = StateOf(ws);
  const data::ZeroPointRecord before = s.zeroPointRecord;
  s.zeroPointRecord.At(data::Axis::X, 0) += offer.shiftX;
  s.zeroPointRecord.At(data::Axis::Y, 0) += offer.shiftY;
  const bool confirmed = confirm();
  if (!confirmed) s.zeroPointRecord = before;  // nothing changes without the operator's OK
  data::CopyZeroPoints(s.zeroPointRecord, s.zeroPointTable);
  return confirmed;
}

}  // namespace rur
