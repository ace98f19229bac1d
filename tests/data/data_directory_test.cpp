#include "data/data_directory.h"

#include <gtest/gtest.h>

namespace {

using data::PathStyle;

TEST(DataDirectory, WindowsRules) {
  EXPECT_EQ(data::MakeDataDirectory("C:\\RUR\\rur.exe", PathStyle::Windows), "C:\\RUR\\");
  EXPECT_EQ(data::MakeDataDirectory("C:rur.exe", PathStyle::Windows), "C:");  // bare drive: no backslash
  EXPECT_EQ(data::MakeDataDirectory("D:\\a/b\\rur.exe", PathStyle::Windows), "D:\\a/b\\");
}

TEST(DataDirectory, PosixRules) {
  EXPECT_EQ(data::MakeDataDirectory("/opt/rur/bin/rur", PathStyle::Posix), "/opt/rur/bin/");
  // ':' is an ordinary character on POSIX.
  EXPECT_EQ(data::MakeDataDirectory("/opt/a:b/rur", PathStyle::Posix), "/opt/a:b/");
  EXPECT_EQ(data::MakeDataDirectory("rur", PathStyle::Posix), "");
}

TEST(DataDirectory, OverrideWinsAndEndsInSeparator) {
  EXPECT_EQ(data::ResolveDataDirectory({"/opt/rur/rur", "/srv/data"}), "/srv/data/");
  EXPECT_EQ(data::ResolveDataDirectory({"/opt/rur/rur", "/srv/data/"}), "/srv/data/");
  EXPECT_EQ(data::ResolveDataDirectory({"/opt/rur/rur", ""}), "/opt/rur/");
}

TEST(DataDirectory, LongPathsAreNotCut) {
  const std::string dir = "/" + std::string(300, 'd') + "/";
  EXPECT_EQ(data::MakeDataDirectory(dir + "rur", PathStyle::Posix), dir);
}

}  // namespace
