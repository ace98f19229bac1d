#include "nc/translation/translation.h"

#include <string_view>

#include "nc/translation/steps.h"

namespace nc {

using namespace translation;

namespace {

// Steps 2 to 14; stops at the first step that rejects the block.
std::int32_t RunSteps(BoundedText& text, MirrorFactors& mirror, const ParamTable& params,
                      data::MessageCentre& messages) {
  RemoveFirstWord(text, 'A');
  RemoveFirstWord(text, 'B');
  RemoveBlockNumber(text);
  if (const std::int32_t message = MarkNAddresses(text)) return message;
  JoinEd(text);
  FindFunctionLetters(text);
  NormaliseToolChange(text);
  PadToTwoDigits(text, 'T');
  PadToTwoDigits(text, 'D');
  if (const std::int32_t message = CheckToolWords(text)) return message;
  ApplyMirroring(text, mirror);
  TranslateRadius(text);
  if (const std::int32_t message = TranslateParameters(text)) return message;
  return TranslateJumpsAndCalls(text, params, messages);
}

}  // namespace

bool TranslateBlock(std::string& block, MirrorFactors& mirror, const ParamTable& params,
                    data::MessageCentre& messages) {
  // The block is a text of the system and so never longer than data::kMaxText bytes;
  // a longer one is cut first.
  if (block.size() > BoundedText::kCapacity) block.resize(BoundedText::kCapacity);
  BoundedText text(block);
  TrimBlock(text);
  if (text.empty()) return true;

  const std::int32_t message = RunSteps(text, mirror, params, messages);
  if (message != kNoMessage) messages.ShowMessageByNumber(message, " ");
  DecodeMarks(text);
  block.assign(text.view());
  return message == kNoMessage;
}

}  // namespace nc
