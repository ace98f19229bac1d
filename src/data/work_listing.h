// The work listing: the flat list of program lines that a drawing run walks
// (main program, end marker, each subprogram and its end marker), and the
// table of where each program lies in it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace data {

struct WorkListing {
  std::vector<std::string> lines;  // line n is lines[n - 1]
  std::int32_t lineCount = 0;      // the last counted line

  // A cleared listing holds one empty line.
  void Clear() {
    lines.assign(1, std::string());
    lineCount = 0;
  }
  // Text of line n when it exists, else the empty text.
  const std::string& Line(std::int64_t n) const {
    static const std::string kEmpty;
    return (n >= 1 && n <= static_cast<std::int64_t>(lines.size())) ? lines[n - 1] : kEmpty;
  }
};

inline constexpr int kSubprogramEntries = 256;
inline constexpr std::size_t kMaxSubprogramName = 12;
inline constexpr std::size_t kMaxProgramName = 8;

struct SubprogramEntry {
  std::int32_t start = 0;  // listing line just before the program's "%" line
  std::int32_t end = 0;    // the program's last counted line
  std::string name;        // at most 12 characters
};

struct SubprogramTable {
  std::array<SubprogramEntry, kSubprogramEntries> entries{};
  std::int32_t count = 0;  // subprogram entries in use (entry 0 is the main program)

  // Name of entry index, or the empty text for an index outside the table.
  const std::string& NameOf(std::int64_t index) const {
    static const std::string kEmpty;
    return (index >= 0 && index < kSubprogramEntries) ? entries[index].name : kEmpty;
  }
};

}  // namespace data
