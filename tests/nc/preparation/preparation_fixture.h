// A workstation's worth of preparation state for tests: a temporary folder
// for the main program and its subprogram files, a listing, a table and a
// message centre that records every message.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "data/message_centre.h"
#include "data/throttled_pump.h"
#include "data/work_listing.h"
#include "nc/preparation/preparation.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"

namespace testing_support {

struct PreparationBench {
  PreparationBench() : messages(dialogs, dataDirectory, listing, table) {}

  // Reads main (written as main.nc) and expands its calls.
  bool Prepare(std::string_view mainText) {
    dir.Write("main.nc", mainText);
    mainProgramFile = dir.File("main.nc");
    listing.Clear();
    return nc::PrepareProgram(preparation, mainProgramFile) && nc::ExpandSubprograms(preparation);
  }

  // Number labels of the messages shown so far ("Direkt" for direct ones).
  std::vector<std::string> Shown() const { return ShownLabels(dialogs); }

  TempDir dir;
  std::string dataDirectory = dir.path();
  std::string mainProgramFile;
  data::WorkListing listing;
  data::SubprogramTable table;
  FakeDialogs dialogs;
  CountingPump pump;
  data::ThrottledPump throttled{pump};
  data::MessageCentre messages;
  nc::Preparation preparation{listing, table, messages, throttled, mainProgramFile};
};

}  // namespace testing_support
