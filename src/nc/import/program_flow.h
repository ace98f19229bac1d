// The order in which a standard control runs the lines of a program: the
// main program up to its M2 or M30, subroutines without arguments inlined
// where they are called (LinuxCNC "o100 sub" ... "o100 endsub" and "o100
// call", Fanuc "O1000" ... "M99" after the main program and "M98 P1000"),
// "#n = value" assignments taking effect after their line. Loops,
// conditions, calls with arguments and every other O-word construct are
// refused with the line.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "nc/import/block_importer.h"
#include "nc/import/import_notes.h"
#include "nc/import/source_block.h"
#include "nc/import/source_line.h"

namespace nc::import {

// An O-word line: "O100 SUB", "O<NAME> CALL", "O1000" (code as SourceLine gives it).
struct OWord {
  std::string label;    // the digits without leading zeros, or "<NAME>"
  std::string keyword;  // SUB, CALL, IF, ... or empty
  std::string rest;     // what follows the keyword
};

// False when the code is no O-word line (an N word may come first); true
// with reason set when it is one that cannot be read.
bool ReadOWord(std::string_view code, OWord& o, std::string& reason);

class ProgramFlow {
 public:
  ProgramFlow(std::vector<std::string_view> lines, ImportNotes& notes, BlockImporter& importer)
      : lines_(std::move(lines)), notes_(notes), importer_(importer) {}

  // Runs every line through the importer; false after a refusal.
  bool Run();

 private:
  enum class Role : std::uint8_t {
    kMain,           // runs in the main program
    kSubroutine,     // a subroutine's body, runs where it is called
    kFrame,          // begins or ends a subroutine
    kProgramNumber,  // the main program's "O" number: only its comment stays
    kAfterEnd,       // after M2 or M30, outside subroutines: left out
  };
  struct Subroutine {
    std::size_t begin = 0, end = 0;  // body lines
  };

  bool Collect();
  bool CollectInSubroutine(std::size_t index, const SourceLine& line, bool isO, const OWord& o);
  bool Read(std::size_t index, SourceLine& line);
  bool RunRange(std::size_t begin, std::size_t end, int depth);
  bool RunLine(std::size_t index, int depth, bool& ended);
  bool RunOWord(const SourceLine& line, const OWord& o, int depth);
  bool Call(const SourceLine& line, const std::string& label, int depth);
  bool RunBlock(const SourceLine& line, int depth, bool& ended);
  bool CallByM98(const SourceLine& line, const SourceBlock& block, int depth);
  bool KeepComment(const SourceLine& line);
  bool Refuse(std::int32_t line, std::string text) { return notes_.Refuse(line, std::move(text)); }

  std::vector<std::string_view> lines_;
  ImportNotes& notes_;
  BlockImporter& importer_;
  std::vector<Role> roles_;
  std::map<std::string, Subroutine> subroutines_;
  std::vector<std::string> callStack_;
  // The subroutine being collected.
  std::string open_;
  bool openFanuc_ = false;
  std::size_t openBegin_ = 0;
  std::int32_t openLine_ = 0;
  Parameters parameters_;
  std::int64_t executed_ = 0;
};

}  // namespace nc::import
