// The counted text the expression evaluator works on: at most 255 bytes,
// held on the stack. Like the system's other texts it is cut at the limit:
// an insertion into a full text pushes the last byte out.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace nc {

class ExpressionText {
 public:
  static constexpr std::size_t kCapacity = 255;

  // The first kCapacity bytes of text.
  static ExpressionText CopyOf(std::string_view text) noexcept;

  std::size_t size() const noexcept { return size_; }
  char operator[](std::size_t i) const noexcept { return bytes_[i]; }
  char& operator[](std::size_t i) noexcept { return bytes_[i]; }
  std::string_view view() const noexcept { return {bytes_, size_}; }

  // Appends c unless the text is full.
  void Append(char c) noexcept;
  void Resize(std::size_t size) noexcept { size_ = std::min(size, kCapacity); }

 private:
  char bytes_[kCapacity];  // only the first size_ bytes are ever read
  std::size_t size_ = 0;
};

inline ExpressionText ExpressionText::CopyOf(std::string_view text) noexcept {
  ExpressionText copy;
  copy.size_ = std::min(text.size(), kCapacity);
  std::copy_n(text.data(), copy.size_, copy.bytes_);
  return copy;
}

inline void ExpressionText::Append(char c) noexcept {
  if (size_ < kCapacity) bytes_[size_++] = c;
}

inline bool IsDigit(char c) noexcept { return c >= '0' && c <= '9'; }

}  // namespace nc
