// A zlib stream (RFC 1950/1951) for the PNG writer: one final block with
// the fixed Huffman codes and LZ77 matches found through hash chains, which
// is what a picture of long single-colour runs needs. Deterministic.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace draw {

std::vector<std::uint8_t> ZlibCompress(const std::uint8_t* data, std::size_t size);

}  // namespace draw
