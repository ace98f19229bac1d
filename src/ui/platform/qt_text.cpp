#include "ui/platform/qt_text.h"

#include "data/text.h"

namespace ui {

QString ToQt(std::string_view cp1252) {
  QString out;
  out.reserve(static_cast<qsizetype>(cp1252.size()));
  for (char c : cp1252) out += QChar(static_cast<char16_t>(data::Cp1252ToUnicode(static_cast<unsigned char>(c))));
  return out;
}

std::string FromQt(const QString& text) {
  std::string out;
  out.reserve(static_cast<std::size_t>(text.size()));
  for (const QChar ch : text) {
    const int byte = data::UnicodeToCp1252(ch.unicode());
    out += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return out;
}

}  // namespace ui
