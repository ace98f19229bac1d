// The code list of a compiled expression: operations in postfix order, in
// a fixed array on the stack. Every operation stems from a distinct token
// and every token from at least one byte, so a list never outgrows the
// longest text.
#pragma once

#include <cstddef>

#include "nc/expression_text.h"
#include "nc/expression_tokens.h"

namespace nc {

// Left uninitialised on purpose: a list fills only the nodes it uses.
struct CodeNode {
  Token operation;
  long double constant;  // meaningful for kConst only
};

class CodeList {
 public:
  static constexpr std::size_t kCapacity = ExpressionText::kCapacity;

  void Emit(Token operation) noexcept { Add({operation, 0.0L}); }
  void EmitConstant(long double value) noexcept { Add({Token::kConst, value}); }

  // True when an emission did not fit (never, for a list compiled from text).
  bool overflowed() const noexcept { return overflowed_; }
  std::size_t size() const noexcept { return size_; }
  const CodeNode& operator[](std::size_t i) const noexcept { return nodes_[i]; }

 private:
  void Add(const CodeNode& node) noexcept {
    if (size_ == kCapacity) {
      overflowed_ = true;
      return;
    }
    nodes_[size_++] = node;
  }

  CodeNode nodes_[kCapacity];
  std::size_t size_ = 0;
  bool overflowed_ = false;
};

}  // namespace nc
