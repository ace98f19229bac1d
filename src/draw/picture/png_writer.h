// Writes a raster as a PNG file (8-bit RGB) through libpng. For a given
// libpng and zlib the bytes are the same on every run; across versions
// only the pixels are sure to stay the same.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "draw/picture/raster.h"

namespace draw {

// Empty for a picture without pixels, which PNG cannot hold, and when
// libpng refuses the picture (for instance one wider than its limit).
std::vector<std::uint8_t> EncodePng(const Raster& raster);
// False when there is nothing to write or the file cannot be written. The
// picture is written beside the file and renamed over it, so a write that
// fails leaves an older picture as it was (see data::WriteOutputFile).
bool WritePng(const Raster& raster, const std::string& path);

}  // namespace draw
