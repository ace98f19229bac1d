// Splits an imported program that holds more blocks than a drawing stores
// into consecutive programs, each before a rapid move, each starting with
// the state it needs and a safe rapid to where the one before ended.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "nc/import/dialect_writer.h"
#include "nc/import/gcode_import.h"

namespace nc::import {

// The first lines of a part that starts in state: G90 and the zero point,
// tool and correction, spindle, coolant and feed, then up to the safe
// height, over to X/Y and down to Z.
std::vector<std::string> PartPrologue(const DialectState& state, std::optional<double> safeHeight);

// Parts of at most maxBlocks blocks each (its lines and the drawing's
// empty first line). False with a German reason when the program cannot
// be split (no rapid move where one is needed, a program number beyond
// six digits).
bool SplitProgram(const ImportedProgram& program, const std::vector<DialectWriter::SplitPoint>& points,
                  std::optional<double> safeHeight, const std::string& programNumber, long maxBlocks,
                  std::vector<ImportedProgram>& parts, std::string& reason);

}  // namespace nc::import
