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
  EXPECT_EQ(convert(glyphs({"ddra", "halant.right", "ya", "uu.right"})), "ड्र्यू");
}

TEST(LegacyToUnicodeTest, BytesOutsideTheTablePassUnchanged) {
  EXPECT_EQ(convert(std::string("\x20\x81\n", 3) + glyphs({"na"}) + "\t"), "\x20\x81\nन\t");
}

TEST(LegacyToUnicodeTest, ISignWithoutConsonantStaysWhereItIs) {
  EXPECT_EQ(convert(glyphs({"i.3"}) + " "), "ि ");
  EXPECT_EQ(convert(glyphs({"i.3"})), "ि");
}

}  // namespace
