// The import of standard G-code, as CAM post-processors write it, into the
// dialect: the program is read as a standard control reads it (modal
// motion, units, distance and arc-centre modes, plane, feed, tool) and
// written as dialect blocks that draw and send the same path. Every change
// is noted with its source line; whatever cannot be converted is refused,
// never passed on to be misread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nc {

enum class ImportNoteKind : std::uint8_t {
  kChange,   // converted, dropped or assumed; the program is still made
  kRefusal,  // cannot be converted: no program is made
};

struct ImportNote {
  ImportNoteKind kind = ImportNoteKind::kChange;
  std::int32_t sourceLine = 0;  // line of the imported text, from 1; 0: the program as a whole
  std::int32_t outputLine = 0;  // line of the dialect program it concerns, from 1; 0: none
  std::string text;             // German, Windows-1252, without the "Zeile N: " prefix
};

struct ImportOptions {
  int controllerType = 17;         // decides how arc centres (I, J) are written
  std::string programNumber = "1";  // the header line is "%" and this; parts count on from it
};

// One dialect program: its lines without line ends, the header first.
struct ImportedProgram {
  std::vector<std::string> lines;
  // For each line, the line of the imported text it came from (from 1; 0
  // for lines the import made up, such as the header).
  std::vector<std::int32_t> sourceLines;
};

struct ImportResult {
  bool ok = false;           // false after a refusal; `program` is then empty
  ImportedProgram program;   // the whole program
  // Only when `program` holds more blocks than a drawing stores (31,999):
  // consecutive programs, each within that limit, split before rapid moves
  // made without radius compensation. The first part has the program's header,
  // part k > 1 the header "%" + (the program number + k - 1) and first the
  // state it needs (G90, zero point, tool and correction, spindle, coolant,
  // feed, then a rapid up to the safe height, over to where part k - 1
  // ended and down to its Z). Empty also when no split was possible (a
  // note of line 0 says so and why).
  std::vector<ImportedProgram> parts;
  std::vector<ImportNote> notes;  // in source order, refusals among them
  std::int64_t blocks = 0;   // blocks a drawing of `program` stores: its lines and the listing's empty first line
};

// Imports the text of a standard G-code program (any line ends; binary junk
// and absurd numbers are refused with the line). Takes time linear in the
// text (subroutines counted at each call). Never throws.
ImportResult ImportProgram(std::string_view text, const ImportOptions& options);

// The program number a file name gives: its name without directory and
// extension when that is "%N", "N" or "ON" (N of 1 to 6 digits, leading
// zeros kept), else "1".
std::string ProgramNumberOfFileName(std::string_view fileName);

// "Zeile 12: TEXT" (or TEXT alone for line 0), as both faces list a note.
std::string DescribeImportNote(const ImportNote& note);

}  // namespace nc
