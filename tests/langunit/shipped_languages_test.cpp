#include "langunit/shipped_languages.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/error_text.h"
#include "encoding/encoding_loading.h"
#include "langfile/path_rules.h"
#include "langunit/language_unit.h"
#include "tests/langfile/langfile_test_support.h"

namespace {

using langfile_test::TempDir;
using langfile_test::write_file;

std::string names(const ShippedLanguages& list) {
  std::string text;
  for (int i = 0; i < list.count; ++i) text += std::string(i ? "|" : "") + list.languages[i].description.name;
  return text;
}

TEST(ShippedLanguagesTest, FoldersInNameOrderAndABrokenOneNamedWithoutLosingTheOthers) {
  TempDir dir;
  write_file(dir.path() / "b" / "language.txt", "name=Bee\nfile=b.gkf\nfont=B\nships-font=yes\n");
  write_file(dir.path() / "a" / "language.txt",
             "name=Ay\nfile=a.gkf\nfont=A\nships-font=no\n\nname=Ay Two\nfile=a2.gkf\nfont=A\nships-font=no\n");
  write_file(dir.path() / "c" / "language.txt", "name=Sea\nfile=c.gkf\nships-font=maybe\n");
  write_file(dir.path() / "data" / "words.txt", "not a language folder\n");
  static ShippedLanguages list;
  EXPECT_EQ(list_shipped_languages(dir.str().c_str(), '/', &list), 0);
  EXPECT_NE(std::string(ErrorText).find("c/language.txt line 3"), std::string::npos) << ErrorText;
  EXPECT_EQ(names(list), "Ay|Ay Two|Bee");
  EXPECT_EQ(std::string(list.languages[1].path), dir.str() + "/a/a2.gkf");
  EXPECT_EQ(find_shipped_language(list, "Bee"), 2);
  EXPECT_EQ(find_shipped_language(list, "bee"), -1) << "a display name is matched exactly";
  EXPECT_EQ(list_shipped_languages((dir.str() + "/none").c_str(), '/', &list), 0);
  EXPECT_NE(std::string(ErrorText).find("/none could not be read\n"), std::string::npos) << ErrorText;
}

// Every language the release ships is listed and loads as one unit with its
// encoding table.
class ShippedLanguageLoadTest : public langfile_test::LanguageStateTest {};

TEST_F(ShippedLanguageLoadTest, EveryShippedLanguageLoads) {
  // A path the search opens as it stands, on the platform's own terms.
  const std::string folder = std::filesystem::absolute(TOLVAR_LANGUAGES_DIR).make_preferred().string();
  static ShippedLanguages list;
  ASSERT_EQ(list_shipped_languages(folder.c_str(), platform_path_rules().separator, &list), 1) << ErrorText;
  EXPECT_GE(list.count, 5);
  ASSERT_GE(find_shipped_language(list, "Kruti Dev 010"), 0);
  for (int i = 0; i < list.count; ++i) {
    EXPECT_EQ(load_language_unit(list.languages[i].path), 1) << ErrorText;
    EXPECT_STREQ(language_display_name(), list.languages[i].description.name);
    EXPECT_TRUE(encoding_table_loaded()) << list.languages[i].path;
  }
}

}  // namespace
