#include "encoding/unicode_keystrokes.h"

#include <gtest/gtest.h>

#include <string>

#include "core/error_text.h"
#include "core/keystroke_translation.h"
#include "core/language_tables.h"
#include "core/ucode_table.h"
#include "encoding/encoding_loading.h"
#include "encoding/to_unicode.h"
#include "langfile/language_loading.h"
#include "tests/langfile/langfile_test_support.h"

namespace {


std::string utf8(const char16_t* units, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) append_utf8(out, units[i]);
  return out;
}

// Vedrokan as the program loads it, found along the search path, its
// encoding table from beside it.
class UnicodeKeystrokesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    langfile_test::ScopedIpath ipath(TOLVAR_VEDROKAN_DIR);
    ASSERT_EQ(ucode_init(), 1);
    ASSERT_EQ(load_ku_data("Vedrokan.gkf", nullptr), 1) << ErrorText;
    ASSERT_EQ(load_gk_data("Vedrokan.gkf", nullptr), 1) << ErrorText;
    ASSERT_EQ(load_encoding_table("Vedrokan.gkf"), 1) << ErrorText;
    ASSERT_TRUE(encoding_table_loaded());
  }
  void TearDown() override {
    free_language_tables();
    clear_encoding_table(&LiveEncodingTable);
  }

  // Types each key; returns "backspaces:new text" for each, joined by " | ",
  // and keeps the simulated screen (one code point per Backspace).
  std::string type(const char* keys) {
    std::string log;
    for (const char* p = keys; *p != '\0'; ++p) {
      const auto character = static_cast<unsigned char>(*p);
      translate_key_unicode(&strokes_, key_to_ucode(character), character);
      for (int i = 0; i < strokes_.backspaces && !screen_.empty(); ++i) screen_.pop_back();
      screen_.append(strokes_.text, static_cast<std::size_t>(strokes_.count));
      if (!log.empty()) log += " | ";
      log += std::to_string(strokes_.backspaces) + ":" + utf8(strokes_.text, strokes_.count);
    }
    return log;
  }
  std::string screen() const { return utf8(screen_.data(), static_cast<int>(screen_.size())); }

  UnicodeKeystrokes strokes_;
  std::u16string screen_;
};

TEST_F(UnicodeKeystrokesTest, EachKeyErasesOnlyTheCodePointsThatChanged) {
  // क् then कि: the virama goes, the i sign comes behind the consonant
  // although its glyph stands in front.
  EXPECT_EQ(type("ki"), "0:क् | 1:ि");
  EXPECT_EQ(type("pr"), "0:प् | 0:र्");
  EXPECT_EQ(type("e"), "1:े");
  EXPECT_EQ(screen(), "किप्रे");
}

TEST_F(UnicodeKeystrokesTest, RephAndClustersGoBackIntoLogicalOrder) {
  EXPECT_EQ(type("karma"), "0:क् | 1: | 0:र् | 0:म् | 1:");
  EXPECT_EQ(screen(), "कर्म");
  type(" kShatriya shrii");
  EXPECT_EQ(screen(), "कर्म क्षत्रिय श्री");
}

TEST_F(UnicodeKeystrokesTest, BackspaceErasesEveryCodePointOfTheLetter) {
  // h turns त् into थ्: two code points go, as the composer replaced one glyph.
  EXPECT_EQ(type("sthi\x08"), "0:स् | 0:त् | 2:थ् | 1:ि | 4:");
  EXPECT_EQ(screen(), "");
  EXPECT_EQ(type("\x7F"), "1:") << "no letter: one Backspace as typed";
  EXPECT_EQ(type("ka "), "0:क् | 1: | 0: ");
  EXPECT_EQ(type("k\x08"), "0:क् | 2:") << "after a space the old letter is not erased";
  EXPECT_EQ(screen(), "क ");
}

TEST_F(UnicodeKeystrokesTest, NewLetterLeavesTheFinishedOneAlone) {
  EXPECT_EQ(type("naa"), "0:न् | 1: | 0:ा");
  EXPECT_EQ(type("m"), "0:म्");
  EXPECT_EQ(screen(), "नाम्");
}

TEST_F(UnicodeKeystrokesTest, FontCodesAndUnicodeAreViewsOfTheSameChange) {
  LetterChange change;
  translate_letter(&change, key_to_ucode('k'), 'k');
  translate_letter(&change, key_to_ucode('i'), 'i');
  const std::int32_t typed = typed_count;
  KeystrokeString font;
  std::int32_t count = 0;
  font_keystrokes(change, &font, &count);
  unicode_keystrokes(change, &strokes_);
  EXPECT_EQ(std::to_string(strokes_.backspaces) + ":" + utf8(strokes_.text, strokes_.count), "1:ि");
  char16_t text[kLetterTextSize + 1];
  EXPECT_EQ(utf8(text, letter_text(reinterpret_cast<const unsigned char*>(font.bytes) + 1, count - 1, text)),
            "कि") << "the font codes retype the whole letter, which reads as the same text";
  unicode_keystrokes(change, &strokes_);
  EXPECT_EQ(strokes_.backspaces, 1) << "the same again: nothing was written";
  EXPECT_EQ(typed_count, typed);
}

TEST(TextDiffTest, KeepsTheCommonPrefix) {
  static UnicodeKeystrokes out;
  text_diff(&out, u"abc", 3, u"abxy", 4);
  EXPECT_EQ(out.backspaces, 1);
  EXPECT_EQ(std::u16string(out.text), u"xy");
  text_diff(&out, u"ab", 2, u"ab", 2);
  EXPECT_EQ(out.backspaces + out.count, 0);
}

}  // namespace
