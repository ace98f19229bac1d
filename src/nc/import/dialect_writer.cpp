#include "nc/import/dialect_writer.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "data/text.h"

namespace nc::import {
namespace {

constexpr int kMaxDecimals = 4;
constexpr int kMaxDigits = 15;
constexpr long double kMaxHundredths = 999'999'999'999'999.0L;

int DecimalsFor(double value) {
  int integerDigits = 1;
  for (double limit = 10.0; std::fabs(value) >= limit && integerDigits < kMaxDigits; limit *= 10.0) ++integerDigits;
  return std::clamp(kMaxDigits - integerDigits, 0, kMaxDecimals);
}

}  // namespace

std::string FormatNumber(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, DecimalsFor(value));
  std::string text(buffer, result.ec == std::errc() ? result.ptr : buffer);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0" || text.empty()) text = "0";
  return text;
}

bool FitsBlockText(double value) {
  return std::isfinite(value) && std::round(static_cast<long double>(std::fabs(value)) * 100.0L) <= kMaxHundredths;
}

double AsWritten(double value) {
  const std::string text = FormatNumber(value);
  double back = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), back);
  return back;
}

void DialectWriter::BeginBlock(std::int32_t sourceLine, std::string number, std::string comment) {
  source_ = sourceLine;
  number_ = std::move(number);
  comment_ = std::move(comment);
  blockFirst_ = lines_.size();
}

void DialectWriter::Line(std::string code, bool move, const DialectState* rapidState) {
  if (rapidState != nullptr) splitPoints_.push_back({lines_.size(), *rapidState});
  if (!firstCode_) firstCode_ = lines_.size();
  if (move) moved_ = true;
  const bool first = lines_.size() == blockFirst_;
  lines_.push_back({first ? std::move(number_) : std::string(), std::move(code),
                    first ? std::move(comment_) : std::string(), source_});
}

std::int32_t DialectWriter::EndBlock() {
  if (lines_.size() == blockFirst_ && !comment_.empty()) {
    lines_.push_back({std::string(), std::string(), std::move(comment_), source_});
  }
  number_.clear();
  comment_.clear();
  if (lines_.size() == blockFirst_) return 0;
  return static_cast<std::int32_t>(blockFirst_) + 2;
}

std::string AssembleLine(const std::string& number, const std::string& code, const std::string& comment) {
  std::string line = number.empty() ? std::string() : "N" + number;
  if (!code.empty()) line += (line.empty() ? "" : " ") + code;
  if (line.size() > data::kMaxText) return std::string();
  if (comment.empty()) return line;
  const std::size_t frame = line.empty() ? 2 : 3;  // " (" and ")"
  if (line.size() + frame >= data::kMaxText) return line;
  std::string text = comment.substr(0, data::kMaxText - line.size() - frame);
  while (!text.empty() && text.back() == ' ') text.pop_back();
  if (text.empty()) return line;
  return line + (line.empty() ? "(" : " (") + text + ")";
}

bool DialectWriter::Finish(const std::string& header, std::optional<double> safeHeight, ImportedProgram& program,
                           std::int32_t& badLine) {
  program.lines.clear();
  program.sourceLines.clear();
  program.lines.reserve(lines_.size() + 1);
  program.sourceLines.reserve(lines_.size() + 1);
  program.lines.push_back(header);
  program.sourceLines.push_back(0);
  const std::string safe = safeHeight ? FormatNumber(*safeHeight) : std::string("0");
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    Output& out = lines_[i];
    if (firstCode_ && i == *firstCode_) out.code = (zeroPointBeforeMove_ ? "G90 " : "G90 G54 ") + out.code;
    if (const std::size_t at = out.code.find(kSafeHeight); at != std::string::npos) out.code.replace(at, 1, safe);
    std::string line = AssembleLine(out.number, out.code, out.comment);
    if (line.empty()) {
      badLine = out.source;
      return false;
    }
    program.lines.push_back(std::move(line));
    program.sourceLines.push_back(out.source);
  }
  return true;
}

}  // namespace nc::import
