// The drawing surface in the core: an RGB picture (448 x 357 by default)
// with the canvas operations the primitives rely on: pen colour, style and
// mode, brush colour, move-to, line-to that does not paint its end pixel,
// single pixels and filled rectangles, everything clipped to the picture.
// The pen position is kept across clears and may lie far outside.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace draw {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr Rgb kNavy{0, 0, 128};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kRed{255, 0, 0};

inline constexpr int kRasterWidth = 448;
inline constexpr int kRasterHeight = 357;

enum class PenStyle { Solid, Dash, Dot };
enum class PenMode { Copy, Xor };

struct PenPosition {
  std::int64_t x = 0, y = 0;
};

struct LineSpan;

class Raster {
 public:
  // Navy until first cleared; a negative size counts as 0.
  Raster(int width = kRasterWidth, int height = kRasterHeight);

  int width() const { return width_; }
  int height() const { return height_; }

  void SetPenColour(Rgb colour) { pen_ = colour; }
  Rgb penColour() const { return pen_; }
  void SetPenStyle(PenStyle style) { style_ = style; }
  PenStyle penStyle() const { return style_; }
  void SetPenMode(PenMode mode) { mode_ = mode; }
  PenMode penMode() const { return mode_; }
  void SetBrushColour(Rgb colour) { brush_ = colour; }

  // Coordinates may be anything an int64 holds; drawing is clipped to the
  // picture and costs no more than the visible part of a line.
  void MoveTo(std::int64_t x, std::int64_t y);
  void LineTo(std::int64_t x, std::int64_t y);  // end pixel not painted; pen moves there
  void SetPixel(std::int64_t x, std::int64_t y, Rgb colour);
  void FillRect(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom);  // right, bottom exclusive

  PenPosition penPosition() const { return position_; }
  Rgb Pixel(int x, int y) const;  // black outside the picture

  // Rows top to bottom, 3 bytes a pixel (R, G, B), no padding.
  const std::vector<std::uint8_t>& pixels() const { return pixels_; }

 private:
  template <typename Int>
  void PaintSpan(const LineSpan& span);
  void Paint(std::ptrdiff_t at);  // the pen pixel at this byte offset, in the pen mode
  bool Contains(std::int64_t x, std::int64_t y) const;

  int width_;
  int height_;
  std::vector<std::uint8_t> pixels_;
  Rgb pen_ = kYellow;
  Rgb brush_ = kNavy;
  PenStyle style_ = PenStyle::Solid;
  PenMode mode_ = PenMode::Copy;
  PenPosition position_;
};

}  // namespace draw
