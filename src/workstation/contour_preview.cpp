#include "workstation/contour_preview.h"

#include "workstation/send_checks.h"
#include "workstation/state_access.h"

namespace rur {
namespace {

// Keeps the first message instead of showing it; asks nobody.
class QuietDialogs : public data::Dialogs {
 public:
  void ShowMessageWindow(const data::MessageLabels& labels) override { Keep(labels.description); }
  void Beep() override {}
  void Warning(std::string_view text) override { Keep(text); }
  void Information(std::string_view text) override { Keep(text); }
  data::SaveAnswer AskSave(std::string_view) override { return data::SaveAnswer::Cancel; }
  bool ConfirmDespite(std::string_view, std::string_view) override { return false; }

  const std::string& first() const { return first_; }

 private:
  void Keep(std::string_view text) {
    if (first_.empty()) first_ = text;
  }
  std::string first_;
};

}  // namespace

bool PreviewContour(const Workstation& ws, data::BlockStore& contour, std::string& failure) {
  const WorkstationState& s = StateOf(ws);
  QuietDialogs quiet;
  data::MessageCentre messages(quiet, s.dataDirectory, s.listing, s.subprograms);
  failure.clear();
  if (MakeSentBlocks(ws, messages, contour)) return true;
  contour.Clear();
  failure = quiet.first();
  // The block in hand when the message came, as the message window names it.
  const std::int32_t line = messages.context.messageListingLine;
  if (line > 0) failure += " im Satz: " + std::string(s.listing.Line(line));
  return false;
}

}  // namespace rur
