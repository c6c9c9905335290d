#include "shell/path_rules.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "shell/status_text.h"

namespace {

std::string completed(const char* name, const char* directory) {
  char buffer[kNameSize];
  std::strcpy(buffer, name);
  EXPECT_EQ(1, complete_path_against(buffer, directory)) << name;
  return buffer;
}

}  // namespace

TEST(DirectorySlash, AddedOnlyWhereMissing) {
  char dir[kNameSize] = "C:\\lang";
  EXPECT_EQ(1, add_directory_slash(dir, sizeof dir));
  EXPECT_STREQ("C:\\lang\\", dir);
  std::strcpy(dir, "C:\\");
  EXPECT_EQ(1, add_directory_slash(dir, sizeof dir));
  EXPECT_STREQ("C:\\", dir) << "a drive root keeps its one backslash";
  std::strcpy(dir, "C");
  EXPECT_EQ(1, add_directory_slash(dir, sizeof dir));
  EXPECT_STREQ("C", dir) << "shorter than two characters: unchanged";
}

TEST(DirectorySlash, RefusedWhenNoRoomIsLeft) {
  char dir[6] = "C:\\ab";
  EXPECT_EQ(0, add_directory_slash(dir, sizeof dir));
  EXPECT_STREQ("C:\\ab", dir);
}

TEST(CompletePathRule, DriveAndNetworkNamesStayAsTheyAre) {
  EXPECT_EQ("C:x.gkf", completed("C:x.gkf", "D:\\work\\"));
  EXPECT_EQ("D:\\lang\\x.gkf", completed("D:\\lang\\x.gkf", "C:\\work\\"));
  EXPECT_EQ("\\\\server\\share\\x.gkf", completed("\\\\server\\share\\x.gkf", "C:\\work\\"));
}

TEST(CompletePathRule, RootedNamesGetTheDriveRelativeNamesTheDirectory) {
  EXPECT_EQ("C:\\lang\\x.gkf", completed("\\lang\\x.gkf", "C:\\work\\"));
  EXPECT_EQ("C:\\work\\x.gkf", completed("x.gkf", "C:\\work\\"));
  EXPECT_EQ("C:\\x.gkf", completed("x.gkf", "C:\\"));
  EXPECT_EQ("C:\\work\\", completed("", "C:\\work\\")) << "an empty name is relative too";
}

TEST(CompletePathRule, AResultThatWouldNotFitIsRefusedAndTheNameKept) {
  std::string directory = "C:\\" + std::string(240, 'd') + "\\";  // 244 characters
  char name[kNameSize];
  std::string fits(kNameSize - 1 - directory.size(), 'f');
  std::strcpy(name, fits.c_str());
  EXPECT_EQ(1, complete_path_against(name, directory.c_str()));
  EXPECT_EQ(directory + fits, std::string(name));
  EXPECT_EQ(kNameSize - 1, std::strlen(name));

  std::string too_long = fits + "x";
  std::strcpy(name, too_long.c_str());
  EXPECT_EQ(0, complete_path_against(name, directory.c_str()));
  EXPECT_EQ(too_long, std::string(name));
}
