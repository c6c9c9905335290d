#include "langunit/language_unit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "core/error_text.h"
#include "encoding/encoding_table.h"
#include "langfile/path_rules.h"
#include "tests/langfile/langfile_test_support.h"

namespace {

using langfile_test::CurrentDirectory;
using langfile_test::TempDir;
using langfile_test::write_file;

constexpr const char* kKaTable = "0x6B\tka\t\xE0\xA4\x95\tconsonant\tbase\t-\t-\n";
constexpr const char* kDescription = "name=Sample Script\nfile=sample.gkf\nfont=Sample Font\nships-font=no\n";

class LanguageUnitTest : public langfile_test::LanguageStateTest {
 protected:
  void SetUp() override {
    LanguageStateTest::SetUp();
    clear_encoding_table(&LiveEncodingTable);
    CurrentLanguage = LanguageUnit{};
    write_file(dir_.path() / "good" / "sample.gkf", langfile_test::kSampleLanguage);
    write_file(dir_.path() / "good" / "sample.tsv", kKaTable);
    write_file(dir_.path() / "good" / "language.txt", kDescription);
  }
  void TearDown() override {
    clear_encoding_table(&LiveEncodingTable);
    LanguageStateTest::TearDown();
  }
  // Everything a load puts in force, as one text.
  static std::string in_force() {
    return std::string(CurrentLanguage.path) + "|" + current_language_name() + "|" +
           std::to_string(LiveKeyMap['k']) + "|" + std::to_string(LiveEncodingTable.entry_count) + "|" +
           language_display_name() + "|" + CurrentLanguage.description.font;
  }
  TempDir dir_;
};

TEST_F(LanguageUnitTest, AllPartsComeInForceTogetherWithTheFoundPath) {
  CurrentDirectory here(dir_.path() / "good");
  ASSERT_EQ(load_language_unit("sample.gkf"), 1) << ErrorText;
  const std::string found = std::string(".") + platform_path_rules().separator + "sample.gkf";
  EXPECT_EQ(found, CurrentLanguage.path) << "the path the search found, kept";
  EXPECT_STREQ(language_display_name(), "Sample Script");
  EXPECT_STREQ(CurrentLanguage.description.font, "Sample Font");
  EXPECT_FALSE(CurrentLanguage.description.ships_font);
  EXPECT_STREQ(LiveEncodingTable.entries[0x6B].name, "ka");
  EXPECT_NE(LiveKeyMap['k'], 0);
}

TEST_F(LanguageUnitTest, WithoutDescriptionOrTableTheFileStillLoadsUnderItsOwnName) {
  write_file(dir_.path() / "bare" / "bare.gkf", langfile_test::kSampleLanguage);
  CurrentDirectory here(dir_.path() / "bare");
  ASSERT_EQ(load_language_unit("bare.gkf"), 1) << ErrorText;
  EXPECT_STREQ(language_display_name(), "Sample") << "the glyph table's GKMAIN name";
  EXPECT_EQ(LiveEncodingTable.entry_count, 0);
}

// A folder with one part that does not read changes nothing at all, and the
// message names the file, the line and the text.
TEST_F(LanguageUnitTest, ABrokenPartLeavesEverythingAsItWas) {
  const std::string other_language = "GKMAIN Other\nKU x KA\nGK 1 KA 120\n";
  write_file(dir_.path() / "table" / "other.gkf", other_language);
  write_file(dir_.path() / "table" / "other.tsv", "0x78\tka\n");
  write_file(dir_.path() / "described" / "other.gkf", other_language);
  write_file(dir_.path() / "described" / "language.txt", "name=Other\nfile=other.gkf\nfont\n");
  write_file(dir_.path() / "glyphs" / "other.gkf", "GKMAIN Other\nKU x KA\nGK 1 KA 0xA0\nGKS 0xA0 0xEE\n");
  {
    CurrentDirectory here(dir_.path() / "good");
    ASSERT_EQ(load_language_unit("sample.gkf"), 1) << ErrorText;
  }
  const std::string before = in_force();
  const struct {
    const char* folder;
    const char* named;
  } cases[] = {
      {"table", "other.tsv failed"},
      {"described", "language.txt line 3"},
      {"glyphs", "could not locate glyph 0xEE"},
  };
  for (const auto& c : cases) {
    CurrentDirectory here(dir_.path() / c.folder);
    EXPECT_EQ(load_language_unit("other.gkf"), 0) << c.folder;
    EXPECT_NE(std::string(ErrorText).find(c.named), std::string::npos) << c.folder << ": " << ErrorText;
    EXPECT_EQ(ErrorText[std::strlen(ErrorText) - 1], '\n');
    EXPECT_EQ(in_force(), before) << c.folder;
    EXPECT_EQ(StagingEncodingTable.entry_count, 0) << c.folder;
    EXPECT_EQ(StagingKeyMap['x'], 0) << c.folder;
  }
}

}  // namespace
