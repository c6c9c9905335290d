#include "langfile/language_loading.h"

#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "core/keystroke_translation.h"
#include "langfile_test_support.h"

namespace {

using langfile_test::kSampleLanguage;

// The sample language with a second key, so that a letter can grow: k gives
// glyph 107, a then adds 107 and 97 behind it.
const std::string kLanguage = std::string(kSampleLanguage) + "KU a AA\n";

// Counts the rows objects handed out and released through the platform's own
// operations, to prove that every path gives back what it obtained.
int objects_alive = 0;
const GlobalMemoryOps* platform_ops = nullptr;
const GlobalMemoryOps counting_ops{
    [](std::size_t bytes) {
      GlobalMemoryHandle handle = platform_ops->alloc(bytes);
      if (handle != nullptr) ++objects_alive;
      return handle;
    },
    [](GlobalMemoryHandle handle) { return platform_ops->lock(handle); },
    [](GlobalMemoryHandle handle) { return platform_ops->unlock(handle); },
    [](GlobalMemoryHandle handle) {
      GlobalMemoryHandle left = platform_ops->release(handle);
      if (left == nullptr) --objects_alive;
      return left;
    }};

class LanguageLoadingTest : public langfile_test::LanguageStateTest {
 protected:
  void SetUp() override {
    LanguageStateTest::SetUp();
    platform_ops = &global_memory();
    objects_alive = 0;
    set_global_memory_ops(&counting_ops);
  }
  // Types one character as a posted key does; the keystrokes as hex bytes.
  static std::string type(char c) {
    KeystrokeString keys{};
    std::int32_t count = 0;
    const auto character = static_cast<unsigned char>(c);
    translate_key(&keys, &count, key_to_ucode(character), character);
    std::string hex;
    for (std::int32_t i = 0; i < count; ++i) {
      char byte[4];
      std::snprintf(byte, sizeof byte, "%02X", static_cast<unsigned char>(keys.bytes[i]));
      hex += (i ? " " : "") + std::string(byte);
    }
    return hex;
  }
  static bool staging_is_clear() {
    for (unsigned char entry : StagingKeyMap) {
      if (entry != 0) return false;
    }
    const GlyphTable empty{};
    return std::memcmp(&StagingGlyphTable, &empty, sizeof empty) == 0;
  }
};

TEST_F(LanguageLoadingTest, SuccessfulLoadsCommitAndClearTheStagingCopies) {
  ASSERT_EQ(load_ku_data(nullptr, kLanguage.c_str()), 1) << ErrorText;
  ASSERT_EQ(load_gk_data(nullptr, kLanguage.c_str()), 1) << ErrorText;
  EXPECT_STREQ(current_language_name(), "Sample");
  EXPECT_NE(LiveKeyMap['k'], 0);
  EXPECT_EQ(LiveGlyphTable.glyphIndex[107], 1);
  EXPECT_TRUE(staging_is_clear());
  EXPECT_EQ(SourceReader.file, nullptr);
  EXPECT_EQ(type('k'), "6B");
  EXPECT_EQ(type('a'), "6B 61");
  EXPECT_EQ(type(' '), "20");
}

TEST_F(LanguageLoadingTest, ReloadReleasesThePreviousRows) {
  ASSERT_EQ(load_gk_data(nullptr, kLanguage.c_str()), 1) << ErrorText;
  ASSERT_EQ(load_gk_data(nullptr, "GKMAIN Other\nGK 1 KA 200\n"), 1) << ErrorText;
  EXPECT_EQ(objects_alive, 1);
  EXPECT_STREQ(current_language_name(), "Other");
  ASSERT_EQ(free_language_tables(), 1);
  EXPECT_EQ(objects_alive, 0);
}

TEST_F(LanguageLoadingTest, FailedGlyphLoadKeepsTheLanguageInUseAndCompositionGoesOn) {
  ASSERT_EQ(load_ku_data(nullptr, kLanguage.c_str()), 1) << ErrorText;
  ASSERT_EQ(load_gk_data(nullptr, kLanguage.c_str()), 1) << ErrorText;
  EXPECT_EQ(type('k'), "6B");
  const GlyphTable before = LiveGlyphTable;
  const GlyphRow row_before = LiveGlyphTable.rows[1];

  // Fails in the second pass, after its own rows were obtained.
  EXPECT_EQ(load_gk_data(nullptr, "GKMAIN Broken\nGK 1 KA 4\nGK 1 AA 1 2 3 4 5\n"), 0);
  EXPECT_STREQ(ErrorText,
               "Error in parsing GK - more than 4 char codes after GK 1 AA (line 3)\n"
               "Loading Language File (GK Data) from (text) failed\n");
  EXPECT_EQ(std::memcmp(&LiveGlyphTable, &before, sizeof before), 0);
  EXPECT_EQ(std::memcmp(&LiveGlyphTable.rows[1], &row_before, sizeof row_before), 0);
  EXPECT_STREQ(current_language_name(), "Sample");
  EXPECT_TRUE(staging_is_clear());
  EXPECT_EQ(objects_alive, 1);
  EXPECT_EQ(SourceReader.file, nullptr);

  // The letter begun before the failed load goes on: AA after 107 adds 107 97.
  EXPECT_EQ(type('a'), "6B 61");
}

TEST_F(LanguageLoadingTest, FailedGlyphLoadFromAFileNamesTheFileAndClosesIt) {
  langfile_test::TempDir dir;
  langfile_test::write_file(dir.path() / "bad.gkf", "GK 1 KA 107\nGKA 1 INVISIBLE\n");
  langfile_test::ScopedIpath ipath(dir.str().c_str());
  ASSERT_EQ(load_gk_data(nullptr, kLanguage.c_str()), 1) << ErrorText;

  EXPECT_EQ(load_gk_data("bad.gkf", nullptr), 0);
  EXPECT_STREQ(ErrorText,
               "Error in parsing GKATTR - illegal attr (INVISIBLE) glyph 0x1 (line 2)\n"
               "Loading Language File (GK Data) from bad.gkf failed\n");
  EXPECT_EQ(SourceReader.file, nullptr);
  EXPECT_EQ(objects_alive, 1);

  EXPECT_EQ(load_gk_data("missing.gkf", nullptr), 0);
  EXPECT_STREQ(ErrorText,
               "Error: could not open missing.gkf for reading\n"
               "Loading Language File (GK Data) from missing.gkf failed\n");
  EXPECT_STREQ(current_language_name(), "Sample");
}

TEST_F(LanguageLoadingTest, FailedAllocationLeavesTheLiveTable) {
  ASSERT_EQ(load_gk_data(nullptr, kLanguage.c_str()), 1) << ErrorText;
  const GlyphTable before = LiveGlyphTable;
  static const GlobalMemoryOps failing{[](std::size_t) -> GlobalMemoryHandle { return nullptr; },
                                       [](GlobalMemoryHandle) -> void* { return nullptr; },
                                       [](GlobalMemoryHandle) { return 0; },
                                       [](GlobalMemoryHandle h) { return h; }};
  set_global_memory_ops(&failing);
  EXPECT_EQ(load_gk_data(nullptr, "GK 1 KA 9\n"), 0);
  set_global_memory_ops(&counting_ops);
  EXPECT_STREQ(ErrorText,
               "GlobalAlloc failed, could not allocate 516 bytes\n"
               "Loading Language File (GK Data) from (text) failed\n");
  EXPECT_EQ(std::memcmp(&LiveGlyphTable, &before, sizeof before), 0);
  EXPECT_TRUE(staging_is_clear());
}

TEST_F(LanguageLoadingTest, FailedKeyLoadKeepsTheLiveMapAndLeavesNothingBehind) {
  ASSERT_EQ(load_ku_data(nullptr, "KU k KA\n"), 1) << ErrorText;
  const KeyMap before = LiveKeyMap;

  EXPECT_EQ(load_ku_data(nullptr, "KU y YA\nKU x KA\nKU x KHA\n"), 0);
  EXPECT_STREQ(ErrorText,
               "Error in parsing KU map - duplicate entry for key x (line 3)\n"
               "Loading Language File (KU Data) from (text) failed\n");
  EXPECT_EQ(LiveKeyMap, before);
  EXPECT_NE(StagingKeyMap['y'], 0);  // kept until the next key-map load

  ASSERT_EQ(load_ku_data(nullptr, "KU a A\n"), 1) << ErrorText;
  EXPECT_EQ(LiveKeyMap['y'], 0);
  EXPECT_EQ(LiveKeyMap['k'], 0);
  EXPECT_NE(LiveKeyMap['a'], 0);
  EXPECT_TRUE(staging_is_clear());
}

TEST_F(LanguageLoadingTest, ALanguageIsInForceWholeOrNotAtAll) {
  ASSERT_EQ(load_language(nullptr, kLanguage.c_str()), 1) << ErrorText;
  EXPECT_STREQ(current_language_name(), "Sample");
  EXPECT_EQ(type('k'), "6B");
  const GlyphTable glyphs_before = LiveGlyphTable;
  const KeyMap keys_before = LiveKeyMap;

  // Its glyph table loads; its key map does not.
  EXPECT_EQ(load_language(nullptr, "GKMAIN Other\nGK 1 KA 200\nKU x KA\nKU x KHA\n"), 0);
  EXPECT_STREQ(ErrorText,
               "Error in parsing KU map - duplicate entry for key x (line 4)\n"
               "Loading Language File (KU Data) from (text) failed\n");
  EXPECT_STREQ(current_language_name(), "Sample");
  EXPECT_EQ(std::memcmp(&LiveGlyphTable, &glyphs_before, sizeof glyphs_before), 0);
  EXPECT_EQ(LiveKeyMap, keys_before);
  EXPECT_EQ(objects_alive, 1) << "the staged rows are given back";
  EXPECT_EQ(SourceReader.file, nullptr);
  EXPECT_EQ(type('k'), "6B");

  ASSERT_EQ(load_language(nullptr, "GKMAIN Other\nGK 1 KA 200\nKU x KA\n"), 1) << ErrorText;
  EXPECT_STREQ(current_language_name(), "Other");
  EXPECT_EQ(LiveKeyMap['k'], 0);
  EXPECT_EQ(type('x'), "C8");
  EXPECT_TRUE(staging_is_clear());
  EXPECT_EQ(objects_alive, 1);
}

TEST_F(LanguageLoadingTest, FailedKeyLoadStillEndsTheLetter) {
  ASSERT_EQ(load_ku_data(nullptr, kLanguage.c_str()), 1) << ErrorText;
  ASSERT_EQ(load_gk_data(nullptr, kLanguage.c_str()), 1) << ErrorText;
  EXPECT_EQ(type('k'), "6B");
  EXPECT_EQ(typed_count, 1);
  EXPECT_EQ(load_ku_data(nullptr, "% nothing\n"), 0);
  EXPECT_EQ(typed_count, 0);
  EXPECT_EQ(letter_count, 0);
  // A new letter: a alone has no start sequence, so nothing is typed.
  EXPECT_EQ(type('a'), "");
  EXPECT_EQ(type('k'), "6B");
}

TEST_F(LanguageLoadingTest, AppendedLineAlwaysArrivesWholeInErrorText) {
  // A name far longer than ErrorText: the reader's message fills the buffer,
  // the appended line keeps the first 255 characters of the name.
  const std::string long_name(2000, 'n');
  EXPECT_EQ(load_gk_data(long_name.c_str(), nullptr), 0);
  const std::string text = ErrorText;
  const std::string line =
      "Loading Language File (GK Data) from " + long_name.substr(0, 255) + " failed\n";
  ASSERT_LT(text.size(), kErrorTextSize);
  EXPECT_EQ(text.size(), kErrorTextSize - 1);
  ASSERT_GT(text.size(), line.size());
  EXPECT_EQ(text.substr(text.size() - line.size()), line);
  EXPECT_EQ(text.substr(0, 30), "Error: could not open nnnnnnnn");
  EXPECT_EQ(text[text.size() - line.size() - 1], '\n');

  EXPECT_EQ(load_ku_data(long_name.c_str(), nullptr), 0);
  EXPECT_EQ(std::strlen(ErrorText), kErrorTextSize - 1);
  EXPECT_NE(std::strstr(ErrorText, "\nLoading Language File (KU Data) from nnn"), nullptr);
}

}  // namespace
