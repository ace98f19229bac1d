// Converts the blocks of a standard G-code program, in the order a
// standard control runs them, into dialect lines: tracks the modal state
// (motion, units, distance and arc-centre modes, plane, feed, spindle,
// tool, zero point, position) and writes each block with absolute
// millimetre coordinates and its motion word, arcs as the controller type
// reads them, drilling cycles as moves. Notes every change, refuses what
// cannot be converted.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/controllers.h"
#include "nc/import/arc_math.h"
#include "nc/import/canned_cycles.h"
#include "nc/import/dialect_writer.h"
#include "nc/import/import_notes.h"
#include "nc/import/source_block.h"
#include "nc/import/source_line.h"

namespace nc::import {

inline constexpr char kAxisLetters[] = "XYZ";
// Points closer than this are one point.
inline constexpr double kSamePoint = 1e-6;

class BlockImporter {
 public:
  BlockImporter(const data::ControllerTraits& traits, ImportNotes& notes, DialectWriter& writer)
      : traits_(traits), notes_(notes), writer_(writer) {}

  // One block as the program runs it (a line without code passes with an
  // empty block, so that its comment stays). False after a refusal.
  bool Block(const SourceLine& line, const SourceBlock& block);

  // After the last block: checks that had to wait for the whole program;
  // the safe height (the highest Z the program reaches), if any.
  bool Finish(std::optional<double>& safeHeight);

 private:
  struct Axis {
    double value = 0.0;
    bool known = false;
  };
  using Point = std::array<double, 3>;
  using Given = std::array<bool, 3>;
  // The words of a block sorted by what they do.
  // The G word of each modal group the block names (tenths).
  using Words = std::array<std::optional<int>, 13>;
  struct PendingHome {
    std::int32_t line = 0;
    double z = 0.0;
    std::string what;
  };

  bool Run(const SourceLine& line, const SourceBlock& b);
  bool SortGWords(const SourceBlock& b, Words& words);
  bool ApplyModes(const Words& words);
  bool RefuseForeignLetters(const SourceBlock& b);
  bool Feed(const SourceBlock& b);
  bool Spindle(const SourceBlock& b);
  bool ToolChange(const SourceBlock& b);
  bool MWords(const SourceBlock& b);
  bool Compensation(const SourceBlock& b, const Words& words);
  bool Dwell(const SourceBlock& b, const Words& words);
  bool Motion(const SourceBlock& b, const Words& words);
  bool Stops(const SourceBlock& b);
  bool CheckUsed(const SourceBlock& b);

  // Motions (block_motion.cpp, block_cycles.cpp).
  bool Target(const SourceBlock& b, Point& target, Given& given);
  bool Straight(const SourceBlock& b, bool rapid);
  bool Arc(const SourceBlock& b, bool clockwise);
  bool ArcInPlane(PlanePoint start, PlanePoint end, PlanePoint centre, double sweep, const Point& target,
                  const Given& given, bool clockwise, std::optional<double> radius);
  bool ArcAsChords(PlanePoint start, PlanePoint end, PlanePoint centre, double sweep, const Point& target,
                   const Given& given);
  bool Home(const SourceBlock& b, int code);
  bool MachineCoordinates(const SourceBlock& b);
  bool HomeAxes(bool z, bool xy, const std::string& what);
  bool Cycle(const SourceBlock& b, std::optional<int> named);
  bool CycleMoves(const std::vector<CycleMove>& moves);
  bool DwellLine(double seconds);
  bool NeedFeed(const char* what);
  // A feed move may not leave X or Y at a reference point (unknown here).
  bool NotAtHome(const Given& given, const std::string& what);

  // Output.
  void Emit(const std::string& code, bool move = false, bool rapid = false);
  void FlushSettings();
  std::string AxisWords(const Point& p, const Given& given);
  std::string CentreWords(PlanePoint centre, PlanePoint writtenStart);
  bool Fits(char letter, double value);
  void MoveTo(const Point& p, const Given& given);
  void Use(char letter) { used_ |= 1u << (letter - 'A'); }
  bool Used(char letter) const { return (used_ >> (letter - 'A') & 1u) != 0; }
  void AddPost(std::string word) { post_.push_back(std::move(word)); }
  std::array<int, 3> PlaneAxes() const;

  bool Refuse(std::string text) { return notes_.Refuse(line_, std::move(text)); }
  void Note(std::string_view key, std::string text) { notes_.ChangeOnce(key, line_, std::move(text)); }
  double Mm(double value) const { return inch_ ? value * 25.4 : value; }

  const data::ControllerTraits& traits_;
  ImportNotes& notes_;
  DialectWriter& writer_;
  std::int32_t line_ = 0;

  // The standard control's state.
  int motion_ = -1;  // tenths of the motion G word in force; -1: none yet
  bool incremental_ = false;
  bool arcAbsolute_ = false;  // G90.1
  bool inch_ = false;
  int plane_ = 170;
  int retract_ = 98;
  std::optional<double> feed_;     // mm/min
  std::optional<int> nextTool_;    // the last T programmed
  std::array<Axis, 3> position_;   // program coordinates, mm
  bool zAtSafeHeight_ = false;     // after a retract to the safe height
  std::array<bool, 2> atHome_{};   // X, Y at a reference point, their return left out
  std::optional<double> highestZ_;
  std::optional<std::int32_t> firstRetract_;
  std::vector<PendingHome> pendingHomes_;
  CannedCycles cycles_;
  unsigned used_ = 0;  // letters the block's words were used for, bit per letter
  Given named_{};      // axes the block names, also those it does not move
  int stoppedDirection_ = 5;  // the spindle's direction before a G86 stopped it

  // The dialect's state: written_ as written so far, next_ with the words
  // of the line being put together.
  DialectState written_, next_;
  std::vector<std::string> pre_, post_;  // words before and after the motion of the next line
};

}  // namespace nc::import
