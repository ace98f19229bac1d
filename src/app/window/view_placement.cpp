#include "window/view_placement.h"

#include <algorithm>

namespace app {

ViewPlacement PlaceViewFirst(const PlacementInputs& in) {
  ViewPlacement p;
  p.windowWidth = in.maximised ? in.windowWidth
                               : std::max(in.windowWidth, std::min(in.windowWidth + kDockedViewWidth,
                                                                   in.screenWidth - in.frame));
  const int room = p.windowWidth - in.componentsWidth;
  if (room < in.viewMinimum) return {false, in.windowWidth, 0};
  p.docked = true;
  // A wide window gives the view half of its room beyond the components.
  p.viewWidth = std::max(std::min(room, kDockedViewWidth), room / 2);
  return p;
}

}  // namespace app
