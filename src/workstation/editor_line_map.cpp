#include "workstation/editor_line_map.h"

#include <algorithm>
#include <string_view>

namespace rur {
namespace {

// Line 1 of the listing is the empty line of a cleared listing; the main
// program's header follows it.
constexpr std::int32_t kHeaderListingLine = 2;

// The line ends inside one editor line: the draw command writes the editor's
// lines to a file, and its reader ends a line at CR LF, CR and LF alike, so
// an editor line holding a lone CR or LF is several lines of the file.
std::int32_t LineEndsWithin(std::string_view line) {
  std::int32_t ends = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] != '\r' && line[i] != '\n') continue;
    ++ends;
    if (line[i] == '\r' && i + 1 < line.size() && line[i + 1] == '\n') ++i;
  }
  return ends;
}

// The file line (from 1) at which each editor line begins, and last the
// one after the text.
std::vector<std::int32_t> FileLineStarts(const data::ProgramText& text) {
  std::vector<std::int32_t> starts;
  std::int32_t fileLine = 1;
  text.ForEachLine([&](std::string_view line) {
    starts.push_back(fileLine);
    fileLine += 1 + LineEndsWithin(line);
  });
  starts.push_back(fileLine);
  return starts;
}

}  // namespace

EditorLineMap::EditorLineMap(const data::WorkListing& listing, const data::SubprogramTable& subprograms,
                             const data::ProgramText& drawnText) {
  const std::vector<std::int32_t> starts = FileLineStarts(drawnText);
  const std::int32_t last = subprograms.entries[0].end;
  for (std::int32_t n = kHeaderListingLine; n <= last; ++n) {
    const data::ListingOrigin origin = listing.Origin(n);
    const auto after = std::upper_bound(starts.begin(), starts.end(), origin.line);
    if (origin.program != 0 || after == starts.begin() || after == starts.end()) {
      editorLines_.clear();  // not the listing of this text
      return;
    }
    editorLines_.push_back(static_cast<std::int32_t>(after - starts.begin()) - 1);
  }
}

std::int32_t EditorLineMap::FirstListingLine() const { return kHeaderListingLine; }

std::int32_t EditorLineMap::LastListingLine() const {
  return kHeaderListingLine + static_cast<std::int32_t>(editorLines_.size()) - 1;
}

std::int32_t EditorLineMap::EditorLineOf(std::int32_t listingLine) const {
  if (listingLine < FirstListingLine() || listingLine > LastListingLine()) return -1;
  return editorLines_[static_cast<std::size_t>(listingLine - kHeaderListingLine)];
}

ListingLineRange EditorLineMap::ListingLinesOf(std::int32_t editorLine) const {
  return ListingLinesOf(editorLine, editorLine);
}

ListingLineRange EditorLineMap::ListingLinesOf(std::int32_t firstEditorLine, std::int32_t lastEditorLine) const {
  const auto low = std::lower_bound(editorLines_.begin(), editorLines_.end(), firstEditorLine);
  const auto high = std::upper_bound(low, editorLines_.end(), lastEditorLine);
  if (low >= high) return {};
  return {kHeaderListingLine + static_cast<std::int32_t>(low - editorLines_.begin()),
          kHeaderListingLine + static_cast<std::int32_t>(high - editorLines_.begin()) - 1};
}

}  // namespace rur
