#include "draw/picture/png_writer.h"

#include <png.h>

#include <string_view>

#include "data/files.h"

namespace draw {

// libpng's simplified API reports errors through its return value and
// never unwinds through our frames with longjmp.
std::vector<std::uint8_t> EncodePng(const Raster& raster) {
  if (raster.width() <= 0 || raster.height() <= 0) return {};
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(raster.width());
  image.height = static_cast<png_uint_32>(raster.height());
  image.format = PNG_FORMAT_RGB;
  // Room for the worst case that libpng documents for zlib, so that the
  // picture is compressed only once.
  std::vector<std::uint8_t> png(PNG_IMAGE_PNG_SIZE_MAX(image));
  png_alloc_size_t size = png.size();
  if (png_image_write_to_memory(&image, png.data(), &size, 0, raster.pixels().data(), 0, nullptr) == 0) {
    png_image_free(&image);
    return {};
  }
  png.resize(size);
  png.shrink_to_fit();
  return png;
}

bool WritePng(const Raster& raster, const std::string& path) {
  const std::vector<std::uint8_t> png = EncodePng(raster);
  if (png.empty()) return false;
  return data::WriteOutputFile(path, std::string_view(reinterpret_cast<const char*>(png.data()), png.size()));
}

}  // namespace draw
