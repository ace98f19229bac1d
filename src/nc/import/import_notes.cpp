#include "nc/import/import_notes.h"

#include <algorithm>

namespace nc::import {

void ImportNotes::Change(std::int32_t line, std::string text) {
  notes_.push_back({ImportNoteKind::kChange, line, 0, std::move(text)});
}

void ImportNotes::ChangeOnce(std::string_view key, std::int32_t line, std::string text) {
  const auto found = recurring_.find(key);
  if (found != recurring_.end()) {
    ++found->second.count;
    return;
  }
  recurring_.emplace(std::string(key), Recurring{notes_.size(), 1});
  Change(line, std::move(text));
}

bool ImportNotes::Refuse(std::int32_t line, std::string text) {
  if (!refused_) notes_.push_back({ImportNoteKind::kRefusal, line, 0, std::move(text)});
  refused_ = true;
  return false;
}

void ImportNotes::EndBlock(std::int32_t outputLine) {
  for (std::size_t i = blockStart_; i < notes_.size(); ++i) {
    if (notes_[i].kind == ImportNoteKind::kChange) notes_[i].outputLine = outputLine;
  }
  blockStart_ = notes_.size();
}

std::vector<ImportNote> ImportNotes::Finish() {
  for (const auto& [key, r] : recurring_) {
    if (r.count > 1) notes_[r.index].text += " (" + std::to_string(r.count) + " Zeilen)";
  }
  std::stable_sort(notes_.begin(), notes_.end(),
                   [](const ImportNote& a, const ImportNote& b) { return a.sourceLine < b.sourceLine; });
  return std::move(notes_);
}

}  // namespace nc::import
