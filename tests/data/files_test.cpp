#include "data/files.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "support/fifo_feeder.h"
#include "support/ordinary_user.h"
#include "support/temp_dir.h"

namespace {

using testing_support::TempDir;

TEST(Files, SplitsNamesAtEitherSeparator) {
  EXPECT_EQ(data::FileNamePart("/a/b\\%100", data::PathStyle::Posix), "%100");
  EXPECT_EQ(data::FileNamePart("C:%100", data::PathStyle::Windows), "%100");
  EXPECT_EQ(data::FileNamePart("C:%100", data::PathStyle::Posix), "C:%100");
  EXPECT_EQ(data::DirectoryPart("/a/b/%100", data::PathStyle::Posix), "/a/b/");
}

TEST(Files, FindsFilesWithoutRegardToCase) {
  TempDir dir;
  dir.Write("qvm_WKZ.DAT", "x");
  EXPECT_EQ(data::FindFileNoCase(dir.path(), "QVM_wkz.dat"), dir.File("qvm_WKZ.DAT"));
  EXPECT_FALSE(data::FindFileNoCase(dir.path(), "QVM_wkz.da"));
  EXPECT_FALSE(data::FindFileNoCase(dir.path() + "missing/", "x"));
  // Writing goes to the file that exists, not to a second one.
  EXPECT_EQ(data::PathForWriting(dir.path(), "QVM_Wkz.Dat"), dir.File("qvm_WKZ.DAT"));
  EXPECT_EQ(data::PathForWriting(dir.path(), "new.dat"), dir.File("new.dat"));
}

TEST(Files, ReplacingWriteLeavesOldFileWhenItFails) {
  TempDir dir;
  dir.Write("prog", "old");
  ASSERT_TRUE(data::WriteFileReplacing(dir.File("prog"), "new"));
  EXPECT_EQ(dir.Read("prog"), "new");

  std::filesystem::create_directory(dir.File("locked"));
  dir.Write("locked/prog", "old");
  std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
  std::filesystem::permissions(dir.File("locked"), std::filesystem::perms(0555));
  const auto refused = [&dir] { return !data::WriteFileReplacing(dir.File("locked/prog"), "new"); };
  EXPECT_EQ(testing_support::AsOrdinaryUser(refused), 0);
  EXPECT_EQ(dir.Read("locked/prog"), "old");
  EXPECT_FALSE(data::WriteFileReplacing(dir.File("no/such/dir/prog"), "new"));
}

TEST(Files, ReadWholeFileRefusesOversizedFiles) {
  TempDir dir;
  dir.Write("big", std::string(100, 'x'));
  std::vector<std::uint8_t> bytes;
  EXPECT_EQ(data::ReadWholeFile(dir.File("big"), 99, bytes), data::ReadStatus::TooLarge);
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(data::ReadWholeFile(dir.File("big"), 100, bytes), data::ReadStatus::Ok);
  EXPECT_EQ(bytes.size(), 100u);
  EXPECT_EQ(data::ReadWholeFile(dir.File("none"), 100, bytes), data::ReadStatus::Missing);
  EXPECT_EQ(data::ReadWholeFile(dir.path(), 100, bytes), data::ReadStatus::Unreadable);
}

// A pipe whose writer has text for it is still no file to read: a reader
// would otherwise take the text, or wait for a writer that never comes.
TEST(Files, PipesAndDevicesAreRefusedWithoutReadingThem) {
  TempDir dir;
  const testing_support::FifoFeeder fifo(dir.File("pipe"), "%1\r\nN10 X1\r\n");
  std::vector<std::uint8_t> bytes;
  EXPECT_EQ(data::ReadWholeFile(dir.File("pipe"), 100, bytes), data::ReadStatus::Unreadable);
  EXPECT_TRUE(bytes.empty());
  EXPECT_EQ(data::ReadFileHead(dir.File("pipe"), 100, bytes), data::ReadStatus::Unreadable);
  EXPECT_EQ(data::ReadFileHead("/dev/zero", 100, bytes), data::ReadStatus::Unreadable);
  EXPECT_TRUE(bytes.empty());
  // A link to a regular file is read through.
  dir.Write("real", "text");
  std::filesystem::create_symlink(dir.File("real"), dir.File("link"));
  EXPECT_EQ(data::ReadWholeFile(dir.File("link"), 4, bytes), data::ReadStatus::Ok);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "text");
  EXPECT_EQ(data::ReadWholeFile(dir.File("real/below"), 4, bytes), data::ReadStatus::Missing);
}

