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
  std::string line;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const char c = static_cast<char>(bytes[i]);
    if (c == '\r' || c == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return ProgramLoad::Ok;
}

bool SaveProgramText(const std::string& path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) {
    bytes += line;
    bytes += "\r\n";
  }
  return WriteFileReplacing(path, bytes);
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
