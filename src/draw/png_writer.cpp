#include "draw/png_writer.h"

#include <fstream>
#include <string_view>

#include "draw/checksums.h"
#include "draw/deflate.h"

namespace draw {

namespace {

constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Length, type, data and the CRC of type and data.
void AppendChunk(std::vector<std::uint8_t>& out, std::string_view type, const std::vector<std::uint8_t>& data) {
  PutBigEndian32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeAt = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  PutBigEndian32(out, Crc32(out.data() + typeAt, out.size() - typeAt));
}

std::vector<std::uint8_t> Header(const Raster& raster) {
  std::vector<std::uint8_t> header;
  PutBigEndian32(header, static_cast<std::uint32_t>(raster.width()));
  PutBigEndian32(header, static_cast<std::uint32_t>(raster.height()));
  // 8 bits per sample, RGB, deflate, adaptive filtering, no interlace.
  header.insert(header.end(), {8, 2, 0, 0, 0});
  return header;
}

// Every row behind filter type 0: the rows stay as they are, and a row
// like the one above compresses to a single match.
std::vector<std::uint8_t> Scanlines(const Raster& raster) {
  const std::size_t rowBytes = static_cast<std::size_t>(raster.width()) * 3;
  std::vector<std::uint8_t> rows;
  rows.reserve((rowBytes + 1) * static_cast<std::size_t>(raster.height()));
  const auto& pixels = raster.pixels();
  for (std::size_t start = 0; start < pixels.size(); start += rowBytes) {
    rows.push_back(0);
    rows.insert(rows.end(), pixels.begin() + static_cast<std::ptrdiff_t>(start),
                pixels.begin() + static_cast<std::ptrdiff_t>(start + rowBytes));
  }
  return rows;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Raster& raster) {
  if (raster.width() <= 0 || raster.height() <= 0) return {};
  std::vector<std::uint8_t> png(std::begin(kSignature), std::end(kSignature));
  AppendChunk(png, "IHDR", Header(raster));
  const std::vector<std::uint8_t> rows = Scanlines(raster);
  AppendChunk(png, "IDAT", ZlibCompress(rows.data(), rows.size()));
  AppendChunk(png, "IEND", {});
  return png;
}

bool WritePng(const Raster& raster, const std::string& path) {
  const std::vector<std::uint8_t> png = EncodePng(raster);
  if (png.empty()) return false;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  file.close();
  return !file.fail();
}

}  // namespace draw
