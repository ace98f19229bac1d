// The two checksums of a PNG file: CRC-32 over each chunk and Adler-32
// over the uncompressed data of the zlib stream.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace draw {

// CRC-32 (polynomial 0xEDB88320, reflected, inverted); continue a running
// value by passing the previous result.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);

std::uint32_t Adler32(const std::uint8_t* data, std::size_t size);

// Both formats store their numbers most significant byte first.
inline void PutBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

}  // namespace draw
