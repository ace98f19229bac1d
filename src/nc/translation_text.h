// The block text while it is being translated: at most 255 bytes in a fixed
// buffer on the stack, with the search, delete and insert operations the
// translation steps use. Like every text of the system it is cut at the
// limit: an insertion into a long text pushes its last bytes out.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "data/text.h"

namespace nc::translation {

inline bool IsDigitByte(char c) noexcept { return c >= '0' && c <= '9'; }

class BlockText {
 public:
  static constexpr std::size_t kCapacity = data::kMaxText;
  static constexpr std::size_t npos = std::string_view::npos;

  BlockText() noexcept = default;
  explicit BlockText(std::string_view text) noexcept { Assign(text); }
  // Copies only the bytes in use; the rest of the buffer is never read.
  BlockText(const BlockText& other) noexcept { Assign(other.view()); }
  BlockText& operator=(const BlockText& other) noexcept {
    if (this != &other) Assign(other.view());
    return *this;
  }

  // The first kCapacity bytes of text.
  void Assign(std::string_view text) noexcept {
    size_ = std::min(text.size(), kCapacity);
    if (size_ > 0) std::memcpy(bytes_, text.data(), size_);
  }
  void Clear() noexcept { size_ = 0; }

  std::size_t size() const noexcept { return size_; }
  bool empty() const noexcept { return size_ == 0; }
  char operator[](std::size_t i) const noexcept { return bytes_[i]; }
  char& operator[](std::size_t i) noexcept { return bytes_[i]; }
  std::string_view view() const noexcept { return {bytes_, size_}; }

  std::size_t Find(char c, std::size_t from = 0) const noexcept {
    if (from >= size_) return npos;
    const void* hit = std::memchr(bytes_ + from, c, size_ - from);
    return hit == nullptr ? npos : static_cast<std::size_t>(static_cast<const char*>(hit) - bytes_);
  }
  std::size_t Find(std::string_view s, std::size_t from = 0) const noexcept { return view().find(s, from); }
  bool Contains(char c) const noexcept { return Find(c) != npos; }
  bool Contains(std::string_view s) const noexcept { return Find(s) != npos; }

  // End of the run of digits that starts at from.
  std::size_t DigitsEnd(std::size_t from) const noexcept {
    while (from < size_ && IsDigitByte(bytes_[from])) ++from;
    return from;
  }

  // Deletes up to count bytes at pos; nothing when pos is past the end.
  void Erase(std::size_t pos, std::size_t count) noexcept {
    if (pos >= size_) return;
    count = std::min(count, size_ - pos);
    std::memmove(bytes_ + pos, bytes_ + pos + count, size_ - pos - count);
    size_ -= count;
  }

  // Inserts s at pos (at the end when pos is past it) and cuts the text at
  // kCapacity. s must not point into this text.
  void Insert(std::size_t pos, std::string_view s) noexcept {
    pos = std::min(pos, size_);
    const std::size_t inserted = std::min(s.size(), kCapacity - pos);
    const std::size_t kept = std::min(size_ - pos, kCapacity - pos - inserted);
    if (kept > 0) std::memmove(bytes_ + pos + inserted, bytes_ + pos, kept);
    if (inserted > 0) std::memcpy(bytes_ + pos, s.data(), inserted);
    size_ = pos + inserted + kept;
  }
  void Append(std::string_view s) noexcept { Insert(size_, s); }

  // Deletes the first occurrence of s; false when there is none.
  bool EraseFirst(std::string_view s) noexcept {
    const std::size_t at = Find(s);
    if (at == npos) return false;
    Erase(at, s.size());
    return true;
  }

 private:
  char bytes_[kCapacity];  // only the first size_ bytes are ever read
  std::size_t size_ = 0;
};

}  // namespace nc::translation
