#include "workstation/send_checks.h"

#include "data/controllers.h"
#include "geometry/compensation.h"
#include "workstation/state_access.h"

namespace rur {
namespace {

// Points the message window at the block's program and line, then shows text.
void ShowBlockMessage(data::MessageCentre& messages, const data::BlockRecord& block, const std::string& text) {
  messages.context.messageProgramIndex = block.programIndex;
  messages.context.messageListingLine = block.listingLine;
  messages.ShowMessageByNumber(data::kDirectMessage, text);
}

std::string UnknownRadiusText(const WorkstationState& s, int slot) {
  const std::string file = data::ToolFileName(s.settings.controllerType);
  const std::string d = "D" + std::to_string(slot);
  switch (s.toolFile.status) {
    case data::ToolFileReading::Status::kMissing:
      return "Radiuskorrektur nicht m\xF6glich: Werkzeugdatei " + file + " fehlt (" + d + ")!";
    case data::ToolFileReading::Status::kUnreadable:
      return "Radiuskorrektur nicht m\xF6glich: Werkzeugdatei " + file + " ist nicht lesbar (" + d + ")!";
    case data::ToolFileReading::Status::kRead:
      break;
  }
  return "Radiuskorrektur nicht m\xF6glich: " + d + " steht nicht in der Werkzeugdatei " + file + " (" +
         std::to_string(s.toolFile.records) + " Werkzeuge)!";
}

bool HasZeroRadius(const WorkstationState& s, const data::BlockRecord& block) {
  return static_cast<double>(s.tools[static_cast<std::size_t>(block.toolSlot)].radiusCorrection) == 0.0;
}

}  // namespace

transfer::ConversionSettings ConversionSettingsOf(const Workstation& ws) {
  return {.scaled = ws.scaledOutputMode() != 0, .zZeroOffset = ws.settings().zZeroOffset};
}

bool CheckToolRadii(const Workstation& ws, data::MessageCentre& messages) {
  const WorkstationState& s = StateOf(ws);
  for (std::int32_t i = 1; i <= s.blockStore.count(); ++i) {
    const data::BlockRecord& block = s.blockStore.At(i);
    if (!geometry::IsCompensated(block) || s.toolFile.Holds(block.toolSlot)) continue;
    ShowBlockMessage(messages, block, UnknownRadiusText(s, block.toolSlot));
    return false;
  }
  return true;
}

std::string ZeroRadiusWarning(const Workstation& ws) {
  const WorkstationState& s = StateOf(ws);
  const data::BlockRecord* first = nullptr;
  int count = 0;
  for (std::int32_t i = 1; i <= s.blockStore.count(); ++i) {
    const data::BlockRecord& block = s.blockStore.At(i);
    if (!geometry::IsCompensated(block) || !s.toolFile.Holds(block.toolSlot) || !HasZeroRadius(s, block)) {
      continue;
    }
    if (first == nullptr) first = &block;
    ++count;
  }
  if (first == nullptr) return {};
  // A program not yet saved has no name.
  const std::string& name = s.subprograms.NameOf(first->programIndex);
  return "Radiuskorrektur mit Werkzeugradius 0 (D" + std::to_string(first->toolSlot) + ") in " +
         std::to_string(count) + (count == 1 ? " Satz" : " S\xE4tzen") + ", zuerst " +
         (name.empty() ? std::string() : "in " + name + " ") + "im Satz: " +
         std::string(s.listing.Line(first->listingLine)) + "\nDiese Kontur wird nicht korrigiert gesendet.";
}

bool CheckBlockTexts(const Workstation& ws, const data::BlockStore& sent, data::MessageCentre& messages) {
  const transfer::ConversionSettings settings = ConversionSettingsOf(ws);
  for (std::int32_t i = 1; i <= sent.count(); ++i) {
    const data::BlockRecord& block = sent.At(i);
    const std::string word = transfer::UnwritableNumber(block, settings);
    if (word.empty()) continue;
    ShowBlockMessage(messages, block, "Zahl passt nicht in den Satztext (h\xF6" "chstens 15 Stellen): " + word);
    return false;
  }
  return true;
}

bool MakeSentBlocks(const Workstation& ws, data::MessageCentre& messages, data::BlockStore& sent) {
  const WorkstationState& s = StateOf(ws);
  sent.Clear();
  return CheckToolRadii(ws, messages) &&
         geometry::Compensate(s.blockStore, s.tools, s.settings.radiusTolerance, messages, sent) &&
         CheckBlockTexts(ws, sent, messages);
}

}  // namespace rur
