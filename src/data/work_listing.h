// The work listing: the flat list of program lines that a drawing run walks
// (main program, end marker, each subprogram and its end marker), each with
// the program and file line it came from, and the table of where each
// program lies in it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace data {

// Where a line of the listing came from: the program (its entry in the
// subprogram table, 0 the main program) and the line of that program's file,
// counted from 1 as a reader of the file counts them (CR LF, CR and LF each
// end a line). Line 0 for what no file holds: the listing's empty first line
// and the end markers.
struct ListingOrigin {
  std::int32_t program = 0;
  std::int32_t line = 0;
  bool operator==(const ListingOrigin&) const = default;
};

// The lines are held back to back in one buffer with the offsets where they
// end, so that a listing of many short lines costs little more than its text.
class WorkListing {
 public:
  // A cleared listing holds one empty line.
  void Clear();

  // Appends text as the new last line, cut to kMaxText characters (no line
  // of the listing is ever longer), with where it came from. False, and
  // nothing appended, when the listing holds 4 GiB of text already.
  bool Append(std::string_view text, ListingOrigin origin = {});

  // Makes room for `bytes` more text at once, so that reading a program of a
  // known size does not move the text held so far again and again.
  void Reserve(std::size_t bytes);

  // Lines held, counted or not.
  std::int64_t Size() const { return static_cast<std::int64_t>(lines_.size()); }

  // Text of line n (from 1) when it exists, else the empty text. The view
  // is valid until the next Append, Reserve or Clear.
  std::string_view Line(std::int64_t n) const;
  // Where line n came from; the empty origin for a line that does not exist.
  ListingOrigin Origin(std::int64_t n) const;

  std::int32_t lineCount = 0;  // the last counted line

 private:
  // Line n ends in text_ at lines_[n - 1].end and begins where line n - 1
  // ends; one entry a line, so that appending a line grows one table.
  struct LineEntry {
    std::uint32_t end = 0;
    ListingOrigin origin;
  };
  std::string text_;  // every line, one after the other
  std::vector<LineEntry> lines_;
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
