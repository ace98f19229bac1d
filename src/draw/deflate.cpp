#include "draw/deflate.h"

#include <array>
#include <vector>

#include "draw/checksums.h"

namespace draw {

namespace {

constexpr std::size_t kWindow = 32768;
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 258;
constexpr int kMaxChain = 64;
constexpr int kHashBits = 15;

constexpr std::array<std::uint16_t, 29> kLengthBase = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                                       31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                                         33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                                         1025, 1537, 2049, 3073, 4097, 6145,  8193,  12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                         6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// Bits go out least significant first; Huffman codes most significant
// first, hence reversed before they are put.
class BitWriter {
 public:
  explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

  void Put(std::uint32_t bits, int count) {
    buffer_ |= static_cast<std::uint64_t>(bits) << count_;
    count_ += count;
    while (count_ >= 8) {
      out_.push_back(static_cast<std::uint8_t>(buffer_ & 0xFFu));
      buffer_ >>= 8;
      count_ -= 8;
    }
  }
  void PutCode(std::uint32_t code, int length) {
    std::uint32_t reversed = 0;
    for (int i = 0; i < length; ++i) reversed |= ((code >> i) & 1u) << (length - 1 - i);
    Put(reversed, length);
  }
  void Flush() {
    if (count_ > 0) Put(0, 8 - count_);
  }

 private:
  std::vector<std::uint8_t>& out_;
  std::uint64_t buffer_ = 0;
  int count_ = 0;
};

// The fixed literal/length code of symbol 0..287.
void PutSymbol(BitWriter& bits, unsigned symbol) {
  if (symbol < 144) {
    bits.PutCode(0x30 + symbol, 8);
  } else if (symbol < 256) {
    bits.PutCode(0x190 + symbol - 144, 9);
  } else if (symbol < 280) {
    bits.PutCode(symbol - 256, 7);
  } else {
    bits.PutCode(0xC0 + symbol - 280, 8);
  }
}

template <std::size_t N, typename T>
unsigned CodeIndex(const std::array<T, N>& base, std::size_t value) {
  unsigned index = N - 1;
  while (base[index] > value) --index;
  return index;
}

void PutMatch(BitWriter& bits, std::size_t length, std::size_t distance) {
  const unsigned l = CodeIndex(kLengthBase, length);
  PutSymbol(bits, 257 + l);
  bits.Put(static_cast<std::uint32_t>(length - kLengthBase[l]), kLengthExtra[l]);
  const unsigned d = CodeIndex(kDistanceBase, distance);
  bits.PutCode(d, 5);
  bits.Put(static_cast<std::uint32_t>(distance - kDistanceBase[d]), kDistanceExtra[d]);
}

// Hash chains over the last 32 KiB: head holds the latest position of each
// 3-byte hash, previous links a position to the one before it.
class MatchFinder {
 public:
  MatchFinder(const std::uint8_t* data, std::size_t size)
      : data_(data), size_(size), head_(std::size_t{1} << kHashBits, kNone), previous_(kWindow, kNone) {}

  void Insert(std::size_t pos) {
    if (pos + kMinMatch > size_) return;
    const std::size_t h = Hash(pos);
    previous_[pos % kWindow] = head_[h];
    head_[h] = pos;
  }

  // Longest earlier match at pos (length 0 when below the minimum).
  std::size_t Longest(std::size_t pos, std::size_t& distance) const {
    if (pos + kMinMatch > size_) return 0;
    const std::size_t limit = size_ - pos < kMaxMatch ? size_ - pos : kMaxMatch;
    std::size_t best = 0;
    std::size_t candidate = head_[Hash(pos)];
    for (int chain = 0; chain < kMaxChain && candidate != kNone && pos - candidate <= kWindow; ++chain) {
      std::size_t length = 0;
      while (length < limit && data_[candidate + length] == data_[pos + length]) ++length;
      if (length > best) {
        best = length;
        distance = pos - candidate;
        if (best == limit) break;
      }
      candidate = previous_[candidate % kWindow];
    }
    return best >= kMinMatch ? best : 0;
  }

 private:
  static constexpr std::size_t kNone = ~std::size_t{0};

  std::size_t Hash(std::size_t pos) const {
    const std::uint32_t v = (std::uint32_t{data_[pos]} << 16) | (std::uint32_t{data_[pos + 1]} << 8) | data_[pos + 2];
    return (v * 2654435761u) >> (32 - kHashBits);
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::vector<std::size_t> head_;
  std::vector<std::size_t> previous_;
};

}  // namespace

std::vector<std::uint8_t> ZlibCompress(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> out = {0x78, 0x01};  // deflate, 32 KiB window, no dictionary
  BitWriter bits(out);
  bits.Put(1, 1);  // final block
  bits.Put(1, 2);  // fixed Huffman codes
  MatchFinder finder(data, size);
  std::size_t pos = 0;
  while (pos < size) {
    std::size_t distance = 0;
    const std::size_t length = finder.Longest(pos, distance);
    if (length == 0) {
      PutSymbol(bits, data[pos]);
      finder.Insert(pos++);
      continue;
    }
    PutMatch(bits, length, distance);
    for (const std::size_t end = pos + length; pos < end; ++pos) finder.Insert(pos);
  }
  PutSymbol(bits, 256);
  bits.Flush();
  PutBigEndian32(out, Adler32(data, size));
  return out;
}

}  // namespace draw
