// rur-cli import: the controller type at the ends of its range, files that
// cannot be read (exit 2) at the size limit, an --out that cannot be
// written, and a program too long for the block store split into part
// files. Whole runs, a refusal among them, are golden cases (import_*).
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "app/cli/run_in_process.h"
#include "data/block_record.h"
#include "data/program_file.h"
#include "data/text.h"
#include "nc/import/gcode_import.h"
#include "support/temp_dir.h"
#include "workstation/import_outcome.h"

namespace {

using cli_testing::RunCli;

const char kCam[] = "G21\r\nG0 X0 Y0\r\nG1 X10 F100\r\nM30\r\n";

struct ImportRun : ::testing::Test {
  cli_testing::Result Import(std::vector<std::string> args) {
    args.insert(args.begin(), "import");
    args.insert(args.end(), {"--data", data.path()});
    return RunCli(args);
  }
  testing_support::TempDir data;
  testing_support::TempDir files;
};

// Types 1, 18 and 07, and the settings' type: golden import_fanuc_type1,
// import_type_*, import_freecad.
TEST_F(ImportRun, ControllerTypeFromOneToEighteen) {
  files.Write("teil.nc", kCam);
  const std::string path = files.File("teil.nc");
  for (const char* type : {"0", "19", "-1", "+5", "1.0", "abc", "100"}) {
    const auto r = Import({path, "--type", type});
    EXPECT_EQ(r.status, 2) << type;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, std::string("rur-cli: --type wants a controller type from 1 to 18, not ") + type +
                         "\nrur-cli: usage: rur-cli import FILE [--type N] [--out FILE]\n");
  }
  EXPECT_EQ(Import({}).status, 2);
  EXPECT_EQ(Import({path, path}).status, 2);
}

// Regular files of at most 8 MB; what they hold is the import's to judge.
TEST_F(ImportRun, FilesThatCannotBeReadAreUsageErrors) {
  ASSERT_EQ(::mkfifo(files.File("pipe").c_str(), 0600), 0);
  const std::string largest = std::string(data::kMaxProgramFileBytes - 7, ' ') + "\r\nM30\r\n";  // 8 MB exactly
  files.Write("largest.nc", largest);
  files.Write("too-large.nc", largest + " ");
  const auto missing = Import({files.File("fehlt.nc")});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "rur-cli: Programm " + files.File("fehlt.nc") + " kann nicht gelesen werden!\n");
  EXPECT_EQ(Import({files.File("pipe")}).status, 2);
  EXPECT_EQ(Import({files.path()}).status, 2);
  const auto tooLarge = Import({files.File("too-large.nc")});
  EXPECT_EQ(tooLarge.status, 2);
  EXPECT_EQ(tooLarge.err, "rur-cli: Programm " + files.File("too-large.nc") + " ist zu gro\xC3\x9F (mehr als 8 MB)!\n");
  EXPECT_NE(Import({files.File("largest.nc")}).status, 2);
}

// Printing, --out and a refusal are golden cases (import_*); the file that
// cannot be written is named by its temporary path.
TEST_F(ImportRun, OutThatCannotBeWrittenFails) {
  files.Write("O4711.nc", kCam);
  const auto nowhere = Import({files.File("O4711.nc"), "--out", files.File("fehlt/%1")});
  EXPECT_EQ(nowhere.status, 1);
  EXPECT_EQ(nowhere.out, "");
  EXPECT_EQ(nowhere.err.rfind("rur-cli: cannot write " + files.File("fehlt/%1") + ": ", 0), 0u) << nowhere.err;
}

// A program of rapid moves to holes and plunges, more blocks than the store
// holds.
std::string LongProgram() {
  std::string cam = "G21\r\nG0 Z5\r\n";
  for (int i = 0; i < 8100; ++i) {
    const std::string x = std::to_string(i % 50);
    cam += "G0 X" + x + " Y" + std::to_string(i / 50 % 50) + "\r\nG1 Z-1 F100\r\nG1 X" + x + ".5\r\nG0 Z1\r\n";
  }
  return cam + "M30\r\n";
}

TEST_F(ImportRun, AProgramTooLongForTheStoreGoesIntoParts) {
  const std::string cam = LongProgram();
  files.Write("lang.nc", cam);
  nc::ImportOptions options;
  const nc::ImportResult expected = nc::ImportProgram(cam, options);
  ASSERT_GT(expected.blocks, data::kMaxStoredBlocks);
  ASSERT_GE(expected.parts.size(), 2u);
  std::string notes;
  for (const auto& note : rur::ImportNoteLines(expected)) notes += "Hinweis: " + data::Cp1252ToUtf8(note.text) + "\n";
  const std::string count = std::to_string(expected.parts.size());

  const auto whole = Import({files.File("lang.nc")});
  EXPECT_EQ(whole.status, 0);
  EXPECT_EQ(whole.out, rur::ProgramTextOf(expected.program).Bytes());
  EXPECT_EQ(whole.err, notes + "Hinweis: Ohne --out das ganze Programm; --out DATEI schreibt die " + count +
                           " Teile in DATEI, DATEI_2, ...\n");

  const auto split = Import({files.File("lang.nc"), "--out", files.File("teil.nc")});
  EXPECT_EQ(split.status, 0);
  EXPECT_EQ(split.out, "");
  for (std::size_t k = 1; k <= expected.parts.size(); ++k) {
    const std::string name = rur::PartFileName(files.File("teil.nc"), k);
    EXPECT_EQ(files.Read(name.substr(files.path().size())), rur::ProgramTextOf(expected.parts[k - 1]).Bytes());
    notes += "Hinweis: Teil " + std::to_string(k) + " von " + count + ": " + name + "\n";
  }
  EXPECT_TRUE(files.Exists("teil_2.nc"));
  EXPECT_EQ(split.err, notes);
}

}  // namespace
