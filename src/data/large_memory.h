// Memory for the block stores, which hold up to 64,000 records of some
// 200 bytes each: large blocks are asked to be backed by huge pages where
// the system offers them, so that filling tens of megabytes costs a few
// page faults instead of thousands (on a virtual machine each one is dear).
#pragma once

#include <cstddef>
#include <new>

namespace data {

// Blocks of at least this size go to huge pages.
inline constexpr std::size_t kLargeBlock = std::size_t{4} << 20;

// Nullptr when the memory cannot be had.
void* AllocateLarge(std::size_t bytes) noexcept;
void FreeLarge(void* block) noexcept;

template <typename T>
struct LargeAllocator {
  using value_type = T;

  LargeAllocator() = default;
  template <typename U>
  LargeAllocator(const LargeAllocator<U>&) noexcept {}

  T* allocate(std::size_t n) {
    const std::size_t bytes = n * sizeof(T);
    if (bytes < kLargeBlock) return static_cast<T*>(::operator new(bytes));
    void* block = AllocateLarge(bytes);
    if (block == nullptr) throw std::bad_alloc();
    return static_cast<T*>(block);
  }
  void deallocate(T* p, std::size_t n) noexcept {
    if (n * sizeof(T) < kLargeBlock) {
      ::operator delete(p);
    } else {
      FreeLarge(p);
    }
  }
  template <typename U>
  bool operator==(const LargeAllocator<U>&) const noexcept {
    return true;
  }
};

}  // namespace data
