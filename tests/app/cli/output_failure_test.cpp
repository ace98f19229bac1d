// Output that does not arrive: every printing command of the built rur-cli
// on a full device, a closed pipe and under a file-size limit, the
// simulated controller's device path, and the check in-process on a stream
// whose buffer fails. None of them may end with status 0 or silently.
#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>
#include <streambuf>

#include <gtest/gtest.h>

#include "app/cli/cli_process.h"
#include "cli/cli_app.h"
#include "cli/output_stream.h"
#include "support/temp_dir.h"

namespace {

using testing_support::TempDir;

constexpr char kNoSpace[] = "rur-cli: cannot write the output: No space left on device\n";

struct Outcome {
  int status = -1;  // the exit status; -1 when killed (by a signal or at the deadline)
  std::string err;
};

class OutputFailureTest : public ::testing::Test {
 protected:
  OutputFailureTest() {
    std::filesystem::copy_file(std::filesystem::path(RUR_SOURCE_DIR) / "resources" / "msg.dat", data.File("msg.dat"));
    program = std::string(RUR_SOURCE_DIR) + "/resources/examples/%100";
  }

  // rur-cli with the arguments, on the data directory, stdout on fd.
  Outcome Cli(std::vector<std::string> args, int fd) {
    args.insert(args.end(), {"--data", data.path()});
    cli_testing::CliProcess cli(args, fd);
    const int status = cli.Finish();
    return {status, cli.err()};
  }

  Outcome OnFullDevice(const std::vector<std::string>& args) {
    const int full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    const Outcome outcome = Cli(args, full);
    ::close(full);
    return outcome;
  }

  // rur-cli with the arguments under `ulimit -f blocks` (of 512 bytes) with
  // SIGXFSZ ignored, as a caller such as Python leaves it; stdout into `out`.
  Outcome UnderFileSizeLimit(int blocks, const std::vector<std::string>& args, const std::string& out) {
    std::string command = "trap '' XFSZ; ulimit -f " + std::to_string(blocks) + "; exec '" RUR_CLI_PATH "'";
    for (const std::string& a : args) command += " '" + a + "'";
    command += " --data '" + data.path() + "'";
    const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    cli_testing::CliProcess shell({"-c", command}, fd, "/bin/sh");
    ::close(fd);
    const int status = shell.Finish();
    return {status, shell.err()};
  }

  TempDir data;
  TempDir scratch;
  std::string program;
};

// Also the simulated controller, whose device path cannot be shown: it ends at once.
TEST_F(OutputFailureTest, EveryPrintingCommandReportsAFullDevice) {
  const std::vector<std::vector<std::string>> commands = {
      {"eval", "2*3"},          {"word", "X5"},           {"translate", "G01 X5"}, {"listing", program},
      {"draw", program, "--blocks"}, {"convert", program}, {"convert", program, "--blocks"}, {"--help"},
      {"controller", "--pty"},
  };
  for (const auto& args : commands) {
    const Outcome outcome = OnFullDevice(args);
    EXPECT_EQ(outcome.status, 1) << args[0];
    EXPECT_NE(outcome.err.find(kNoSpace), std::string::npos) << args[0] << ": " << outcome.err;
  }
  // A command that prints nothing has nothing to lose.
  EXPECT_EQ(OnFullDevice({"draw", program}).status, 0);
}

TEST_F(OutputFailureTest, SendReportsStatusLinesThatDidNotArrive) {
  cli_testing::CliProcess controller({"controller", "--pty"});
  const auto device = controller.ReadLine();
  ASSERT_TRUE(device.has_value());
  const Outcome send = OnFullDevice({"send", program, "--port", *device});
  EXPECT_EQ(send.status, 1);
  EXPECT_NE(send.err.find(kNoSpace), std::string::npos) << send.err;
  EXPECT_EQ(controller.Finish(), 0);  // the transfer itself went through
}

// Status 1, not death by SIGPIPE (which Finish gives as -1).
TEST_F(OutputFailureTest, ClosedPipeEndsWithStatusOneNotASignal) {
  int fds[2];
  ASSERT_EQ(::pipe2(fds, O_CLOEXEC), 0);
  ::close(fds[0]);  // nobody reads
  const Outcome outcome = Cli({"listing", program}, fds[1]);
  ::close(fds[1]);
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.err.find("rur-cli: cannot write the output: Broken pipe\n"), std::string::npos)
      << outcome.err;
}

TEST_F(OutputFailureTest, FileSizeLimitStopsAListingWithStatusOne) {
  // Short lines: the scratch file (404 bytes) stays below the limit, the
  // listing (some 700 bytes) does not.
  std::string text = "%1\r\n";
  for (int n = 1; n <= 100; ++n) text += "X" + std::to_string(n % 10) + "\r\n";
  scratch.Write("%1", text);
  const Outcome outcome = UnderFileSizeLimit(1, {"listing", scratch.File("%1")}, scratch.File("listing.txt"));
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.err.find("rur-cli: cannot write the output: File too large\n"), std::string::npos)
      << outcome.err;
  EXPECT_EQ(scratch.Read("listing.txt").size(), 512u);  // the limit itself
}

// A picture that cannot be written whole leaves the older one in place.
TEST_F(OutputFailureTest, PictureCutShortByAFileSizeLimitKeepsTheOldOne) {
  scratch.Write("old.png", "the older picture");
  const Outcome outcome = UnderFileSizeLimit(2, {"draw", program, "--png", scratch.File("old.png")}, "/dev/null");
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.err.find("rur-cli: cannot write " + scratch.File("old.png")), std::string::npos) << outcome.err;
  EXPECT_EQ(scratch.Read("old.png"), "the older picture");
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(scratch.path())) ++files;
  EXPECT_EQ(files, 1);  // old.png alone: no fragment left beside it
}

// A stream buffer that takes nothing.
class RefusingBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type) override { return traits_type::eof(); }
  std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

TEST(OutputCheck, StreamThatRefusesTheOutputFailsTheCommand) {
  TempDir data;
  RefusingBuffer refusing;
  std::ostream out(&refusing);
  std::ostringstream err;
  EXPECT_EQ(cli::Run({"eval", "1+1", "--data", data.path()}, "/nowhere/rur-cli", out, err), 1);
  EXPECT_EQ(err.str(), "rur-cli: cannot write the output: write error\n");
  // A usage error stays one; its output failing is said as well.
  out.clear();
  err.str("");
  EXPECT_EQ(cli::Run({"eval", "--data", data.path()}, "/nowhere/rur-cli", out, err), 2);
}

// A write larger than the buffer goes through whole (a full device is
// covered through the built program above).
TEST(OutputCheck, DescriptorOutputPassesWritesLargerThanItsBuffer) {
  TempDir dir;
  const int file = ::open(dir.File("out.txt").c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  {
    cli::DescriptorOutput buffer(file);
    std::ostream out(&buffer);
    const std::string big(200000, 'x');  // more than the buffer holds
    out << "start " << big << '\n';
    out.flush();
    EXPECT_TRUE(out.good());
    EXPECT_EQ(buffer.error(), 0);
  }
  ::close(file);
  EXPECT_EQ(dir.Read("out.txt"), "start " + std::string(200000, 'x') + "\n");
}

}  // namespace
