#include "shell/suggest_mode.h"

#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "core/error_text.h"
#include "core/language_tables.h"
#include "core/letter_composer.h"
#include "core/ucode_table.h"
#include "encoding/encoding_loading.h"
#include "encoding/from_unicode.h"
#include "encoding/to_unicode.h"
#include "langfile/language_loading.h"
#include "shell/hook_messages.h"
#include "tests/langfile/langfile_test_support.h"

namespace {

// The program typed into: a Backspace erases one character, as in an edit
// control. Font output keeps glyph bytes, one character each.
std::u16string screen;
std::deque<KBEntry> queue;
std::vector<std::string> held;        // "KEY" or "KEY up", the keys handed back
std::vector<std::string> window;      // each list the candidate window showed, "" = closed
std::vector<std::string> remembered;  // "roman=word"
// The engine: a fixed list of candidates per romanized word.
std::map<std::string, std::vector<std::string>> engine;

int fake_take(KBEntry* entry) {
  if (queue.empty()) return 0;
  *entry = queue.front();
  queue.pop_front();
  return 1;
}
void erase(int backspaces) {
  for (; backspaces > 0 && !screen.empty(); --backspaces) screen.pop_back();
}
int fake_keys(const char* keys) {
  for (; *keys; ++keys) {
    if (*keys == '\b') {
      erase(1);
    } else {
      screen += static_cast<char16_t>(static_cast<unsigned char>(*keys));
    }
  }
  return kSendDone;
}
int fake_text(const char16_t* text, int backspaces) {
  erase(backspaces);
  screen += text;
  return kSendDone;
}
int fake_held(unsigned int key) {
  held.push_back(std::to_string(key & 0xFF) + ((key & kKeyWordRelease) != 0 ? " up" : ""));
  return kSendDone;
}
void fake_nothing() {}
int fake_suggest(const char* roman, int length, SuggestionList* list) {
  list->count = 0;
  for (const std::string& word : engine[std::string(roman, static_cast<std::size_t>(length))]) {
    std::snprintf(list->items[list->count].text, kNativeUtf8Size, "%s", word.c_str());
    list->items[list->count++].score = 0;
  }
  return 1;
}
void fake_show(const SuggestionList* list) {
  std::string shown;
  for (int i = 0; i < list->count; ++i) shown += (i ? " " : "") + std::string(list->items[i].text);
  window.push_back(shown);
}
void fake_remember(const char* roman, const char* word) {
  remembered.push_back(std::string(roman) + "=" + word);
}

const HookMessageOps kOps = {fake_take,    fake_keys,    fake_keys,    fake_text, fake_held,
                             fake_nothing, fake_nothing, fake_suggest, fake_show, fake_remember};

constexpr unsigned int kKeySpace = 0x20 | 0x39 << kKeyWordScanShift;
constexpr unsigned int kKeyEnter = 0x0D | 0x1C << kKeyWordScanShift;

// Each character as the hook queues it with the word keys on.
void type(const std::string& keys) {
  for (char c : keys) {
    const unsigned int character = static_cast<unsigned char>(c);
    const unsigned int key = c == ' ' ? kKeySpace : c == '\r' ? kKeyEnter : character;
    queue.push_back({kEntryCharacter, character, key});
  }
  HandleHookEntries(kOps);
}

std::string utf8(const std::u16string& text) {
  std::string out;
  for (char16_t unit : text) append_utf8(out, unit);
  return out;
}

// The screen in font output, read back through the font's table.
std::string font_screen_as_unicode() {
  std::string bytes;
  for (char16_t unit : screen) bytes += static_cast<char>(unit);
  return legacy_to_unicode(LiveEncodingTable, bytes);
}

// Vedrokan with its table, as the program loads it.
class SuggestModeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    langfile_test::ScopedIpath ipath(TOLVAR_VEDROKAN_DIR);
    ASSERT_EQ(ucode_init(), 1);
    ASSERT_EQ(load_ku_data("Vedrokan.gkf", nullptr), 1) << ErrorText;
    ASSERT_EQ(load_gk_data("Vedrokan.gkf", nullptr), 1) << ErrorText;
    ASSERT_EQ(load_encoding_table("Vedrokan.gkf"), 1) << ErrorText;
    letter_reset();
    screen.clear();
    queue.clear();
    held.clear();
    window.clear();
    remembered.clear();
    engine = {{"mera", {"मेरा", "मेर"}}, {"naam", {"नाम", "नम"}}, {"me", {"मे"}}, {"mer", {"मेर"}}};
    SuggestMode = 1;
    UnicodeOutput = 1;
    UseJournalPBH = 0;
  }
  void TearDown() override {
    // An open word would leak into the next test.
    type("\x1b");
    SuggestMode = 0;
    UnicodeOutput = 0;
    free_language_tables();
    clear_encoding_table(&LiveEncodingTable);
  }
};

}  // namespace

