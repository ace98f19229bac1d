// Writes a raster as a PNG file (8-bit RGB), deterministic byte for byte so
// that pictures can be compared as files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "draw/raster.h"

namespace draw {

// Empty for a picture without pixels, which PNG cannot hold.
std::vector<std::uint8_t> EncodePng(const Raster& raster);
// False when there is nothing to write or the file cannot be written.
bool WritePng(const Raster& raster, const std::string& path);

}  // namespace draw
