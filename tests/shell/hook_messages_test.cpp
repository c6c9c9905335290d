#include "shell/hook_messages.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "core/error_text.h"
#include "core/keystroke_translation.h"
#include "core/language_tables.h"
#include "core/letter_composer.h"
#include "core/ucode_table.h"
#include "encoding/encoding_table.h"
#include "langfile/language_loading.h"

namespace {

// What the fake platform saw, in order: "jph:KEYS", "ke:KEYS",
// "text:BACKSPACES UNIT...", "held:KEY", "switch", "elevated".
std::vector<std::string> calls;
// The hook's queue; entries put in while a playback runs, as the hook
// queues keys typed meanwhile.
std::deque<KBEntry> queue;
std::vector<KBEntry> queued_during_playback;
int jph_status = 0;
int send_status = 0;
int letter_count_at_switch = -1;

int fake_take(KBEntry* entry) {
  if (queue.empty()) return 0;
  *entry = queue.front();
  queue.pop_front();
  return 1;
}
int fake_ke(const char* keys) {
  calls.push_back("ke:" + std::string(keys));
  return send_status;
}
int fake_text(const char16_t* text, int backspaces) {
  std::string units;
  for (; *text; ++text) units += " " + std::to_string(static_cast<unsigned>(*text));
  calls.push_back("text:" + std::to_string(backspaces) + units);
  return send_status;
}
int fake_held(unsigned int key) {
  calls.push_back("held:" + std::to_string(key));
  return 0;
}
void fake_switch() {
  letter_count_at_switch = letter_count;
  calls.push_back("switch");
}
void fake_elevated() { calls.push_back("elevated"); }
int fake_jph(const char* keys);

const HookMessageOps kFakeOps = {fake_take,   fake_jph,      fake_ke, fake_text, fake_held,
                                  fake_switch, fake_elevated, nullptr, nullptr,   nullptr};

// Playback dispatches messages: the entries message arrives inside it.
int fake_jph(const char* keys) {
  calls.push_back("jph:" + std::string(keys));
  for (const KBEntry& entry : queued_during_playback) queue.push_back(entry);
  queued_during_playback.clear();
  HandleHookEntries(kFakeOps);
  return jph_status;
}

KBEntry character(unsigned int c) { return {kEntryCharacter, c, c & 0xFF ? 0x41u : 0u}; }
KBEntry key(unsigned int word) { return {kEntryKey, 0, word}; }

void handle(std::initializer_list<KBEntry> entries) {
  queue.insert(queue.end(), entries.begin(), entries.end());
  HandleHookEntries(kFakeOps);
}

class HookMessages : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    queue.clear();
    queued_during_playback.clear();
    jph_status = 0;
    send_status = 0;
    letter_count_at_switch = -1;
    UseJournalPBH = 0;
    RetryJournalPlayback();
    ucode_init();
    LiveKeyMap.fill(0);
    letter_reset();
  }
  void TearDown() override {
    UseJournalPBH = 0;
    UnicodeOutput = 0;
    clear_encoding_table(&LiveEncodingTable);
    free_language_tables();
    LiveGlyphTable = GlyphTable{};
  }
};

using Calls = std::vector<std::string>;

}  // namespace

// Another program's post of the message finds no entry: nothing happens.
TEST_F(HookMessages, AMessageWithNoEntryTypesNothing) {
  letter_count = typed_count = 2;
  HandleHookEntries(kFakeOps);
  EXPECT_EQ(Calls{}, calls);
  EXPECT_EQ(2, letter_count);
}

TEST_F(HookMessages, EntriesAreHandledInOrderResetsAndHeldKeysIncluded) {
  letter_count = typed_count = 2;
  handle({{kEntryReset, 0, 0}, character('x'), key(0x20), key(0x20 | kKeyWordRelease), {kEntryElevated, 0, 0}});
  EXPECT_EQ((Calls{"ke:x", "held:32", "held:288", "elevated"}), calls) << "a key without ucode is typed unchanged";
  EXPECT_EQ(0, letter_count) << "x ended the letter the reset began";
}

