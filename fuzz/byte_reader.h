// Reads a fuzz input as a stream of small decisions and values: bytes,
// raw bit patterns, and numbers drawn from a mix of round grid values,
// fine fractions, repeats of the last value and the awkward cases (NaN,
// infinities, the largest and smallest values). Past the end it gives 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace fuzz {

class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Empty() const { return offset_ >= size_; }

  std::uint8_t Byte() { return Empty() ? 0 : data_[offset_++]; }

  // The next sizeof(T) bytes as the bit pattern of a T (zeros past the end).
  template <typename T>
  T Raw() {
    unsigned char bytes[sizeof(T)] = {};
    for (unsigned char& b : bytes) b = Byte();
    T value;
    std::memcpy(&value, bytes, sizeof(T));
    return value;
  }

  // A coordinate-like value; see the .cpp for the mix.
  long double Value();

  // Everything not read yet.
  std::string_view Rest() {
    const std::string_view rest(reinterpret_cast<const char*>(data_) + offset_, Empty() ? 0 : size_ - offset_);
    offset_ = size_;
    return rest;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t offset_ = 0;
  long double last_ = 0.0L;
};

}  // namespace fuzz
