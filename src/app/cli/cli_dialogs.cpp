#include "cli/cli_dialogs.h"

#include "data/text.h"

namespace cli {

std::string OneLine(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      if (i + 1 < text.size() && (text[i + 1] == '\r' || text[i + 1] == '\n') && text[i + 1] != c) ++i;
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

void StderrDialogs::ShowMessageWindow(const data::MessageLabels& labels) {
  err_ << "Meldung " << data::Cp1252ToUtf8(labels.number) << ": " << data::Cp1252ToUtf8(labels.description)
       << " | Im Programm: " << data::Cp1252ToUtf8(labels.program)
       << " | Im Satz: " << data::Cp1252ToUtf8(labels.block) << '\n';
  err_.flush();
}

void StderrDialogs::Warning(std::string_view text) {
  err_ << "Warnung: " << data::Cp1252ToUtf8(OneLine(text)) << '\n';
  err_.flush();
}

void StderrDialogs::Information(std::string_view text) {
  err_ << "Hinweis: " << data::Cp1252ToUtf8(OneLine(text)) << '\n';
  err_.flush();
}

}  // namespace cli
