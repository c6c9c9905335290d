#include "encoding/from_unicode.h"

#include <gtest/gtest.h>

#include "tests/encoding/encoding_test_support.h"
#include "encoding/to_unicode.h"

namespace {

std::string convert(const std::string& text) {
  std::vector<Undrawable> missing;
  const std::string out = unicode_to_legacy(vedrokan_table(), text, missing);
  EXPECT_TRUE(missing.empty()) << text << ": " << missing.size() << " characters not drawn";
  return out;
}

TEST(UnicodeToLegacyTest, VowelSignsTakeTheVariantOfTheirConsonantsStem) {
  EXPECT_EQ(hex(convert("कु")), hex(glyphs({"ka", "u.centre"})));
  EXPECT_EQ(hex(convert("नु")), hex(glyphs({"na", "u.right"})));
  EXPECT_EQ(hex(convert("ढु")), hex(glyphs({"ddha", "u.mid"})));
  EXPECT_EQ(hex(convert("टे")), hex(glyphs({"tta", "e.right"}))) << "no mid e: the right one";
  EXPECT_EQ(hex(convert("कें")), hex(glyphs({"ka", "eM.centre"})));
  EXPECT_EQ(hex(convert("में")), hex(glyphs({"ma", "eM.right"})));
  EXPECT_EQ(hex(convert("किं")), hex(glyphs({"i.3", "ka", "anusvara.centre"})));
  EXPECT_EQ(hex(convert("जि")), hex(glyphs({"i.7", "ja"})));
}

TEST(UnicodeToLegacyTest, ConsonantWithVowelSignDrawnAsOneGlyphWhereTheFontHasIt) {
  EXPECT_EQ(hex(convert("रूप")), hex(glyphs({"ruu", "pa"})));
  EXPECT_EQ(hex(convert("बिन्दु")), hex(glyphs({"i.3", "ba", "na.half", "du"})));
  EXPECT_EQ(hex(convert("हृदय")), hex(glyphs({"hr", "da", "ya"})));
}

TEST(UnicodeToLegacyTest, ClustersUseHalfFormsLigaturesRephAndRakar) {
  EXPECT_EQ(hex(convert("क्षत्रिय")), hex(glyphs({"kssa", "i.3", "tra", "ya"})));
  EXPECT_EQ(hex(convert("स्थिति")), hex(glyphs({"i.5", "sa.half", "tha", "i.3", "ta"})));
  EXPECT_EQ(hex(convert("ट्ठ")), hex(glyphs({"tta.virama", "ttha"}))) << "no half form: virama form";
  EXPECT_EQ(hex(convert("धर्म")), hex(glyphs({"dha", "ma", "reph"})));
  EXPECT_EQ(hex(convert("फ्रांस")), hex(glyphs({"pha", "rakar.centre", "aa", "anusvara.right", "sa"})));
  EXPECT_EQ(hex(convert("प्र्")), hex(glyphs({"pra", "halant.right"})));
  EXPECT_EQ(hex(convert("श्र्")), hex(glyphs({"shra", "halant.long"}))) << "its halant gives way to a long i";
  EXPECT_EQ(hex(convert("श्रि")), hex(glyphs({"i.7", "shra"})));
  EXPECT_EQ(hex(convert("प्रि")), hex(glyphs({"i.3", "pra"})));
  EXPECT_EQ(hex(convert("राम्")), hex(glyphs({"ra", "aa", "ma.virama"})));
}

TEST(UnicodeToLegacyTest, CandrabinduFollowsTheReph) {
  EXPECT_EQ(hex(convert("र्माँ")), hex(glyphs({"ma", "aa", "reph", "candrabindu"})));
}

TEST(UnicodeToLegacyTest, PrecomposedNuktaLettersAndJoinersAreAccepted) {
  EXPECT_EQ(hex(convert("\xE0\xA5\x9B")), hex(glyphs({"za"})));
  EXPECT_EQ(hex(convert("क्\u200Dष")), hex(glyphs({"ka.half", "zwj", "ssa"})));
  EXPECT_EQ(hex(convert("क्\u200Cष")), hex(glyphs({"ka.virama", "zwnj", "ssa"})));
}

TEST(UnicodeToLegacyTest, LettersWithoutAByteOfTheirOwnAreDrawnInParts) {
  EXPECT_EQ(hex(convert("औ")), hex(glyphs({"letter_a", "aa", "ai.right"})));
  EXPECT_EQ(hex(convert("ऐं")), hex(glyphs({"letter_e", "eM.right"})));
  EXPECT_EQ(hex(convert("ऐ ऎ ऑ")), hex(glyphs({"letter_e", "e.right"}) + " " +
                                      glyphs({"letter_e", "short_e.right"}) + " " +
                                      glyphs({"letter_a", "candra_o"})));
  // On a consonant the spacing part comes first, the mark sits on its stem.
  EXPECT_EQ(hex(convert("कौं कॊ")), hex(glyphs({"ka", "aa", "aiM.right"}) + " " +
                                       glyphs({"ka", "aa", "short_e.right"})));
}

TEST(UnicodeToLegacyTest, ConvertingBackGivesTheText) {
  for (const char* text : {"नमस्ते भारत", "विद्यार्थी", "लक्ष्मी", "कृपया", "ऑफ़िस", "ज्ञान।", "१९४७",
                           "“दुःख” – सोऽहम्", "संस्कृत", "ट्रक", "अंग्रेज़", "ॐ", "बॅट", "दुसऱ्या", "कॄती", "आठवडा"}) {
    EXPECT_EQ(legacy_to_unicode(vedrokan_table(), convert(text)), text);
  }
}

TEST(UnicodeToLegacyTest, NamesWhatTheFontCannotDrawWithItsLine) {
  std::vector<Undrawable> missing;
  const std::string out = unicode_to_legacy(vedrokan_table(), "क\nऱa ॢ", missing);
  ASSERT_EQ(missing.size(), 3u);
  EXPECT_EQ(missing[0].code_point, 0x0931u);
  EXPECT_EQ(missing[0].line, 2);
  EXPECT_EQ(missing[1].code_point, static_cast<char32_t>('a'));
  EXPECT_EQ(missing[2].code_point, 0x0962u);
  EXPECT_EQ(hex(out), hex(glyphs({"ka"}) + "\n "));
}

TEST(UnicodeToLegacyTest, InvalidUtf8IsNamedNotCopied) {
  std::vector<Undrawable> missing;
  const std::string out = unicode_to_legacy(vedrokan_table(), std::string("\xE0\xA4", 2), missing);
  EXPECT_EQ(out, "");
  ASSERT_EQ(missing.size(), 2u);
  EXPECT_EQ(missing[0].code_point, 0xFFFDu);
}

}  // namespace

TEST(UnicodeToLegacyTest, ALetterATableMakesOfItselfIsNamedNotFollowedForever) {
  // आ is made of आ and ा, and ई of ऊ which is made of ई: no spacing glyph ends either chain.
  static EncodingTable table;
  ASSERT_EQ(1, read_encoding_table("0x41\taa\t\xE0\xA4\xBE\tmatra\tbase\tafter=\xE0\xA4\x86:\xE0\xA4\x86\t-\n"
                                   "0x42\tii\t\xE0\xA5\x80\tmatra\tbase\tafter=\xE0\xA4\x8A:\xE0\xA4\x88,"
                                   "\xE0\xA4\x88:\xE0\xA4\x8A\t-\n",
                                   &table))
      << ErrorText;
  std::vector<Undrawable> missing;
  EXPECT_EQ(unicode_to_legacy(table, "\xE0\xA4\x86\xE0\xA4\x88", missing), "");
  EXPECT_EQ(missing.size(), 2u);
}
