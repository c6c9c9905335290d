#include "encoding/to_unicode.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "encoding/from_unicode.h"
#include "tests/encoding/encoding_test_support.h"

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

TEST(LegacyToUnicodeTest, EveryClassOfTheTableInItsPlace) {
  const EncodingTable& t = vedrokan_table();
  const auto text = [&](int code) {
    char utf8[3 * kGlyphTextMax + 1];
    glyph_text_utf8(t.entries[static_cast<std::size_t>(code)].text, utf8);
    return std::string(utf8);
  };
  const std::string ka = glyphs({"ka"});
  for (int code = 0; code < 256; ++code) {
    const EncodingEntry& e = t.entries[static_cast<std::size_t>(code)];
    if (!e.present) continue;
    const std::string byte(1, static_cast<char>(code));
    if (e.placement == Placement::kPrepend) {
      EXPECT_EQ(convert(byte + ka), "क" + text(code)) << e.name << ": the i sign behind";
    } else if (e.cls == GlyphClass::kReph) {
      EXPECT_EQ(convert(ka + byte), "र्क") << e.name;
    } else if (e.cls == GlyphClass::kHalf || e.cls == GlyphClass::kVirama) {
      EXPECT_EQ(convert(byte + ka), text(code) + "क") << e.name << ": joins the consonant after it";
    } else if (e.cls == GlyphClass::kMatra || e.cls == GlyphClass::kSign || e.cls == GlyphClass::kRakar ||
               e.cls == GlyphClass::kHalant) {
      // Vowel signs and marks on every consonant and ligature stay behind it.
      for (int base = 0; base < 256; ++base) {
        const EncodingEntry& b = t.entries[static_cast<std::size_t>(base)];
        if (!b.present || (b.cls != GlyphClass::kConsonant && b.cls != GlyphClass::kLigature)) continue;
        EXPECT_EQ(convert(std::string(1, static_cast<char>(base)) + byte), text(base) + text(code))
            << e.name << " on " << b.name;
      }
    } else {
      EXPECT_EQ(convert(byte), text(code)) << e.name;  // vowels, consonants, nukta letters, digits, danda
    }
  }
  // A byte the table leaves out is the character it is in Windows-1252.
  EXPECT_EQ(convert("\xAD"), "\u00AD");
}

TEST(LegacyToUnicodeTest, ISignWithoutConsonantStaysWhereItIs) {
  EXPECT_EQ(convert(glyphs({"i.3"}) + " "), "ि ");
  EXPECT_EQ(convert(glyphs({"i.3"})), "ि");
}

}  // namespace

namespace {

const EncodingTable& shipped_table(const char* font) {
  static EncodingTable tables[2];
  EncodingTable& t = tables[std::strcmp(font, "Preeti") == 0];
  EXPECT_EQ(read_encoding_table(builtin_table_named(font)->text, &t), 1) << ErrorText;
  return t;
}

TEST(LegacyToUnicodeTest, PartsOfLegacyFontsJoinIntoTheirLetters) {
  const EncodingTable& kruti = shipped_table("KrutiDev010");
  EXPECT_EQ(legacy_to_unicode(kruti, "f[kd"), "खिक") << "the stem ा makes ख् whole, the i sign's base";
  EXPECT_EQ(legacy_to_unicode(kruti, "T+;k"), "ज़्या") << "the nukta goes before the virama";
  EXPECT_EQ(legacy_to_unicode(kruti, "bZ ekxZ"), "ई मार्ग") << "reph after इ is ई, elsewhere र्";
  const EncodingTable& preeti = shipped_table("Preeti");
  EXPECT_EQ(legacy_to_unicode(preeti, "e]m k|m"), "झे फ्र") << "m reaches its letter across े and ्र";
  EXPECT_EQ(legacy_to_unicode(preeti, "6]\xAB"), "ट्रे") << "a rakar typed after the sign";
  EXPECT_EQ(legacy_to_unicode(preeti, "d+}"), "मैं") << "a sign typed after the anusvara";
  EXPECT_EQ(legacy_to_unicode(preeti, ":'t"), "स्तु") << "a sign typed after a half form waits";
}

TEST(UnicodeToLegacyTest, LegacyFontsDrawMissingFormsFromParts) {
  const EncodingTable& kruti = shipped_table("KrutiDev010");
  std::vector<Undrawable> missing;
  EXPECT_EQ(unicode_to_legacy(kruti, "खि ट्स स्टि फ़", missing), "f[k V~l fLV Q+");
  EXPECT_TRUE(missing.empty());
}

}  // namespace
