#include "encoding/encoding_table.h"

#include <gtest/gtest.h>

#include "tests/encoding/encoding_test_support.h"

namespace {

constexpr const char* kSmall =
    "# comment\n"
    "\n"
    "0x41\tka\t\xE0\xA4\x95\tconsonant\tbase\tmarks=centre i=i3\t\xE0\xA4\x95\n"
    "0xC3\ti.3\t\xE0\xA4\xBF\tmatra\tPREPEND\ti=i3\tx:0\r\n"
    "0x43\treph\t\xE0\xA4\xB0\xE0\xA5\x8D\treph\tAPPEND\t-\tx:1\n";

TEST(EncodingTableTest, ReadsEveryColumnOfEachLine) {
  static EncodingTable t;
  ASSERT_EQ(read_encoding_table(kSmall, &t), 1) << ErrorText;
  const EncodingEntry& ka = t.entries[0x41];
  EXPECT_TRUE(ka.present);
  EXPECT_STREQ(ka.name, "ka");
  ASSERT_EQ(ka.text.length, 1);
  EXPECT_EQ(ka.text.units[0], u'\u0915');
  EXPECT_EQ(ka.cls, GlyphClass::kConsonant);
  EXPECT_EQ(ka.placement, Placement::kBase);
  EXPECT_EQ(ka.marks, StemClass::kCentre);
  EXPECT_STREQ(ka.i_length, "i3");
  EXPECT_EQ(t.entries[0xC3].placement, Placement::kPrepend) << "a CR before the line feed is dropped";
  EXPECT_EQ(t.entries[0x43].placement, Placement::kAppend);
  EXPECT_FALSE(t.entries[0x42].present);

  ASSERT_EQ(read_encoding_table("0x41\tka\tk\tconsonant\tbase\ti=i12 i=i3\tk\n", &t), 1) << ErrorText;
  EXPECT_STREQ(t.entries[0x41].i_length, "i3") << "a later i= replaces the whole value";
}

TEST(EncodingTableTest, RejectsMalformedLinesNamingTheLine) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"0x41\tka\tk\tconsonant\tbase\t-\n", "line 1: expected 7 columns separated by tabs, got 6\n"},
      {"0x141\tka\tk\tconsonant\tbase\t-\tk\n", "line 1: bad byte code '0x141'\n"},
      {"0x41\ta\tk\tconsonant\tbase\t-\tk\n0x41\tb\tk\tconsonant\tbase\t-\tk\n",
       "line 2: byte code 0x41 given twice\n"},
      {"0x41\tka\tk\tletter\tbase\t-\tk\n", "line 1: unknown class 'letter'\n"},
      {"0x41\tka\tk\tconsonant\tbelow\t-\tk\n", "line 1: unknown placement 'below'\n"},
      {"0x41\tka\tk\tconsonant\tbase\tcolour=red\tk\n", "line 1: unknown trait in 'colour=red'\n"},
      {"0x41\tka\t\tconsonant\tbase\t-\tk\n", "line 1: empty text\n"},
      // Each glyph's text must fit the fixed entry, one UTF-16 unit per code point.
      {"0x41\tka\t123456789\tconsonant\tbase\t-\tk\n",
       "line 1: text not up to 8 characters of UTF-8 below U+10000 '123456789'\n"},
      {"0x41\tka\t\xF0\x9F\x98\x80\tconsonant\tbase\t-\tk\n",
       "line 1: text not up to 8 characters of UTF-8 below U+10000 '\xF0\x9F\x98\x80'\n"},
      {"0x41\tka\t\xE0\xA4\tconsonant\tbase\t-\tk\n",
       "line 1: text not up to 8 characters of UTF-8 below U+10000 '\xE0\xA4'\n"},
      // The eight pairs an entry holds count across after= items: two items
      // (of three pairs each, when the limit was four) wrote past the last
      // entry of the table.
      {"0x41\taa\ta\tmatra\tbase\tafter=b:c,d:e,f:g,h:i,j:k,l:m,n:o,p:q,r:s\tk\n",
       "line 1: more than 8 after= pairs in 'after=b:c,d:e,f:g,h:i,j:k,l:m,n:o,p:q,r:s'\n"},
      {"0xff\taa\ta\tmatra\tbase\tafter=b:c,d:e,f:g,h:i,j:k after=l:m,n:o,p:q,r:s\tk\n",
       "line 1: more than 8 after= pairs in 'after=b:c,d:e,f:g,h:i,j:k after=l:m,n:o,p:q,r:s'\n"},
      {"0x41\taa\ta\tmatra\tbase\tafter=b:c,d\tk\n",
       "line 1: bad after= pair (X:Y, each up to 8 characters) in 'after=b:c,d'\n"},
      // Typed as it stands, a Backspace in a text would erase the user's text.
      {"0x41\tka\tk\x08\tconsonant\tbase\t-\tk\n",
       "line 1: control character 0x08 in column 3 (text)\n"},
      {"0x41\taa\ta\tmatra\tbase\tafter=a:\x7F\tk\n",
       "line 1: control character 0x7F in column 6 (traits)\n"},
      {"0x41\tka\tk\xC2\x85\tconsonant\tbase\t-\tk\n",
       "line 1: control character U+0085 in column 3 (text)\n"},
  };
  for (const auto& c : cases) {
    static EncodingTable t;
    EXPECT_EQ(read_encoding_table(c.text, &t), 0) << c.text;
    EXPECT_STREQ(ErrorText, c.message) << c.text;
  }
}

TEST(EncodingTableTest, LongColumnIsCutInTheMessageWhichStillEndsItsLine) {
  const std::string traits(1000, 'x');
  static EncodingTable t;
  EXPECT_EQ(read_encoding_table("0x41\tka\tk\tconsonant\tbase\t" + traits + "\tk\n", &t), 0);
  EXPECT_EQ(std::string(ErrorText), "line 1: unknown trait in '" + traits.substr(0, 200) + "...'\n");
}

TEST(EncodingTableTest, BuiltInTableLeavesControlDelAndSoftHyphenBytesUnused) {
  const EncodingTable& t = vedrokan_table();
  for (int code : {0x00, 0x0A, 0x20, 0x7F, 0xAD})
    EXPECT_FALSE(t.entries[static_cast<std::size_t>(code)].present) << "byte " << code << " is used";
  for (const char* punct : {"'", "\"", "-", "\xE2\x80\x98", "\xE2\x80\x94"}) {
    bool found = false;
    for (const EncodingEntry& e : t.entries) {
      char text[3 * kGlyphTextMax + 1];
      glyph_text_utf8(e.text, text);
      found = found || (e.present && std::strcmp(text, punct) == 0);
    }
    EXPECT_TRUE(found) << punct << " is not kept as punctuation";
  }
  EXPECT_EQ(t.entries[static_cast<std::size_t>(code_of("reph"))].placement, Placement::kAppend);
}

}  // namespace
