#include "support/png_pixels.h"

#include <png.h>

namespace testing_support {

std::optional<PngPixels> DecodePng(std::string_view bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()) == 0) return std::nullopt;
  PngPixels pixels;
  pixels.width = static_cast<int>(image.width);
  pixels.height = static_cast<int>(image.height);
  pixels.fileFormat = image.format;
  image.format = PNG_FORMAT_RGB;
  pixels.rgb.resize(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, pixels.rgb.data(), 0, nullptr) == 0) {
    png_image_free(&image);
    return std::nullopt;
  }
  return pixels;
}

std::optional<PngPixels> DecodePng(const std::vector<std::uint8_t>& bytes) {
  return DecodePng(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace testing_support
