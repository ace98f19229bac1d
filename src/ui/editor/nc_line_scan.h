// The coloured ranges of one editor line: the kinds of its parts as
// nc/lexical finds them (nc::WordKindsOfLine), at the editor's positions.
#pragma once

#include <QStringView>
#include <vector>

#include "nc/lexical/word_kinds.h"

namespace ui {

using NcWordKind = nc::WordKind;

struct NcSpan {
  int start = 0;
  int length = 0;
  NcWordKind kind = NcWordKind::GCode;
  bool operator==(const NcSpan&) const = default;
};

// The coloured ranges of one line, left to right, never overlapping.
std::vector<NcSpan> ScanNcLine(QStringView line);

}  // namespace ui
