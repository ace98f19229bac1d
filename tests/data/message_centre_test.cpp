#include "data/message_centre.h"

#include <gtest/gtest.h>

#include "support/fake_dialogs.h"
#include "support/fifo_feeder.h"
#include "support/listing_lines.h"
#include "support/temp_dir.h"
#include "workstation/command_scope.h"

namespace {

using testing_support::FakeDialogs;
using testing_support::TempDir;

class MessageCentreTest : public ::testing::Test {
 protected:
  MessageCentreTest() : centre(dialogs, directory, listing, table) { listing.Clear(); }

  void WriteCatalogue(int lines) {
    std::string text;
    for (int n = 1; n <= lines; ++n) text += "   Text " + std::to_string(n) + "\r\n";
    dir.Write("msg.dat", text);
  }

  TempDir dir;
  std::string directory = dir.path();
  data::WorkListing listing;
  data::SubprogramTable table;
  FakeDialogs dialogs;
  data::MessageCentre centre;
};

TEST_F(MessageCentreTest, NumberedMessageShowsCatalogueLineAndContext) {
  WriteCatalogue(30);
  centre.context.currentProgram = "%100";
  centre.context.currentBlock = "N10 G01 X5";
  centre.ShowMessageByNumber(20, " ");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  const auto& shown = dialogs.messages[0];
  EXPECT_EQ(shown.number, " 20");
  EXPECT_EQ(shown.description, "Text 20");
  EXPECT_EQ(shown.program, "%100");
  EXPECT_EQ(shown.block, "N10 G01 X5");
  EXPECT_EQ(dialogs.beeps, 1);
  EXPECT_TRUE(centre.errorFlag());
}

TEST_F(MessageCentreTest, NumberPastTheEndGivesEmptyText) {
  WriteCatalogue(30);
  centre.ShowMessageByNumber(31, " ");
  centre.ShowMessageByNumber(5000, " ");
  EXPECT_EQ(dialogs.messages[0].description, "");
  EXPECT_EQ(dialogs.messages[1].description, "");
  EXPECT_EQ(dialogs.messages[1].number, "5000");
}

TEST_F(MessageCentreTest, MissingCatalogueIsReportedAndStillSetsTheFlag) {
  centre.ShowMessageByNumber(7, " ");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].number, "  7");
  EXPECT_EQ(dialogs.messages[0].description, "Disk fehlerhaft oder MSG.DAT fehlt!");
  EXPECT_TRUE(centre.errorFlag());
}

// A pipe in the catalogue's place is no catalogue, even with text waiting
// in it; and it must not hold up the message.
TEST_F(MessageCentreTest, PipeNamedLikeTheCatalogueCountsAsMissing) {
  const testing_support::FifoFeeder fifo(dir.File("msg.dat"), "Text 1\r\nText 2\r\n");
  centre.ShowMessageByNumber(2, " ");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].description, "Disk fehlerhaft oder MSG.DAT fehlt!");
  std::string text;
  EXPECT_FALSE(data::ReadCatalogueLine(dir.File("msg.dat"), 1, text));
  EXPECT_FALSE(data::ReadCatalogueLine(dir.path(), 1, text));  // a folder neither
}

TEST_F(MessageCentreTest, CatalogueFoundInAnyLetterCaseAndLongLinesCut) {
  dir.Write("MSG.DAT", "\r\n" + std::string(300, 'x') + "\r\n");
  centre.ShowMessageByNumber(2, " ");
  EXPECT_EQ(dialogs.messages[0].description, std::string(255, 'x'));
}

TEST_F(MessageCentreTest, DirectMessageNamesSubprogramAndListingLine) {
  table.entries[2].name = "7";
  testing_support::SetLines(listing, {"", "%100", "N10 G02 X5 U1"});
  centre.context.messageProgramIndex = 2;
  centre.context.messageListingLine = 3;
  centre.ShowMessageByNumber(0, "Radius zu klein!");
  EXPECT_EQ(dialogs.messages[0].number, "Direkt");
  EXPECT_EQ(dialogs.messages[0].description, "Radius zu klein!");
  EXPECT_EQ(dialogs.messages[0].program, "7");
  EXPECT_EQ(dialogs.messages[0].block, "N10 G02 X5 U1");

  // Without a listing line the block label keeps its previous text.
  centre.context.messageListingLine = 0;
  centre.context.messageProgramIndex = 999;  // outside the table: no name, no crash
  centre.ShowMessageByNumber(0, "Radius zu klein");
  EXPECT_EQ(dialogs.messages[1].block, "N10 G02 X5 U1");
  EXPECT_EQ(dialogs.messages[1].program, "");
  EXPECT_TRUE(centre.errorFlag());
}

// A notice is shown like a numbered message but is no error; a warning is
// one without the message window; only a command's start clears the flag.
TEST_F(MessageCentreTest, OnlyErrorsSetTheFlagAndOnlyACommandClearsIt) {
  WriteCatalogue(200);
  centre.ShowNotice(data::kMessageSubprogramEndsProgram, " ");
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].number, "166");
  EXPECT_EQ(dialogs.beeps, 1);
  EXPECT_FALSE(centre.errorFlag());
  centre.ShowWarning("Hilfsdatei kann nicht geschrieben werden!");
  EXPECT_EQ(dialogs.warnings, std::vector<std::string>{"Hilfsdatei kann nicht geschrieben werden!"});
  EXPECT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.beeps, 1);
  EXPECT_TRUE(centre.errorFlag());
  const rur::CommandScope command(centre);
  EXPECT_TRUE(command.clean());
  centre.ShowNotice(data::kMessageSubprogramEndsProgram, " ");
  EXPECT_TRUE(command.clean());
  centre.ShowMessageByNumber(data::kDirectMessage, "Radius zu klein");
  EXPECT_FALSE(command.clean());
}

}  // namespace
