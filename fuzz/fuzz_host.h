// What every fuzz target runs in: displays that show nothing, an event
// pump that does nothing, one temporary data directory for the whole
// process, the check that stops the process when a property breaks, and
// the parameter table the NC targets evaluate against.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/dialogs.h"
#include "data/message_centre.h"
#include "data/work_listing.h"
#include "nc/words/param_table.h"

namespace fuzz {

class QuietDialogs : public data::Dialogs {
 public:
  void ShowMessageWindow(const data::MessageLabels&) override { ++shown; }
  void Beep() override {}
  void Warning(std::string_view) override { ++shown; }
  void Information(std::string_view) override { ++shown; }
  data::SaveAnswer AskSave(std::string_view) override { return data::SaveAnswer::No; }
  bool ConfirmDespite(std::string_view, std::string_view) override {
    ++shown;
    return true;
  }

  int shown = 0;
};

class QuietPump : public data::EventPump {
 public:
  void ProcessEvents() override {}
};

// The process's data directory (with a trailing separator), made on first
// use and removed with everything in it when the process exits normally.
const std::string& ProcessDirectory();

// Writes bytes as the file name of the process directory; removes it.
void WriteFile(std::string_view name, std::string_view bytes);
void RemoveFile(std::string_view name);

// The subprogram files "%1" and "%2" from parts[1] and parts[2] (parts[0]
// is the main program); a file the parts do not hold is removed.
void WriteSubprogramFiles(const std::vector<std::string_view>& parts);

// A message centre over the process directory with an empty listing and
// table, whose displays count what they were asked to show.
struct MessageBench {
  MessageBench() : messages(dialogs, directory, listing, table) { listing.Clear(); }

  QuietDialogs dialogs;
  std::string directory = ProcessDirectory();
  data::WorkListing listing;
  data::SubprogramTable table;
  data::MessageCentre messages;
};

// Stops the process (a crash for libFuzzer, a failed test for the replay)
// when a property of the code under test does not hold.
void Require(bool holds, const char* property);

// The input cut at its first `parts - 1` zero bytes (fewer parts when it
// holds fewer zeros).
std::vector<std::string_view> SplitAtZeros(std::string_view input, std::size_t parts);

// Lines ended by CR, LF or CR LF, as program files are read.
std::vector<std::string> SplitLines(std::string_view text);

// Parameters R000..R255: zero, one, minus one, halves, the largest and
// smallest values, NaN and infinities, a run of ordinary values, and the
// block R100..R199 unset.
const nc::ParamTable& FuzzParams();

// Both NaN, or equal and of the same sign.
bool SameValue(long double a, long double b);

}  // namespace fuzz
