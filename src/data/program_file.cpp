#include "data/program_file.h"

namespace data {

ProgramLoad ProgramLoadOf(ProgramReadStatus status) {
  switch (status) {
    case ProgramReadStatus::kOk: return ProgramLoad::Ok;
    case ProgramReadStatus::kTooLarge: return ProgramLoad::TooLarge;
    case ProgramReadStatus::kBinary: return ProgramLoad::Binary;
    default: return ProgramLoad::Unreadable;
  }
}

ProgramLoad LoadProgramText(const std::string& path, ProgramText& text) {
  text = ProgramText();
  ProgramReader reader;
  if (reader.Open(path, kMaxProgramFileBytes) != ProgramReadStatus::kOk) return ProgramLoadOf(reader.status());
  // Room for the text with every line end written as CR LF, reserved at
  // once: memory that is never written is never taken.
  text.Reserve(2 * reader.FileSize() + 2);
  std::string line;
  while (reader.ReadLine(line)) text.AppendLine(line);
  const ProgramLoad result = ProgramLoadOf(reader.status());
  if (result != ProgramLoad::Ok) text = ProgramText();
  return result;
}

ProgramLoad LoadProgramText(const std::string& path, std::vector<std::string>& lines) {
  ProgramText text;
  const ProgramLoad result = LoadProgramText(path, text);
  lines = text.Lines();
  return result;
}

bool SaveProgramText(const std::string& path, const ProgramText& text, Durability durability) {
  return WriteFileReplacing(path, text.Bytes(), durability);
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
