// What both faces make of an import's result: the names of the files a
// program too long for the block store is split into, the text of each
// part, and the list of notes with the editor line each one concerns.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/program_text.h"
#include "nc/import/gcode_import.h"

namespace rur {

// The first part is `path` itself; part k from 2 on has "_k" before the
// extension of the file name ("/d/teil.nc" -> "/d/teil_2.nc", "%5" ->
// "%5_2"); a leading "." of the name is no extension.
std::string PartFileName(std::string_view path, std::size_t part);

// The program as a program file holds it.
data::ProgramText ProgramTextOf(const nc::ImportedProgram& program);

struct ImportNoteLine {
  std::string text;             // "Zeile 12: ...", Windows-1252
  std::int32_t editorLine = 0;  // from 1; 0: none to go to
  bool refusal = false;
};

// The notes of `result` as the window lists them. For a refused import the
// refusals alone, each with its source line (the editor keeps the loaded
// text); otherwise every note, with its output line in the whole program
// or, when `part` is in the editor, the line of the part made from the
// note's source line (0 when the note concerns another part).
std::vector<ImportNoteLine> ImportNoteLines(const nc::ImportResult& result, const nc::ImportedProgram* part = nullptr);

}  // namespace rur
