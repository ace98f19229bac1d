// NC program files: plain Windows-1252 text, one block per line. Loading
// refuses what would hang or garble the editor; saving writes aside and
// replaces, so a failed save leaves the previous file intact.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/files.h"
#include "data/program_reader.h"
#include "data/program_text.h"

namespace data {

// Largest program file the editor takes (the largest drawable program is
// far below this).
inline constexpr std::size_t kMaxProgramFileBytes = 8u << 20;

enum class ProgramLoad { Ok, Unreadable, TooLarge, Binary };

// Reads a program (CR LF, LF and CR all end a line; a final line end does
// not start another line).
ProgramLoad LoadProgramText(const std::string& path, ProgramText& text);
ProgramLoad LoadProgramText(const std::string& path, std::vector<std::string>& lines);

// Writes the lines, each followed by CR LF.
bool SaveProgramText(const std::string& path, const ProgramText& text, Durability durability = Durability::Synced);

// The load result of a program file read with the checks of ProgramReader.
ProgramLoad ProgramLoadOf(ProgramReadStatus status);

// The operator's text for a failed load or save, naming the file.
std::string ProgramLoadError(ProgramLoad result, std::string_view path);
std::string ProgramSaveError(std::string_view path);

}  // namespace data
