// Where the path view goes the first time it is opened: docked at the
// right of the main window, which widens for it as far as the screen
// allows, or floating when the screen is too narrow for both.
#pragma once

namespace app {

struct ViewPlacement {
  bool docked = false;
  int windowWidth = 0;  // the main window's new width (docked)
  int viewWidth = 0;    // the docked view's width
};

// screenWidth: the screen's available width; windowWidth and frame: the
// main window's width and its frame's extra width; maximised: the window
// fills the screen and keeps its width; componentsWidth: the width the
// window's components need; viewMinimum: the least width of the view with
// the separator beside it.
struct PlacementInputs {
  int screenWidth, windowWidth, frame;
  bool maximised;
  int componentsWidth, viewMinimum;
};
ViewPlacement PlaceViewFirst(const PlacementInputs& in);

// The width the view is docked with when the screen has room for it:
// about the work-area picture's.
inline constexpr int kDockedViewWidth = 450;

}  // namespace app