TEST(SuggestKeyAction, LettersBuildTheWordAndOtherKeysActOnlyOnAnOpenWord) {
  SuggestWord none = {};
  SuggestWord open = {};
  open.roman_length = 2;
  EXPECT_EQ(SuggestKey::kLetter, suggest_key_action(none, 'm', 0));
  EXPECT_EQ(SuggestKey::kLetter, suggest_key_action(open, 'A', 3))
      << "capitals are letters of the exact keys";
  for (unsigned int c : {0x31u, 0x20u, 0x2Eu, 0x08u, 0x1Bu, 0x0Du}) {
    EXPECT_EQ(SuggestKey::kPass, suggest_key_action(none, c, 0)) << "key " << c;
  }
  EXPECT_EQ(SuggestKey::kChoose, suggest_key_action(open, '3', 3));
  EXPECT_EQ(SuggestKey::kCommit, suggest_key_action(open, '4', 3))
      << "no fourth candidate: the digit finishes the word";
  EXPECT_EQ(SuggestKey::kCommit, suggest_key_action(open, '6', 10)) << "only five are numbered";
  EXPECT_EQ(SuggestKey::kCommit, suggest_key_action(open, ',', 3));
  EXPECT_EQ(SuggestKey::kCommit, suggest_key_action(open, 0x0D, 3));
  EXPECT_EQ(SuggestKey::kCancel, suggest_key_action(open, 0x1B, 3));
  EXPECT_EQ(SuggestKey::kEdit, suggest_key_action(open, 0x08, 3));
  open.roman_length = kMaxRomanLetters;
  EXPECT_EQ(SuggestKey::kPass, suggest_key_action(open, 'a', 3)) << "a word the engine cannot take";
}

TEST(PlaceCandidates, BelowTheCaretAboveItAtTheBottomAndAlwaysOnTheCaretsMonitor) {
  const ScreenRect second_monitor = {1920, 0, 3200, 1000};
  const ScreenRect below = place_candidates({2000, 100, 2002, 120}, 200, 150, second_monitor);
  EXPECT_EQ(2000, below.left);
  EXPECT_EQ(122, below.top);
  const ScreenRect above = place_candidates({2000, 900, 2002, 920}, 200, 150, second_monitor);
  EXPECT_EQ(900 - 2 - 150, above.top) << "no room below the caret";
  const ScreenRect right_edge = place_candidates({3150, 100, 3152, 120}, 200, 150, second_monitor);
  EXPECT_EQ(3000, right_edge.left) << "kept on the monitor";
  const ScreenRect left_edge = place_candidates({1900, 100, 1902, 120}, 200, 150, second_monitor);
  EXPECT_EQ(1920, left_edge.left) << "a caret just off the monitor's edge";
}

TEST_F(SuggestModeTest, SpaceAndEnterCommitTheFirstCandidateOverTheTypedWordAndAreTypedAfterIt) {
  type("mera");
  EXPECT_EQ("मेर", utf8(screen)) << "the exact keys while the word is typed";
  EXPECT_EQ("मेरा मेर", window.back());
  type(" naam\r");
  EXPECT_EQ("मेरा नाम", utf8(screen));
  EXPECT_EQ((std::vector<std::string>{"13", "13 up"}), held) << "Enter goes on as the key it is";
  EXPECT_EQ((std::vector<std::string>{"mera=मेरा", "naam=नाम"}), remembered);
  EXPECT_EQ("", window.back()) << "the window closes with the commit";
}

TEST_F(SuggestModeTest, ADigitChoosesEscapeKeepsTheTypedWordAndBackspaceEditsIt) {
  type("mera2");
  EXPECT_EQ("मेर", utf8(screen)) << "the second candidate, and no digit";
  EXPECT_EQ((std::vector<std::string>{"mera=मेर"}), remembered);

  screen.clear();
  type("mera\x1b ");
  EXPECT_EQ("मेर ", utf8(screen)) << "Escape keeps the spelling; the space is typed as it is";
  EXPECT_TRUE(held.empty()) << "Escape is swallowed";

  screen.clear();
  type("mera\b");
  EXPECT_EQ("मेर्", utf8(screen)) << "'mer' typed anew by the exact keys";
  EXPECT_EQ("मेर", window.back()) << "the candidates of 'mer'";
  type("\b\b\b");
  EXPECT_EQ("", utf8(screen));
  EXPECT_EQ("", window.back()) << "the last letter erased closes the window";
}

TEST_F(SuggestModeTest, FontOutputCommitsTheFontsGlyphsAndOffersOnlyWordsItCanDraw) {
  UnicodeOutput = 0;
  engine["mera"] = {"ॡ", "मेरा"};  // the vocalic LL has no glyph in Vedrokan
  type("mera naam.");
  EXPECT_EQ("मेरा नाम", font_screen_as_unicode().substr(0, std::strlen("मेरा नाम")));
  EXPECT_EQ((std::vector<std::string>{"mera=मेरा", "naam=नाम"}), remembered);
  std::vector<Undrawable> missing;
  std::string expected = unicode_to_legacy(LiveEncodingTable, "मेरा नाम", missing);
  std::string typed;
  for (char16_t unit : screen.substr(0, expected.size())) typed += static_cast<char>(unit);
  EXPECT_EQ(expected, typed) << "the bytes the table gives";
}
