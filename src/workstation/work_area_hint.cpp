#include "workstation/work_area_hint.h"

#include <cmath>
#include <cstdio>

#include "draw/path/extent.h"

namespace rur {

std::string Millimetres(double value) {
  char text[64];
  if (std::fabs(value) >= 1e9) {
    std::snprintf(text, sizeof text, "%.3g", value);
    return text;
  }
  std::snprintf(text, sizeof text, "%.3f", value);
  std::string s(text);
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

draw::PathExtent MeasureDrawing(const Workstation& ws) {
  return draw::MeasurePathExtent(ws.blockStore(), static_cast<double>(ws.settings().workAreaX),
                                 static_cast<double>(ws.settings().workAreaY));
}

std::optional<std::string> OutsideWorkAreaHint(const Workstation& ws) { return OutsideWorkAreaHint(MeasureDrawing(ws)); }

std::optional<std::string> OutsideWorkAreaHint(const draw::PathExtent& extent) {
  if (extent.outside == 0) return std::nullopt;
  const draw::PathBox& box = extent.box;
  return std::to_string(extent.outside) + (extent.outside == 1 ? " Satz" : " S\xE4tze") +
         " au\xDF" "erhalb des Arbeitsbereichs, Bahn X " + Millimetres(box.minX) + ".." + Millimetres(box.maxX) + " Y " +
         Millimetres(box.minY) + ".." + Millimetres(box.maxY) + " mm";
}

}  // namespace rur
