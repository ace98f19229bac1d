#include "window/gcode_import_offer.h"

#include <algorithm>

#include "data/block_record.h"

namespace app {
namespace {

std::string Counted(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

std::string ImportQuestion(const nc::StandardSign& sign) {
  return "Das Programm sieht nach Standard-G-Code aus:\n" + nc::DescribeStandardSign(sign) + "\n\n" + kImportQuestion;
}

std::string SplitQuestion(const nc::ImportResult& result) {
  return "Das \xFC" "bernommene Programm hat " + std::to_string(result.blocks) +
         " S\xE4tze, mehr als der Satzspeicher fasst (" + std::to_string(data::kMaxStoredBlocks) + ").\nIn " +
         std::to_string(result.parts.size()) + " Programme aufteilen (NAME, NAME_2, ...) und speichern?";
}

std::string ImportRefusedText(const std::string& firstRefusal) {
  return "Das Programm kann nicht aus Standard-G-Code \xFC" "bernommen werden:\n" + firstRefusal +
         "\nDer Text bleibt wie geladen.";
}

std::string ImportSummary(const nc::ImportResult& result) {
  const auto refusals = static_cast<std::size_t>(std::count_if(
      result.notes.begin(), result.notes.end(),
      [](const nc::ImportNote& note) { return note.kind == nc::ImportNoteKind::kRefusal; }));
  const std::string click = " Ein Klick auf eine Zeile zeigt sie im Editor.";
  if (!result.ok) {
    return "Nicht \xFC" "bernommen: " + Counted(refusals, "Stelle", "Stellen") + " nicht umsetzbar." + click;
  }
  if (result.notes.empty()) return "Aus Standard-G-Code \xFC" "bernommen, ohne \xC4nderung.";
  return "Aus Standard-G-Code \xFC" "bernommen, " + Counted(result.notes.size(), "\xC4nderung", "\xC4nderungen") + "." +
         click;
}

}  // namespace app
