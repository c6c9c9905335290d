#include "keychart/key_chart.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/error_text.h"
#include "core/keystroke_translation.h"
#include "encoding/encoding_table.h"
#include "encoding/to_unicode.h"
#include "langfile/language_loading.h"
#include "encoding/unicode_keystrokes.h"
#include "keychart/key_chart_html.h"
#include "langfile/path_rules.h"
#include "langunit/language_unit.h"
#include "langunit/shipped_languages.h"
#include "tests/langfile/langfile_test_support.h"

namespace {

class KeyChartTest : public langfile_test::LanguageStateTest {
 protected:
  void TearDown() override {
    clear_encoding_table(&LiveEncodingTable);
    LanguageStateTest::TearDown();
  }
  static KeyChart chart_;
};
KeyChart KeyChartTest::chart_;

// What the keys leave on screen, typed as Tolvar types them with Unicode
// output, in UTF-8.
std::string typed(const char* keys) {
  static UnicodeKeystrokes strokes;
  letter_reset();
  std::u16string screen;
  for (const char* key = keys; *key != '\0'; ++key) {
    const auto c = static_cast<unsigned char>(*key);
    translate_key_unicode(&strokes, key_to_ucode(c), c);
    screen.resize(screen.size() > static_cast<std::size_t>(strokes.backspaces) ? screen.size() - strokes.backspaces : 0);
    screen.append(strokes.text, static_cast<std::size_t>(strokes.count));
  }
  std::string text;
  for (const char16_t unit : screen) append_utf8(text, unit);
  return text;
}

std::string letter(const ChartEntry& entry) {
  char text[3 * kChartTextMax + 1];
  chart_text_utf8(entry, text);
  return text;
}

// Each letter's spellings, "क=ka|ख=Ka kha|...".
std::string spellings(const KeyChart& chart) {
  std::string text;
  for (int i = 0; i < chart.count; ++i) {
    text += (i ? "|" : "") + letter(chart.entries[i]) + "=";
    for (int s = 0; s < chart.entries[i].spelling_count; ++s) text += (s ? " " : "") + std::string(chart.entries[i].spellings[s]);
  }
  return text;
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Typing any spelling of any shipped chart gives its letter, and a chart
// never leaves a letter open behind it.
TEST_F(KeyChartTest, EverySpellingOfEveryShippedChartTypesItsLetter) {
  const std::string folder = std::filesystem::absolute(TOLVAR_LANGUAGES_DIR).make_preferred().string();
  static ShippedLanguages list;
  ASSERT_EQ(list_shipped_languages(folder.c_str(), platform_path_rules().separator, &list), 1) << ErrorText;
  for (int i = 0; i < list.count; ++i) {
    ASSERT_EQ(load_language_unit(list.languages[i].path), 1) << ErrorText;
    ASSERT_EQ(make_key_chart(&chart_), 1) << ErrorText;
    EXPECT_EQ(typed_length(), 0) << "the letter the search typed is ended";
    EXPECT_TRUE(chart_.complete) << "the search ended within its bound: " << list.languages[i].path;
    EXPECT_GE(chart_.count, 60) << list.languages[i].path;
    for (int e = 0; e < chart_.count; ++e) {
      const ChartEntry& entry = chart_.entries[e];
      ASSERT_GE(entry.spelling_count, 1);
      if (e > 0) {
        EXPECT_LE(chart_.entries[e - 1].section, entry.section) << "sections stay together";
      }
      for (int s = 0; s < entry.spelling_count; ++s) {
        std::u16string expected(entry.text, entry.text_length);
        std::string want;
        for (const char16_t unit : expected) append_utf8(want, unit);
        EXPECT_EQ(typed(entry.spellings[s]), want) << list.languages[i].path << " " << entry.spellings[s];
      }
    }
  }
}

TEST_F(KeyChartTest, PhoneticAndTypewriterChartsShowWhatTheirTypistsType) {
  const std::string folder = std::filesystem::absolute(TOLVAR_LANGUAGES_DIR).string();
  ASSERT_EQ(load_language_unit((folder + "/vedrokan/Vedrokan.gkf").c_str()), 1) << ErrorText;
  ASSERT_EQ(make_key_chart(&chart_), 1);
  const std::string vedrokan = spellings(chart_);
  EXPECT_TRUE(has(vedrokan, "|आ=A aa|")) << vedrokan;
  EXPECT_TRUE(has(vedrokan, "|ख=Ka kha|")) << "a longer spelling changes the letter the first key began";
  EXPECT_TRUE(has(vedrokan, "|कि=ki|")) << "vowel signs sit on क";
  EXPECT_TRUE(has(vedrokan, "|कँ=ka.N|")) << "the period ends the letter, then turns into the sign";
  EXPECT_TRUE(has(vedrokan, "|क्=k|"));
  EXPECT_FALSE(has(vedrokan, "F")) << "a dead key only makes longer spellings";

  ASSERT_EQ(load_language_unit((folder + "/krutidev/KrutiDev010-Remington.gkf").c_str()), 1) << ErrorText;
  ASSERT_EQ(make_key_chart(&chart_), 1);
  const std::string remington = spellings(chart_);
  EXPECT_TRUE(has(remington, "|कि=df fd|")) << "the i sign typed before its consonant: " << remington;
  EXPECT_TRUE(has(remington, "|क=d|")) << "not Dk: a half letter and its stem where one key types it";
  EXPECT_TRUE(has(remington, "|ख=[k|")) << "not [~kk: a virama undone";
  EXPECT_TRUE(has(remington, "|क्ष={k D\"k|")) << "a half letter where the shortest spelling has one too";
}

TEST_F(KeyChartTest, WithoutAnEncodingTableEachKeyIsShownWithItsUcode) {
  ASSERT_EQ(load_language(nullptr, langfile_test::kSampleLanguage), 1) << ErrorText;
  clear_encoding_table(&LiveEncodingTable);
  ASSERT_EQ(make_key_chart(&chart_), 1) << ErrorText;
  ASSERT_GE(chart_.count, 1);
  EXPECT_EQ(chart_.entries[0].section, ChartSection::kKeys);
  EXPECT_STREQ(chart_.entries[0].spellings[0], "k");
  EXPECT_STREQ(chart_.entries[0].ucode, "KA");

  reset_language_state();
  EXPECT_EQ(make_key_chart(&chart_), 0);
  EXPECT_STREQ(ErrorText, "The key chart needs a language: none is loaded\n");
}

TEST(KeyChartHtmlTest, ChartsGoBetweenTheMarkersAndKeysAreEscaped) {
  static KeyChart chart;
  chart.count = 1;
  chart.entries[0] = ChartEntry{};
  chart.entries[0].section = ChartSection::kKeys;
  std::snprintf(chart.entries[0].spellings[0], kChartKeysMax + 1, "<&");
  chart.entries[0].spelling_count = 1;
  std::snprintf(chart.entries[0].ucode, sizeof chart.entries[0].ucode, "KA");
  std::string charts;
  append_key_chart_html(chart, "A<B", "F", &charts);
  EXPECT_TRUE(has(charts, "<h3>A&lt;B</h3>")) << charts;
  EXPECT_TRUE(has(charts, "<kbd>&lt;&amp;</kbd>")) << charts;

  std::string page;
  ASSERT_EQ(replace_key_charts("head <!-- key charts begin -->old<!-- key charts end --> tail", "new\n", &page), 1);
  EXPECT_EQ(page, "head <!-- key charts begin -->\nnew\n<!-- key charts end --> tail");
  EXPECT_EQ(replace_key_charts("<!-- key charts end --><!-- key charts begin -->", "x", &page), 0);
  EXPECT_TRUE(has(ErrorText, "key charts begin")) << ErrorText;
}

}  // namespace
