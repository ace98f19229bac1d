// A text of at most data::kMaxText bytes in a fixed buffer on the stack:
// the block being translated, the word text handed to the evaluator and the
// expression the evaluator rewrites. Like every text of the system it is
// cut at the limit: what does not fit is dropped, and an insertion into a
// long text pushes its last bytes out. Nothing allocates; copies move only
// the bytes in use.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "data/text.h"
#include "nc/lexical/characters.h"

namespace nc {

class BoundedText {
 public:
  static constexpr std::size_t kCapacity = data::kMaxText;
  static constexpr std::size_t npos = std::string_view::npos;

  BoundedText() noexcept = default;
  // The first kCapacity bytes of text.
  explicit BoundedText(std::string_view text) noexcept { Assign(text); }
  BoundedText(const BoundedText& other) noexcept { Assign(other.view()); }
  BoundedText& operator=(const BoundedText& other) noexcept {
    if (this != &other) Assign(other.view());
    return *this;
  }

  // Replaces the text by the first kCapacity bytes of text (which may be
  // a part of this one).
  void Assign(std::string_view text) noexcept {
    size_ = std::min(text.size(), kCapacity);
    if (size_ > 0) std::memmove(bytes_, text.data(), size_);
  }
  void Clear() noexcept { size_ = 0; }
  // Keeps the first size bytes; a longer size changes nothing.
  void Truncate(std::size_t size) noexcept { size_ = std::min(size, size_); }

  std::size_t size() const noexcept { return size_; }
  bool empty() const noexcept { return size_ == 0; }
  // i must be below size().
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
  std::size_t DigitsEnd(std::size_t from) const noexcept { return nc::DigitsEnd(view(), from); }

  // Appends c; dropped when the text is full.
  void Append(char c) noexcept {
    if (size_ < kCapacity) bytes_[size_++] = c;
  }
  // Appends as much of s as fits. s must not point into this text.
  void Append(std::string_view s) noexcept {
    const std::size_t appended = std::min(s.size(), kCapacity - size_);
    if (appended > 0) std::memcpy(bytes_ + size_, s.data(), appended);
    size_ += appended;
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

  // Deletes up to count bytes at pos; nothing when pos is past the end.
  void Erase(std::size_t pos, std::size_t count) noexcept {
    if (pos >= size_) return;
    count = std::min(count, size_ - pos);
    std::memmove(bytes_ + pos, bytes_ + pos + count, size_ - pos - count);
    size_ -= count;
  }

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

}  // namespace nc
