#include "nc/words/code_descriptions.h"

#include <istream>

#include "data/controllers.h"
#include "data/files.h"
#include "data/line_reader.h"
#include "data/text.h"
#include "nc/lexical/characters.h"

namespace nc {
namespace {

enum class Kind { M, G, General };

// The controller type without description files.
constexpr int kTypeWithoutDescriptions = 12;

enum class LoadResult { Ok, Failed };

// A whole decimal integer with an optional sign, nothing else.
bool ParseKey(const std::string& text, long& value) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && IsSign(text[i])) negative = text[i++] == '-';
  if (i == text.size()) return false;
  long v = 0;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return false;
    if (v < 100000) v = v * 10 + (text[i] - '0');
  }
  value = negative ? -v : v;
  return true;
}

// Stores one "key,class" line into entry k; false when the key is no number.
bool StoreLine(Kind kind, const std::string& line, CodeEntry& entry) {
  const auto comma = line.find(',');
  const std::string key = line.substr(0, comma);
  entry.codeClass = comma == std::string::npos || comma + 1 >= line.size() ? '\0' : line[comma + 1];
  if (kind == Kind::General) {
    std::string word;
    for (char c : key) {
      if (c != ' ' && word.size() < 4) word += c;
    }
    entry.word = word;
    return true;
  }
  long number = 0;
  if (!ParseKey(data::Trim(key), number)) return false;
  entry.number = static_cast<std::uint8_t>(number & 0xFF);  // stored as a byte
  return true;
}

LoadResult LoadFile(Kind kind, const std::string& path, std::array<CodeEntry, kDescriptionEntries + 1>& table,
                    std::uint8_t& count, data::Dialogs& dialogs) {
  data::InputFile file;  // a regular file only: a FIFO in its place must not block
  std::istream& in = file.stream();
  if (file.Open(path) != data::ReadStatus::Ok) {
    dialogs.Information(kDescriptionsNotFound);
    return LoadResult::Failed;
  }
  std::string line;
  int k = 0;
  while (k < kDescriptionEntries && data::ReadTextLine(in, line)) {
    ++k;
    line = data::StripLeadingBlanks(line);
    if (line.empty()) continue;
    if (!StoreLine(kind, line, table[static_cast<std::size_t>(k)])) {
      dialogs.Information(kDescriptionsUnusable);
      return LoadResult::Failed;
    }
  }
  if (file.failed()) {
    dialogs.Information(kDescriptionsUnusable);
    return LoadResult::Failed;
  }
  count = static_cast<std::uint8_t>(k);
  return LoadResult::Ok;
}

}  // namespace

void CodeDescriptions::ClearTables() {
  m.fill({});
  g.fill({});
  general.fill({});
}

void LoadCodeDescriptions(CodeDescriptions& tables, const std::string& dataDirectory, int controllerType,
                          data::Dialogs& dialogs) {
  tables.ClearTables();
  if (controllerType == kTypeWithoutDescriptions) return;
  struct File {
    Kind kind;
    const char* prefix;
    std::array<CodeEntry, kDescriptionEntries + 1>& table;
    std::uint8_t& count;
  };
  const File files[] = {{Kind::M, "M_", tables.m, tables.mCount},
                        {Kind::G, "G_", tables.g, tables.gCount},
                        {Kind::General, "A_", tables.general, tables.generalCount}};
  for (const File& f : files) {
    const std::string name = std::string(f.prefix) + data::ControllerPrefix(controllerType) + ".DAT";
    const auto path = data::FindFileNoCase(dataDirectory, name);
    if (!path) {
      tables.ClearTables();
      return;
    }
    if (LoadFile(f.kind, *path, f.table, f.count, dialogs) != LoadResult::Ok) {
      tables.ClearTables();
      return;
    }
  }
}

}  // namespace nc
