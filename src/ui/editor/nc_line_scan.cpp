#include "ui/editor/nc_line_scan.h"

#include <string>

namespace ui {

std::vector<NcSpan> ScanNcLine(QStringView line) {
  // One byte for each UTF-16 unit, so that positions stay the editor's:
  // the scan looks at ASCII only, and every other character is none of it.
  std::string bytes(static_cast<std::size_t>(line.size()), '\x80');
  for (qsizetype i = 0; i < line.size(); ++i) {
    if (line[i].unicode() < 0x80) bytes[static_cast<std::size_t>(i)] = static_cast<char>(line[i].unicode());
  }
  std::vector<NcSpan> spans;
  for (const nc::WordSpan& span : nc::WordKindsOfLine(bytes)) {
    spans.push_back({static_cast<int>(span.start), static_cast<int>(span.length), span.kind});
  }
  return spans;
}

}  // namespace ui
