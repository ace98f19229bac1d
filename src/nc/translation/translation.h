// Block translation: rewrites one block from the operator's dialect into
// the internal dialect that the interpreter reads (parameters, functions,
// tool and correction words, mirroring, radius words, jumps and calls),
// and reports what it cannot accept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "data/message_centre.h"
#include "nc/words/param_table.h"

namespace nc {

// Mirror factors set by "G51": +1 normal, -1 mirrored.
struct MirrorFactors {
  std::int32_t x = 1;
  std::int32_t y = 1;
};

// Translates block in place (an empty block is accepted unchanged). Returns
// false after a message; the block then still has its marks decoded.
// Conditions of jumps and calls are evaluated with the parameters.
bool TranslateBlock(std::string& block, MirrorFactors& mirror, const ParamTable& params,
                    data::MessageCentre& messages);

}  // namespace nc
