#include "nc/words/word.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "data/text.h"
#include "nc/lexical/characters.h"

namespace nc {
namespace {

constexpr std::size_t kParamDigits = 3;

// True when the "R" at index i of text is a letter of SQR, SQRT or TRUNC.
bool IsFunctionLetter(std::string_view text, std::size_t i) {
  auto endsWith = [&](std::string_view name, std::size_t rAt) {
    return i >= rAt && text.substr(i - rAt, name.size()) == name;
  };
  return endsWith("SQR", 2) || endsWith("TRUNC", 1);
}

// Parameter number of three decimal digits at text[i..i+2], or -1.
int ParamNumber(std::string_view text, std::size_t i) {
  if (i + kParamDigits > text.size()) return -1;
  int n = 0;
  for (std::size_t k = i; k < i + kParamDigits; ++k) {
    if (!IsDigit(text[k])) return -1;
    n = n * 10 + (text[k] - '0');
  }
  return n < kParamCount ? n : -1;
}

void AppendParam(BoundedText& out, std::string_view text, std::size_t i, const ParamTable& params) {
  const int n = ParamNumber(text, i);
  char value[kParamTextWidth + 1];
  out.Append('(');
  if (n >= 0 && FormatParamValue(params.values[static_cast<std::size_t>(n)], value)) {
    out.Append(std::string_view(value, kParamTextWidth));
  } else {
    out.Append("Error");
  }
  out.Append(')');
}

}  // namespace

bool FormatParamValue(long double value, char (&out)[kParamTextWidth + 1]) {
  if (!std::isfinite(value)) return false;
  char raw[64];
  std::snprintf(raw, sizeof raw, "%.14Le", value);  // [-]d.ddddddddddddddde[+-]x..
  const char* e = std::strchr(raw, 'e');
  if (e == nullptr) return false;
  const long exponent = std::strtol(e + 1, nullptr, 10);
  const char* mantissa = raw[0] == '-' ? raw + 1 : raw;
  std::snprintf(out, sizeof out, "%c%.*sE%c%04ld", raw[0] == '-' ? '-' : ' ',
                static_cast<int>(e - mantissa), mantissa, exponent < 0 ? '-' : '+', std::labs(exponent));
  return true;
}

void WordExpression(std::string_view word, const ParamTable& params, BoundedText& out) {
  // Blanks removed, then the address letter and the first "=", up to one
  // byte past the text limit (a parameter number may end on that byte).
  char stripped[data::kMaxText + 1];
  std::size_t size = 0;
  bool letterSeen = false;
  bool equalsSeen = false;
  for (char c : word) {
    if (c == ' ') continue;
    if (!letterSeen) {
      letterSeen = true;
      continue;
    }
    if (c == '=' && !equalsSeen) {
      equalsSeen = true;
      continue;
    }
    if (size == sizeof stripped) break;
    stripped[size++] = c;
  }
  const std::string_view text(stripped, size);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == 'R' && !IsFunctionLetter(text, i)) {
      AppendParam(out, text, i + 1, params);
      i += kParamDigits;  // the three characters are consumed either way
    } else if (c == '[') {
      out.Append('(');
    } else if (c == ']') {
      out.Append(')');
    } else {
      out.Append(c);
    }
  }
}

Evaluation EvaluateWordResult(std::string_view word, const ParamTable& params, data::MessageCentre& messages) {
  BoundedText text;
  WordExpression(word, params, text);
  if (text.view().empty()) return {};
  const Evaluation result = EvaluateExpression(text.view());
  if (result.errorCode > 0) messages.ShowMessageByNumber(result.errorCode, " ");
  return result;
}

long double EvaluateWord(std::string_view word, const ParamTable& params, data::MessageCentre& messages) {
  return EvaluateWordResult(word, params, messages).value;
}

}  // namespace nc
