// The code list of a compiled expression: operations in postfix order, in
// a fixed array on the stack. Every operation stems from a distinct token
// and every token from at least one byte, so a list never outgrows the
// longest text.
#pragma once

#include <cstddef>

#include "nc/lexical/bounded_text.h"
#include "nc/expression/tokens.h"

namespace nc {

// Left uninitialised on purpose: a list fills only the nodes it uses.
struct ExprCodeNode {
  ExprToken operation;
  long double constant;  // meaningful for kConst only
};

class ExprCodeList {
 public:
  static constexpr std::size_t kCapacity = BoundedText::kCapacity;

  void Emit(ExprToken operation) noexcept { Add({operation, 0.0L}); }
  void EmitConstant(long double value) noexcept { Add({ExprToken::kConst, value}); }

  // True when an emission did not fit (never, for a list compiled from text).
  bool overflowed() const noexcept { return overflowed_; }
  std::size_t size() const noexcept { return size_; }
  const ExprCodeNode& operator[](std::size_t i) const noexcept { return nodes_[i]; }

 private:
  void Add(const ExprCodeNode& node) noexcept {
    if (size_ == kCapacity) {
      overflowed_ = true;
      return;
    }
    nodes_[size_++] = node;
  }

  ExprCodeNode nodes_[kCapacity];
  std::size_t size_ = 0;
  bool overflowed_ = false;
};

}  // namespace nc
