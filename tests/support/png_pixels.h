// Reads PNG bytes back with libpng's simplified reader, so that tests
// compare pictures by their pixels rather than by their compressed bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace testing_support {

struct PngPixels {
  int width = 0;
  int height = 0;
  std::uint32_t fileFormat = 0;   // PNG_FORMAT_* of the file as stored
  std::vector<std::uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel
};

// Nothing when libpng cannot read the bytes as a PNG file.
std::optional<PngPixels> DecodePng(std::string_view bytes);
std::optional<PngPixels> DecodePng(const std::vector<std::uint8_t>& bytes);

}  // namespace testing_support
