// Bounds of one preparation run. A subprogram file may be any file of any
// size; these bounds lie far above any drawable program (at most 31,999
// blocks) and keep a stray or huge file from exhausting time or memory.
// Reaching one stops the preparation with a direct message.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "nc/preparation/preparation.h"

namespace nc {

// Lines of the work listing, end markers included.
inline constexpr std::int32_t kMaxListingLines = 500000;
// Bytes read from all program files of one preparation together.
inline constexpr std::size_t kMaxProgramBytes = std::size_t{32} << 20;
// Subprogram entries of the table (entry 0 is the main program).
inline constexpr std::int32_t kMaxSubprograms = data::kSubprogramEntries - 1;
// Digits of a program number in a "%" header.
inline constexpr std::size_t kMaxProgramNumberDigits = 6;

inline constexpr char kSubprogramEndMarker[] = "(Unterprogramm-Ende)";

// Direct messages (Windows-1252).
inline constexpr char kListingFull[] = "Programm zu lang: mehr als 500000 Zeilen!";
inline constexpr char kProgramTooLarge[] = "Programmdateien zu gro\xDF: mehr als 32 MB!";
inline constexpr char kTooManySubprograms[] = "Mehr als 255 verschiedene Unterprogramme aufgerufen!";
inline constexpr char kSubprogramNameTooLong[] = "Unterprogrammnummer l\xE4nger als 12 Zeichen!";

// Shows text as a direct message naming table entry programIndex and
// listing line listingLine; returns false for the caller to pass on.
bool ReportDirect(Preparation& p, std::int32_t programIndex, std::int32_t listingLine, std::string_view text);

}  // namespace nc
