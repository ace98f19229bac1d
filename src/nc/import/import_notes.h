// The list of what an import changed and refused, with source lines: a
// change that recurs is listed once, at its first line, with the number of
// lines it concerns; the first refusal ends the import. The notes of a
// block learn the dialect line the block became once it is written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "nc/import/gcode_import.h"

namespace nc::import {

class ImportNotes {
 public:
  void Change(std::int32_t line, std::string text);
  // Listed at its first line; later ones only counted.
  void ChangeOnce(std::string_view key, std::int32_t line, std::string text);
  // Only the first refusal is kept; returns false for the caller's return.
  bool Refuse(std::int32_t line, std::string text);
  bool refused() const { return refused_; }

  // The notes made since BeginBlock concern dialect line outputLine (0: none).
  void BeginBlock() { blockStart_ = notes_.size(); }
  void EndBlock(std::int32_t outputLine);

  // In source order (stable), with the counts of recurring changes.
  std::vector<ImportNote> Finish();

 private:
  struct Recurring {
    std::size_t index = 0;
    int count = 0;
  };
  std::vector<ImportNote> notes_;
  std::map<std::string, Recurring, std::less<>> recurring_;
  std::size_t blockStart_ = 0;
  bool refused_ = false;
};

}  // namespace nc::import
