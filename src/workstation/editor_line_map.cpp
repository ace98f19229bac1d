#include "workstation/editor_line_map.h"

#include <algorithm>
#include <string_view>

#include "data/text.h"
#include "nc/preparation/limits.h"
#include "nc/preparation/lines.h"
#include "nc/preparation/text.h"

namespace rur {
namespace {

// Line 1 of the listing is the empty line of a cleared listing; the main
// program's header follows it.
constexpr std::int32_t kHeaderListingLine = 2;

// Calls visit for every line the file reader finds in one editor line: CR
// LF, CR and LF each end a line, so an editor line holding a lone CR or LF
// reads as several.
template <typename Visit>
void ForEachFileLine(std::string_view editorLine, Visit&& visit) {
  std::size_t begin = 0;
  for (std::size_t i = 0; i < editorLine.size(); ++i) {
    if (editorLine[i] != '\r' && editorLine[i] != '\n') continue;
    visit(editorLine.substr(begin, i - begin));
    if (editorLine[i] == '\r' && i + 1 < editorLine.size() && editorLine[i + 1] == '\n') ++i;
    begin = i + 1;
  }
  visit(editorLine.substr(begin));
}

// The main program's file as LoadProgramFile reads it, line by line: up to
// the first "%", the header, then every line cleaned and split.
class MainProgramReplay {
 public:
  explicit MainProgramReplay(bool blockSkip) : blockSkip_(blockSkip) {}

  void Read(std::string_view line, std::int32_t editorLine) {
    if (stage_ == Stage::kSearching) {
      SearchStart(line, editorLine);
    } else if (stage_ == Stage::kBody) {
      lineAfterHeader_ = true;
      Body(line.substr(0, data::kMaxText), editorLine);
    }
  }

  // A file that ends right after the "%" and its line end holds no program.
  std::vector<ListingLine> Finish() {
    if (stage_ != Stage::kBody || (headerRestEmpty_ && !lineAfterHeader_)) return {};
    return std::move(lines_);
  }

 private:
  enum class Stage { kSearching, kBody, kFailed };

  // Everything before the first "%" is passed over; the header is the "%"
  // and the rest of its line.
  void SearchStart(std::string_view line, std::int32_t editorLine) {
    const std::size_t percent = line.find('%');
    if (percent == std::string_view::npos) return;
    const std::string_view rest = line.substr(percent + 1, data::kMaxText);
    headerRestEmpty_ = rest.empty();
    const std::string header = nc::CleanLine(data::CutText("%" + std::string(rest)), blockSkip_);
    stage_ = Stage::kBody;
    if (nc::DigitsAt(header, 1).size() > nc::kMaxProgramNumberDigits) {
      stage_ = Stage::kFailed;
      return;
    }
    Append(header, editorLine);
  }

  void Body(std::string_view line, std::int32_t editorLine) {
    if (nc::IsBlank(line)) return;
    for (std::string& piece : nc::SplitBeforeParameterWords(nc::CleanLine(line, blockSkip_))) {
      if (!nc::IsBlank(piece)) Append(std::move(piece), editorLine);
    }
  }

  // The listing's line count starts at 1 (its empty first line).
  void Append(std::string text, std::int32_t editorLine) {
    if (stage_ == Stage::kFailed) return;
    if (static_cast<std::int64_t>(lines_.size()) + 1 >= nc::kMaxListingLines) {
      stage_ = Stage::kFailed;
      return;
    }
    lines_.push_back({editorLine, std::move(text)});
  }

  bool blockSkip_;
  Stage stage_ = Stage::kSearching;
  bool headerRestEmpty_ = false;
  bool lineAfterHeader_ = false;
  std::vector<ListingLine> lines_;
};

}  // namespace

std::vector<ListingLine> ReplayMainProgram(const data::ProgramText& text, bool blockSkip) {
  const std::string& bytes = text.Bytes();
  if (bytes.size() > nc::kMaxProgramBytes || bytes.find('\0') != std::string::npos) return {};
  MainProgramReplay replay(blockSkip);
  std::int32_t editorLine = 0;
  text.ForEachLine([&](std::string_view line) {
    ForEachFileLine(line, [&](std::string_view fileLine) { replay.Read(fileLine, editorLine); });
    ++editorLine;
  });
  return replay.Finish();
}

EditorLineMap::EditorLineMap(const data::ProgramText& text, bool blockSkip) {
  std::vector<ListingLine> lines = ReplayMainProgram(text, blockSkip);
  editorLines_.reserve(lines.size());
  for (const ListingLine& line : lines) editorLines_.push_back(line.editorLine);
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