TEST_F(HookMessages, SendMethodChoosesTheSendFunctionAndUnicodeInputTypesWindows1252Characters) {
  handle({character('a')});
  UseJournalPBH = 5;
  handle({character('b')});
  UseJournalPBH = kUseUnicodeInput;
  handle({character('c')});
  typed_count = 2;
  letter_glyphs[0] = typed_glyphs[0] = 0x80;
  letter_glyphs[1] = typed_glyphs[1] = 0xE9;
  letter_count = 2;
  handle({character(0x08)});
  EXPECT_EQ((Calls{"ke:a", "jph:b", "text:0 99", "text:2"}), calls) << "the hook stays set for every method";

  // Glyph bytes as the 8-bit fonts map them, whatever the code page.
  calls.clear();
  ASSERT_EQ(1, load_language(nullptr, "GKMAIN T\nGK 1 KA 0x80 0xE9 0x9F\nKU k KA\n")) << ErrorText;
  handle({character('k')});
  EXPECT_EQ((Calls{"text:0 8364 233 376"}), calls) << "80 E9 9F: the euro sign, e acute, Y diaeresis";
}

TEST_F(HookMessages, UnicodeOutputTypesTheLettersTextWhateverTheSendMethod) {
  ASSERT_EQ(1, load_language(nullptr, "GKMAIN T\nGK 1 KA 107\nKU k KA\n")) << ErrorText;
  ASSERT_EQ(1, read_encoding_table("0x6B\tka\t\xE0\xA4\x95\tconsonant\tbase\t-\t-\n", &LiveEncodingTable))
      << ErrorText;
  UnicodeOutput = 1;
  UseJournalPBH = 1;
  handle({character(0x6B), character(0x08), character(0x6B), character(0x20)});
  EXPECT_EQ((Calls{"text:0 2325", "text:1", "text:0 2325", "text:0 32"}), calls);
}

// What could not be typed is not on screen: the key goes out as it was.
TEST_F(HookMessages, ACharacterWhoseSendFailedIsTypedAsTheKeyItWas) {
  ASSERT_EQ(1, load_language(nullptr, "GKMAIN T\nGK 1 KA 107\nKU k KA\n")) << ErrorText;
  send_status = kSendFailed;
  handle({{kEntryCharacter, 'k', 0x4B | 0x25 << kKeyWordScanShift}});
  EXPECT_EQ((Calls{"ke:k", "held:" + std::to_string(0x4B | 0x25 << kKeyWordScanShift),
                   "held:" + std::to_string(0x4B | 0x25 << kKeyWordScanShift | kKeyWordRelease)}),
            calls);
  EXPECT_EQ(0, typed_count) << "the letter starts anew";
}

TEST_F(HookMessages, RefusedPlaybackIsTypedAgainAsKeyEventsAndNotTriedUntilChosenAgain) {
  UseJournalPBH = 1;
  jph_status = kSendRefused;
  handle({character('q'), character('r')});
  EXPECT_EQ((Calls{"jph:q", "ke:q", "ke:r"}), calls);

  calls.clear();
  RetryJournalPlayback();
  jph_status = 0;
  handle({character('s')});
  EXPECT_EQ((Calls{"jph:s"}), calls);
}

TEST_F(HookMessages, EntriesQueuedDuringPlaybackWaitTheirTurnAndNoSendStartsInsideAnother) {
  UseJournalPBH = 1;
  queued_during_playback = {character('b'), {kEntryToggle, 0, 0}, key(0x0D)};
  handle({character('a')});
  EXPECT_EQ((Calls{"jph:a", "jph:b", "switch", "held:13"}), calls);
  EXPECT_EQ(0, letter_count_at_switch) << "the letter was reset before the switch";
}

TEST_F(HookMessages, TheLongestRetypingReachesTheSendWhole) {
  // A letter of 122 glyphs on screen; the next ucode puts a PREPEND glyph in
  // front, so all 122 are erased and 123 typed anew: 245 keystrokes.
  constexpr unsigned char kSignI = 0x3F;  // D_I
  ASSERT_EQ(1, alloc_glyph_rows(&LiveGlyphTable, 1)) << ErrorText;
  for (std::int32_t& row : LiveGlyphTable.glyphIndex) row = -1;
  LiveGlyphTable.glyphIndex[0xA0] = 0;
  LiveGlyphTable.glyphIndex[0xD0] = 1;
  LiveGlyphTable.rows[1].attr = kAttrPrepend;
  LiveGlyphTable.rows[0].map[kSignI][0] = 0xD0;
  LiveKeyMap['i'] = kSignI;
  const int on_screen = kLetterFullAt - 1;
  for (int i = 0; i < on_screen; ++i) letter_glyphs[i] = typed_glyphs[i] = 0xA0;
  letter_count = typed_count = on_screen;

  handle({character('i')});
  ASSERT_EQ(1u, calls.size());
  const std::string expected = std::string(on_screen, '\b') + "\xD0" + std::string(on_screen, '\xA0');
  EXPECT_EQ(245u, expected.size());
  EXPECT_EQ("ke:" + expected, calls[0]);
}
