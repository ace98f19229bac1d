// A message centre with everything it refers to (a data directory without
// msg.dat, an empty listing and table, recording dialogs), for tests of
// units that report through it.
#pragma once

#include <string>
#include <vector>

#include "data/message_centre.h"
#include "support/fake_dialogs.h"
#include "support/temp_dir.h"

namespace testing_support {

struct MessageSetup {
  // Numbers of the messages shown so far; a direct message counts as 0.
  std::vector<int> ShownNumbers() const { return testing_support::ShownNumbers(dialogs); }

  TempDir dir;
  std::string directory = dir.path();
  data::WorkListing listing;
  data::SubprogramTable table;
  FakeDialogs dialogs;
  data::MessageCentre messages{dialogs, directory, listing, table};
};

}  // namespace testing_support
