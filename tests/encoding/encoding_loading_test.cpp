#include "encoding/encoding_loading.h"

#include <gtest/gtest.h>

#include <string>

#include "core/error_text.h"
#include "encoding/encoding_table.h"
#include "tests/langfile/langfile_test_support.h"

namespace {

using langfile_test::ScopedIpath;
using langfile_test::TempDir;
using langfile_test::write_file;

constexpr const char* kKaTable = "0x41\tka\t\xE0\xA4\x95\tconsonant\tbase\t-\t-\n";
constexpr const char* kNaTable = "0x41\tna\t\xE0\xA4\xA8\tconsonant\tbase\t-\t-\n";

class EncodingLoadingTest : public ::testing::Test {
 protected:
  void SetUp() override { clear_encoding_table(&LiveEncodingTable); }
  void TearDown() override { clear_encoding_table(&LiveEncodingTable); }
  TempDir dir_;
};

TEST_F(EncodingLoadingTest, TableBesideTheLanguageFileFoundAlongItsSearchPath) {
  // The first folder has the table only; the language comes from the second,
  // so its own table is the one that counts.
  write_file(dir_.path() / "a" / "lang.tsv", kNaTable);
  write_file(dir_.path() / "b" / "lang.gkl", "");
  write_file(dir_.path() / "b" / "lang.tsv", kKaTable);
  const std::string list = (dir_.path() / "a").string() + ";" + (dir_.path() / "b").string();
  ScopedIpath ipath(list.c_str());
  ASSERT_EQ(load_encoding_table("lang.gkl"), 1) << ErrorText;
  EXPECT_TRUE(encoding_table_loaded());
  EXPECT_STREQ(LiveEncodingTable.entries[0x41].name, "ka");
}

TEST_F(EncodingLoadingTest, LanguageWithoutTableEmptiesTheLiveOne) {
  write_file(dir_.path() / "lang.gkf", "");
  write_file(dir_.path() / "other.gkf", "");
  write_file(dir_.path() / "other.tsv", kKaTable);
  ScopedIpath ipath(dir_.str().c_str());
  ASSERT_EQ(load_encoding_table("other.gkf"), 1) << ErrorText;
  EXPECT_EQ(load_encoding_table("lang.gkf"), 1) << "no table is no failure";
  EXPECT_FALSE(encoding_table_loaded());
}

TEST_F(EncodingLoadingTest, SecondKeyLayoutOfAFontUsesTheFontsTable) {
  write_file(dir_.path() / "my-font" / "Font-Remington.gkf", "");
  write_file(dir_.path() / "my-font" / "Font.tsv", kKaTable);
  write_file(dir_.path() / "my-font" / "Own-Keys.gkf", "");
  write_file(dir_.path() / "my-font" / "Own-Keys.tsv", kNaTable);
  ScopedIpath ipath((dir_.path() / "my-font").string().c_str());
  ASSERT_EQ(load_encoding_table("Font-Remington.gkf"), 1) << ErrorText;
  EXPECT_STREQ(LiveEncodingTable.entries[0x41].name, "ka") << "Font.tsv, not a folder's dash";
  ASSERT_EQ(load_encoding_table("Own-Keys.gkf"), 1) << ErrorText;
  EXPECT_STREQ(LiveEncodingTable.entries[0x41].name, "na") << "a table of its own comes first";
}

TEST_F(EncodingLoadingTest, FailedLoadKeepsTheTableInForceAndNamesLineAndFile) {
  write_file(dir_.path() / "good.gkf", "");
  write_file(dir_.path() / "good.tsv", kKaTable);
  write_file(dir_.path() / "bad.gkf", "");
  write_file(dir_.path() / "bad.tsv", std::string(kNaTable) + "0x42\tx\ty\tletter\tbase\t-\t-\n");
  write_file(dir_.path() / "long.gkf", "");
  write_file(dir_.path() / "long.tsv", "#" + std::string(1100, 'x') + "\n");
  ScopedIpath ipath(dir_.str().c_str());
  ASSERT_EQ(load_encoding_table("good.gkf"), 1) << ErrorText;

  EXPECT_EQ(load_encoding_table("bad.gkf"), 0);
  const std::string message = ErrorText;
  EXPECT_EQ(message.rfind("line 2: unknown class 'letter'\nLoading Encoding Table from ", 0), 0u) << message;
  EXPECT_NE(message.find("bad.tsv failed\n"), std::string::npos) << message;
  EXPECT_EQ(load_encoding_table("long.gkf"), 0);
  EXPECT_EQ(std::string(ErrorText).rfind("line 1: longer than 1022 characters\n", 0), 0u) << ErrorText;
  EXPECT_EQ(load_encoding_table("missing.gkf"), 0);
  EXPECT_STREQ(ErrorText, "Error: could not open missing.gkf for reading\n");

  EXPECT_STREQ(LiveEncodingTable.entries[0x41].name, "ka") << "the good table stays in force";
  EXPECT_FALSE(LiveEncodingTable.entries[0x42].present);
}

TEST_F(EncodingLoadingTest, ByteOrderMarkAtTheStartReadsAsNothing) {
  write_file(dir_.path() / "bom.gkf", "");
  write_file(dir_.path() / "bom.tsv", std::string("\xEF\xBB\xBF") + kKaTable);
  ScopedIpath ipath(dir_.str().c_str());
  ASSERT_EQ(load_encoding_table("bom.gkf"), 1) << ErrorText;
  EXPECT_STREQ(LiveEncodingTable.entries[0x41].name, "ka");

  static EncodingTable t;
  ASSERT_EQ(read_encoding_table(std::string("\xEF\xBB\xBF") + kNaTable, &t), 1) << ErrorText;
  EXPECT_STREQ(t.entries[0x41].name, "na");
}

TEST_F(EncodingLoadingTest, NulByteIsNamedWhereItStands) {
  write_file(dir_.path() / "nul_byte.gkf", "");
  const char kha_with_nul[] = "0x42\tkha\t\xE0\xA4\x96\0\tconsonant\tbase\t-\t-\n";
  write_file(dir_.path() / "nul_byte.tsv",
             kKaTable + std::string(kha_with_nul, sizeof kha_with_nul - 1));
  ScopedIpath ipath(dir_.str().c_str());
  EXPECT_EQ(load_encoding_table("nul_byte.gkf"), 0);
  EXPECT_EQ(std::string(ErrorText).rfind("line 2: control character 0x00 in column 3 (text)\n", 0), 0u)
      << ErrorText;
}

}  // namespace
