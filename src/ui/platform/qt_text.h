// Conversion between the core's Windows-1252 byte strings and QString.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace ui {

QString ToQt(std::string_view cp1252);
// Characters without a Windows-1252 code become '?'.
std::string FromQt(const QString& text);

}  // namespace ui
