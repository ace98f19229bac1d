#include "data/program_file.h"

#include <algorithm>
#include <cstdint>

#include "data/files.h"

namespace data {

ProgramLoad LoadProgramText(const std::string& path, std::vector<std::string>& lines) {
  lines.clear();
  std::vector<std::uint8_t> bytes;
  switch (ReadWholeFile(path, kMaxProgramFileBytes, bytes)) {
    case ReadStatus::Ok: break;
    case ReadStatus::TooLarge: return ProgramLoad::TooLarge;
    default: return ProgramLoad::Unreadable;
  }
  if (std::find(bytes.begin(), bytes.end(), 0) != bytes.end()) return ProgramLoad::Binary;
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = start;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    lines.emplace_back(text.substr(start, end - start));
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return ProgramLoad::Ok;
}

bool SaveProgramText(const std::string& path, const std::vector<std::string>& lines, Durability durability) {
  std::string bytes;
  for (const auto& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return WriteFileReplacing(path, bytes, durability);
}

std::string ProgramLoadError(ProgramLoad result, std::string_view path) {
  const std::string name(path);
  switch (result) {
    case ProgramLoad::TooLarge: return "Programm " + name + " ist zu gro\xDF (mehr als 8 MB)!";
    case ProgramLoad::Binary: return "Programm " + name + " ist keine Textdatei!";
    default: return "Programm " + name + " kann nicht gelesen werden!";
  }
}

std::string ProgramSaveError(std::string_view path) {
  return "Programm " + std::string(path) + " kann nicht gespeichert werden!\nDie alte Datei bleibt erhalten.";
}

}  // namespace data
