#include "transfer/block_text.h"

#include <cmath>
#include <cstddef>

#include "transfer/number_format.h"

namespace transfer {
namespace {

constexpr char kLineEnd[] = "\r\n";

// Word formats: N, T, F and the dwell time unsigned in 4 places without
// decimals; coordinates signed in 7 places with 2 decimals.
std::string Whole(long double value, const ConversionSettings& settings) {
  return FormatNumber(4, 0, false, RoundToDouble(value), settings.scaled);
}

std::string Coordinate(long double value, const ConversionSettings& settings) {
  return FormatNumber(7, 2, true, RoundToDouble(value), settings.scaled);
}

bool Moves(const data::BlockRecord& block) { return block.hasX != 0 || block.hasY != 0 || block.hasZ != 0; }

bool IsArc(const data::BlockRecord& block) {
  return block.motion == data::kClockwise || block.motion == data::kCounterClockwise;
}

// One line: the block number word, the address, its value, a line end.
void AppendLine(std::string& text, const std::string& nw, std::string_view address, const std::string& value) {
  text += nw;
  text += address;
  text += value;
  text += kLineEnd;
}

// A programmed G4 leaves its time in Dwell whatever the motion recorded.
void DwellLine(std::string& text, const data::BlockRecord& block, const std::string& nw,
               const ConversionSettings& settings) {
  if (block.motion != data::kDwell && block.dwell == 0) return;
  AppendLine(text, nw, "G4F", Whole(block.dwell, settings));
}

void ToolLine(std::string& text, const data::BlockRecord& block, const std::string& nw,
              const ConversionSettings& settings, ConversionMemory& memory) {
  if (block.tool == memory.lastTool) return;
  memory.lastTool = block.tool;
  AppendLine(text, nw, "T", Whole(block.tool, settings));
}

void MLines(std::string& text, const data::BlockRecord& block, const std::string& nw) {
  if (block.mFlags.none()) return;
  for (std::size_t k = 0; k < block.mFlags.size(); ++k) {
    if (block.mFlags[k]) AppendLine(text, nw, "M", std::to_string(k));
  }
}

void FeedLine(std::string& text, const data::BlockRecord& block, const std::string& nw,
              const ConversionSettings& settings, ConversionMemory& memory) {
  if (block.feed == memory.lastFeed) return;
  memory.lastFeed = block.feed;
  AppendLine(text, nw, "F", Whole(block.feed, settings));
}

void Word(std::string& words, char letter, long double value, const ConversionSettings& settings) {
  words += letter;
  words += Coordinate(value, settings);
}

void MainLine(std::string& text, const data::BlockRecord& block, const std::string& nw,
              const ConversionSettings& settings) {
  std::string words;
  if (block.motion < data::kDwell && Moves(block)) {
    words += 'G';
    words += static_cast<char>('0' + block.motion);
  }
  if (block.hasX != 0) Word(words, 'X', block.endX, settings);
  if (block.hasY != 0) Word(words, 'Y', block.endY, settings);
  if (block.hasZ != 0) Word(words, 'Z', block.endZ + settings.zZeroOffset, settings);
  if (IsArc(block)) {
    Word(words, 'I', block.centreX, settings);
    Word(words, 'J', block.centreY, settings);
  }
  if (words.empty()) return;
  text += nw;
  text += words;
}

}  // namespace

std::string UnwritableNumber(const data::BlockRecord& block, const ConversionSettings& settings) {
  struct Number {
    bool written;
    std::string_view address;
    long double value;
    bool coordinate;  // 2 decimals and a sign, else a whole number
  };
  const bool arc = IsArc(block);
  const Number numbers[] = {
      {block.hasX != 0, "X", block.endX, true},
      {block.hasY != 0, "Y", block.endY, true},
      {block.hasZ != 0, "Z", block.endZ + settings.zZeroOffset, true},
      {arc, "I", block.centreX, true},
      {arc, "J", block.centreY, true},
      {true, "F", block.feed, false},
      {true, "G4F", static_cast<long double>(block.dwell), false},
  };
  for (const Number& n : numbers) {
    const double value = RoundToDouble(n.value);
    if (!n.written || FitsBlockText(value, n.coordinate ? 2 : 0)) continue;
    if (!std::isfinite(value)) return std::string(n.address) + " nicht endlich";
    return std::string(n.address) + (n.coordinate ? Coordinate(n.value, settings) : Whole(n.value, settings));
  }
  return {};
}

std::string ConvertBlock(const data::BlockRecord& block, std::int32_t number, const ConversionSettings& settings,
                         ConversionMemory& memory) {
  std::string nw = "N";
  nw += Whole(number, settings);
  std::string text;
  DwellLine(text, block, nw, settings);
  ToolLine(text, block, nw, settings, memory);
  MLines(text, block, nw);
  FeedLine(text, block, nw, settings, memory);
  MainLine(text, block, nw, settings);
  return text;
}

}  // namespace transfer
