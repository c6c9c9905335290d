#include "tools/legacyconv/encoding_table.h"

#include <gtest/gtest.h>

#include "tests/languages/legacyconv_test_support.h"

namespace {

constexpr const char* kSmall =
    "# comment\n"
    "\n"
    "0x41\tka\t\xE0\xA4\x95\tconsonant\tbase\tmarks=centre i=i3\t\xE0\xA4\x95\n"
    "0xC3\ti.3\t\xE0\xA4\xBF\tmatra\tPREPEND\ti=i3\tx:0\r\n"
    "0x43\treph\t\xE0\xA4\xB0\xE0\xA5\x8D\treph\tAPPEND\t-\tx:1\n";

TEST(EncodingTableTest, ReadsEveryColumnOfEachLine) {
  EncodingTable t;
  std::string error;
  ASSERT_EQ(read_encoding_table(kSmall, t, error), 1) << error;
  const EncodingEntry& ka = t.entries[0x41];
  EXPECT_TRUE(ka.present);
  EXPECT_EQ(ka.name, "ka");
  EXPECT_EQ(ka.text, "\xE0\xA4\x95");
  EXPECT_EQ(ka.cls, GlyphClass::kConsonant);
  EXPECT_EQ(ka.placement, Placement::kBase);
  EXPECT_EQ(ka.marks, StemClass::kCentre);
  EXPECT_EQ(ka.i_length, "i3");
  EXPECT_EQ(t.entries[0xC3].placement, Placement::kPrepend) << "a CR before the line feed is dropped";
  EXPECT_EQ(t.entries[0x43].placement, Placement::kAppend);
  EXPECT_FALSE(t.entries[0x42].present);
}

TEST(EncodingTableTest, RejectsMalformedLinesNamingTheLine) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"0x41\tka\tk\tconsonant\tbase\t-\n", "line 1: expected 7 columns separated by tabs"},
      {"0x141\tka\tk\tconsonant\tbase\t-\tk\n", "line 1: bad byte code '0x141'"},
      {"0x41\ta\tk\tconsonant\tbase\t-\tk\n0x41\tb\tk\tconsonant\tbase\t-\tk\n",
       "line 2: byte code 0x41 given twice"},
      {"0x41\tka\tk\tletter\tbase\t-\tk\n", "line 1: unknown class 'letter'"},
      {"0x41\tka\tk\tconsonant\tbelow\t-\tk\n", "line 1: unknown placement 'below'"},
      {"0x41\tka\tk\tconsonant\tbase\tcolour=red\tk\n", "line 1: unknown trait in 'colour=red'"},
      {"0x41\tka\t\tconsonant\tbase\t-\tk\n", "line 1: empty text"},
  };
  for (const auto& c : cases) {
    EncodingTable t;
    std::string error;
    EXPECT_EQ(read_encoding_table(c.text, t, error), 0) << c.text;
    EXPECT_EQ(error, c.message) << c.text;
  }
}

TEST(EncodingTableTest, BuiltInTableLeavesControlDelAndSoftHyphenBytesUnused) {
  const EncodingTable& t = vedrokan_table();
  for (int code : {0x00, 0x0A, 0x20, 0x7F, 0xAD})
    EXPECT_FALSE(t.entries[static_cast<std::size_t>(code)].present) << "byte " << code << " is used";
  for (const char* punct : {"'", "\"", "-", "\xE2\x80\x98", "\xE2\x80\x94"}) {
    bool found = false;
    for (const EncodingEntry& e : t.entries) found = found || (e.present && e.text == punct);
    EXPECT_TRUE(found) << punct << " is not kept as punctuation";
  }
  EXPECT_EQ(t.entries[static_cast<std::size_t>(code_of("reph"))].placement, Placement::kAppend);
}

}  // namespace
