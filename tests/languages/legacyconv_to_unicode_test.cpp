#include "tools/legacyconv/to_unicode.h"

#include <gtest/gtest.h>

#include "tests/languages/legacyconv_test_support.h"

namespace {

std::string convert(const std::string& bytes) { return legacy_to_unicode(vedrokan_table(), bytes); }

TEST(LegacyToUnicodeTest, ISignMovesBehindItsWholeCluster) {
  EXPECT_EQ(convert(glyphs({"i.3", "ka"})), "कि");
  EXPECT_EQ(convert(glyphs({"i.5", "sa.half", "tha"})), "स्थि");
  EXPECT_EQ(convert(glyphs({"i.3", "pha", "rakar.centre"})), "फ्रि");
  EXPECT_EQ(convert(glyphs({"i.3", "ka", "anusvara.centre", "na"})), "किंन");
}

TEST(LegacyToUnicodeTest, RephMovesToTheStartOfItsSyllable) {
  EXPECT_EQ(convert(glyphs({"ka", "ma", "reph"})), "कर्म");
  EXPECT_EQ(convert(glyphs({"ta.half", "sa", "reph"})), "र्त्स");
  EXPECT_EQ(convert(glyphs({"ma", "aa", "reph"})), "र्मा");
  EXPECT_EQ(convert(glyphs({"i.4", "ma", "reph"})), "र्मि");
}

TEST(LegacyToUnicodeTest, HalantAfterARakarClusterJoinsTheNextConsonant) {
  EXPECT_EQ(convert(glyphs({"dda", "rakar.right", "halant.right", "ya", "uu.right"})), "ड्र्यू");
  // The i sign typed in front of a cluster broken by a halant mark belongs behind it all.
  EXPECT_EQ(convert(glyphs({"i.3", "ra", "halant.right", "khha"})), "र्ख़ि");
}

TEST(LegacyToUnicodeTest, VowelLetterAndVowelSignDrawnTogetherAreOneLetter) {
  EXPECT_EQ(convert(glyphs({"letter_a", "aa", "ai.right", "anusvara.right"})), "औं");
  EXPECT_EQ(convert(glyphs({"letter_e", "eM.right"})), "ऐं");
  EXPECT_EQ(convert(glyphs({"ka", "aa", "short_e.right"})), "कॊ");
  // A joiner keeps the cluster open for the i sign, a non-joiner closes it.
  EXPECT_EQ(convert(glyphs({"i.3", "ka.half", "zwj", "ta"})), "क्\u200Dति");
  EXPECT_EQ(convert(glyphs({"ka.virama", "zwnj", "i.3", "ta"})), "क्\u200Cति");
}

TEST(LegacyToUnicodeTest, BytesOutsideTheTablePassUnchanged) {
  EXPECT_EQ(convert(std::string("\x20\x7F\n", 3) + glyphs({"na"}) + "\t"), "\x20\x7F\nन\t");
}

TEST(LegacyToUnicodeTest, ISignWithoutConsonantStaysWhereItIs) {
  EXPECT_EQ(convert(glyphs({"i.3"}) + " "), "ि ");
  EXPECT_EQ(convert(glyphs({"i.3"})), "ि");
}

}  // namespace