TEST(Files, InputFileReadsLinesOfARegularFile) {
  TempDir dir;
  dir.Write("lines", "one\r\ntwo\r\n");
  data::InputFile file;
  ASSERT_EQ(file.Open(dir.File("lines")), data::ReadStatus::Ok);
  std::string line;
  std::getline(file.stream(), line);
  EXPECT_EQ(line, "one\r");
  // Opened again on another name, it starts afresh.
  EXPECT_EQ(file.Open(dir.File("none")), data::ReadStatus::Missing);
  EXPECT_FALSE(std::getline(file.stream(), line));
  EXPECT_FALSE(file.failed());
}

TEST(Files, OutputFileReplacesFilesButWritesDevicesInPlace) {
  TempDir dir;
  dir.Write("old", "older and longer");
  ASSERT_TRUE(data::WriteOutputFile(dir.File("old"), "new"));
  EXPECT_EQ(dir.Read("old"), "new");
  // A link stays a link; the file it names is replaced.
  std::filesystem::create_symlink(dir.File("old"), dir.File("link"));
  ASSERT_TRUE(data::WriteOutputFile(dir.File("link"), "through"));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link")));
  EXPECT_EQ(dir.Read("old"), "through");
  // A device is written, not replaced by a file.
  EXPECT_TRUE(data::WriteOutputFile("/dev/null", "nothing"));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  // A FIFO without a reader fails at once instead of waiting for one.
  ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
  EXPECT_FALSE(data::WriteOutputFile(dir.File("pipe"), "x"));
  EXPECT_FALSE(data::WriteOutputFile(dir.File("no/such/dir/x"), "x"));
}

TEST(Files, FileLockExcludesEveryOtherHolderUntilReleased) {
  TempDir dir;
  const std::string path = dir.File("lock");
  data::FileLock first;
  data::FileLock second;
  EXPECT_EQ(first.TryLock(path), data::FileLock::Status::Held);
  EXPECT_TRUE(dir.Exists("lock"));
  EXPECT_EQ(second.TryLock(path), data::FileLock::Status::Busy);  // also within one process
  EXPECT_FALSE(second.held());
  first.Unlock();
  EXPECT_EQ(second.TryLock(path), data::FileLock::Status::Held);
  {
    data::FileLock scoped;
    second.Unlock();
    EXPECT_EQ(scoped.TryLock(path), data::FileLock::Status::Held);
  }
  EXPECT_EQ(first.TryLock(path), data::FileLock::Status::Held);  // the end of its holder released it

  // A lock file that is no regular file, or cannot be made, gives no lock.
  std::filesystem::create_directory(dir.File("folder"));
  EXPECT_EQ(second.TryLock(dir.File("folder")), data::FileLock::Status::Failed);
  EXPECT_EQ(second.TryLock(dir.File("no/such/dir/lock")), data::FileLock::Status::Failed);
}

// The lock dies with its process: a holder that was killed leaves none.
TEST(Files, FileLockOfAKilledProcessIsFree) {
  TempDir dir;
  const std::string path = dir.File("lock");
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    data::FileLock held;
    while (held.TryLock(path) != data::FileLock::Status::Held) ::usleep(1000);
    ::pause();  // until killed
    ::_exit(0);
  }
  data::FileLock mine;
  data::FileLock::Status status = data::FileLock::Status::Failed;
  // Wait until the child holds it.
  for (int i = 0; i < 1000 && (status = mine.TryLock(path)) != data::FileLock::Status::Busy; ++i) {
    mine.Unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_EQ(status, data::FileLock::Status::Busy);
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  EXPECT_EQ(mine.TryLock(path), data::FileLock::Status::Held);
}

}  // namespace
