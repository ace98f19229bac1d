// The G, M and general code description tables of the selected controller
// type, loaded from "G_", "M_" and "A_" + prefix + ".DAT" when the working
// state is entered. Nothing in drawing or transfer consults them.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "data/dialogs.h"

namespace nc {

inline constexpr int kDescriptionEntries = 99;

inline constexpr char kDescriptionsNotFound[] = "Datei f\xFCr G-, M- oder allg. Beschreibung nicht gefunden";
inline constexpr char kDescriptionsUnusable[] = "Datei f\xFCr G-, M- oder allg. Beschreibung nicht brauchbar";

struct CodeEntry {
  std::uint8_t number = 0;  // M and G tables
  std::string word;         // general table: up to 4 characters, blanks removed
  char codeClass = 0;
};

struct CodeDescriptions {
  // Entry k holds line k of its file (entry 0 stays empty).
  std::array<CodeEntry, kDescriptionEntries + 1> m{}, g{}, general{};
  std::uint8_t mCount = 0, gCount = 0, generalCount = 0;

  void ClearTables();
};

// Loads the three files of controllerType from dataDirectory. A missing
// file clears all three tables silently; an unusable one also shows its box.
void LoadCodeDescriptions(CodeDescriptions& tables, const std::string& dataDirectory, int controllerType,
                          data::Dialogs& dialogs);

}  // namespace nc
