#include "langfile/path_walk.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

int home_lookups = 0;
const char* dot_home() {
  ++home_lookups;
  return ".";
}
const char* user_home() {
  ++home_lookups;
  return "/home/user";
}

std::vector<std::string> candidates(const PathRules& rules, const char* path_list,
                                    const char* file_name, const char* (*home)() = dot_home) {
  PathWalk walk;
  path_walk_start(&walk, rules, path_list, file_name, home);
  std::vector<std::string> result;
  char candidate[kCandidatePathSize];
  while (path_walk_next(&walk, candidate)) result.emplace_back(candidate);
  return result;
}

using Paths = std::vector<std::string>;

TEST(PathWalk, WindowsDefaultListTriesCurrentDirectoryTolvarNirvekAndCurrentAgain) {
  const auto& rules = windows_path_rules();
  EXPECT_EQ(candidates(rules, rules.default_path_list, "hindi.gkf"),
            (Paths{".\\hindi.gkf", "\\TOLVAR\\hindi.gkf", "\\NIRVEK\\TOLVAR\\hindi.gkf",
                   ".\\hindi.gkf"}));
}

TEST(PathWalk, NativeDefaultListIsTheSameListWithSlashes) {
  const auto& rules = native_path_rules();
  EXPECT_EQ(candidates(rules, rules.default_path_list, "hindi.gkf"),
            (Paths{"./hindi.gkf", "/TOLVAR/hindi.gkf", "/NIRVEK/TOLVAR/hindi.gkf",
                   "./hindi.gkf"}));
}

TEST(PathWalk, WindowsRootedRelativeAndDriveNamesAreOpenedDirectly) {
  const auto& rules = windows_path_rules();
  for (const char* name : {"C:\\lang\\hindi.gkf", "c:hindi.gkf", "\\lang\\hindi.gkf",
                           ".\\hindi.gkf", "..\\hindi.gkf"}) {
    EXPECT_EQ(candidates(rules, "a;b", name), Paths{name}) << name;
  }
  EXPECT_EQ(candidates(rules, "a;b", "lang\\hindi.gkf"),
            (Paths{"a\\lang\\hindi.gkf", "b\\lang\\hindi.gkf"}));
  // Forms of the other platform are searched like any other name.
  EXPECT_EQ(candidates(rules, "a", "/lang/hindi.gkf"), Paths{"a\\/lang/hindi.gkf"});
  EXPECT_EQ(candidates(rules, "a", "1:x"), Paths{"a\\1:x"});
}

TEST(PathWalk, NativeRootedAndRelativeNamesAreOpenedDirectly) {
  const auto& rules = native_path_rules();
  for (const char* name : {"/lang/hindi.gkf", "./hindi.gkf", "../hindi.gkf"}) {
    EXPECT_EQ(candidates(rules, "a;b", name), Paths{name}) << name;
  }
  EXPECT_EQ(candidates(rules, "a;b", "lang/hindi.gkf"),
            (Paths{"a/lang/hindi.gkf", "b/lang/hindi.gkf"}));
  EXPECT_EQ(candidates(rules, "a", "C:\\hindi.gkf"), Paths{"a/C:\\hindi.gkf"});
}

TEST(PathWalk, EmptyElementsStandForTheCurrentDirectory) {
  const auto& rules = windows_path_rules();
  EXPECT_EQ(candidates(rules, "", "h.gkf"), Paths{".\\h.gkf"});
  EXPECT_EQ(candidates(rules, "a;;b;", "h.gkf"),
            (Paths{"a\\h.gkf", ".\\h.gkf", "b\\h.gkf", ".\\h.gkf"}));
  // A trailing separator in an element is kept, not merged.
  EXPECT_EQ(candidates(rules, "dir\\", "h.gkf"), Paths{"dir\\\\h.gkf"});
}

TEST(PathWalk, EmptyFileNameOpensNothing) {
  EXPECT_TRUE(candidates(windows_path_rules(), "a;b", "").empty());
  EXPECT_TRUE(candidates(native_path_rules(), "a;b", "").empty());
}

TEST(PathWalk, TildeIsHomeOnlyWhenBareAndHomeIsLookedUpOnlyThen) {
  const auto& windows = windows_path_rules();
  home_lookups = 0;
  EXPECT_EQ(candidates(windows, "~\\fonts;d:\\x", "hindi.gkf"),
            (Paths{".\\fonts\\hindi.gkf", "d:\\x\\hindi.gkf"}));
  EXPECT_EQ(home_lookups, 1);

  home_lookups = 0;
  EXPECT_EQ(candidates(windows, "~abc\\x", "hindi.gkf"), Paths{"abc\\x\\hindi.gkf"});
  EXPECT_EQ(home_lookups, 0);

  EXPECT_EQ(candidates(native_path_rules(), "~;~/lang;~bob/x", "h.gkf", user_home),
            (Paths{"/home/user/h.gkf", "/home/user/lang/h.gkf", "bob/x/h.gkf"}));
}

TEST(PathWalk, CandidateLongerThanItsBufferIsSkippedAndTheWalkGoesOn) {
  const auto& rules = native_path_rules();
  // "dir/" + name: exactly 255 characters fit, 256 do not.
  const std::string fits_dir(255 - 6, 'd');
  const std::string long_dir(256 - 6, 'd');
  EXPECT_EQ(candidates(rules, fits_dir.c_str(), "h.gkf"), Paths{fits_dir + "/h.gkf"});
  EXPECT_EQ(candidates(rules, (long_dir + ";ok").c_str(), "h.gkf"), Paths{"ok/h.gkf"});

  const std::string long_name(300, 'n');
  EXPECT_TRUE(candidates(rules, "a;b", long_name.c_str()).empty());
  EXPECT_TRUE(candidates(rules, "a", ("/" + long_name).c_str()).empty());
  EXPECT_EQ(candidates(rules, "a", ("/" + std::string(254, 'n')).c_str()).size(), 1u);

  static const std::string long_home(400, 'h');
  EXPECT_EQ(candidates(rules, "~;x", "h.gkf", [] { return long_home.c_str(); }),
            Paths{"x/h.gkf"});
}

}  // namespace
