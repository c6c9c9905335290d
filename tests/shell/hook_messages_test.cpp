#include "shell/hook_messages.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/error_text.h"
#include "core/keystroke_translation.h"
#include "core/language_tables.h"
#include "core/letter_composer.h"
#include "core/ucode_table.h"
#include "encoding/encoding_table.h"
#include "langfile/language_loading.h"
#include "shell/key_queue.h"

namespace {

// What the fake platform saw, in order: "remove", "set", "jph:KEYS",
// "ke:KEYS", "ui:KEYS", "text:BACKSPACES UNIT...", "held:KEY", "switch",
// "again:N".
std::vector<std::string> calls;
int jph_status = 0;
// Characters the fake playback dispatches to the window while it plays, as
// the real one does with messages that were already queued.
std::vector<unsigned int> dispatched_during_playback;
int letter_count_at_switch = -1;

void fake_remove() { calls.push_back("remove"); }
int fake_set() {
  calls.push_back("set");
  return 1;
}
int fake_ke(const char* keys) {
  calls.push_back("ke:" + std::string(keys));
  return 0;
}
int fake_ui(const char* keys) {
  calls.push_back("ui:" + std::string(keys));
  return 0;
}
int fake_text(const char16_t* text, int backspaces) {
  std::string units;
  for (; *text; ++text) units += " " + std::to_string(static_cast<unsigned>(*text));
  calls.push_back("text:" + std::to_string(backspaces) + units);
  return 0;
}
int fake_held(unsigned int key) {
  calls.push_back("held:" + std::to_string(key));
  return 0;
}
void fake_switch() {
  letter_count_at_switch = letter_count;
  calls.push_back("switch");
}
void fake_again(unsigned int entry) { calls.push_back("again:" + std::to_string(entry)); }
int fake_jph(const char* keys);

const HookMessageOps kFakeOps = {fake_remove, fake_set,    fake_jph,    fake_ke,   fake_ui,
                                 fake_text,   fake_held,   fake_switch, fake_again};

int fake_jph(const char* keys) {
  calls.push_back("jph:" + std::string(keys));
  std::vector<unsigned int> pending;
  pending.swap(dispatched_during_playback);
  for (unsigned int character : pending) {
    if (character == kHeldToggleRequest) {
      HandleHookToggle(kFakeOps);
    } else if (character >= kHeldHookKey) {
      HandleHookHeldKey(kFakeOps, character - kHeldHookKey);
    } else {
      HandleHookCharacter(kFakeOps, character);
    }
  }
  return jph_status;
}

class HookMessages : public ::testing::Test {
 protected:
  void SetUp() override {
    calls.clear();
    dispatched_during_playback.clear();
    jph_status = 0;
    letter_count_at_switch = -1;
    UseJournalPBH = 1;
    RetryJournalPlayback();
    ucode_init();
    LiveKeyMap.fill(0);
    letter_reset();
  }
  void TearDown() override {
    UseJournalPBH = 1;
    UnicodeOutput = 0;
    clear_encoding_table(&LiveEncodingTable);
    free_language_tables();
    LiveGlyphTable = GlyphTable{};
  }
};

using Calls = std::vector<std::string>;

}  // namespace

TEST_F(HookMessages, LetterResetTouchesNeitherHookNorSend) {
  letter_count = 2;
  typed_count = 2;
  HandleHookCharacter(kFakeOps, 0);
  EXPECT_EQ(Calls{}, calls);
  EXPECT_EQ(0, letter_count);
  EXPECT_EQ(0, typed_count);
}

TEST_F(HookMessages, ACharacterIsSentWithTheHookRemovedAroundTheSend) {
  HandleHookCharacter(kFakeOps, 'x');
  EXPECT_EQ((Calls{"remove", "jph:x", "set", "ke:"}), calls) << "a key without ucode is typed unchanged";
}

TEST_F(HookMessages, AnEmptyKeystrokeStringStillGoesThroughTheWholeSend) {
  // A key with a ucode but no glyph table in force types nothing.
  LiveKeyMap['k'] = UcodeTable[0].code;
  HandleHookCharacter(kFakeOps, 'k');
  EXPECT_EQ((Calls{"remove", "jph:", "set", "ke:"}), calls);
}

TEST_F(HookMessages, SendMethodChoosesTheSendFunction) {
  UseJournalPBH = 0;
  HandleHookCharacter(kFakeOps, 'a');
  UseJournalPBH = 5;
  HandleHookCharacter(kFakeOps, 'b');
  UseJournalPBH = kUseUnicodeInput;
  HandleHookCharacter(kFakeOps, 'c');
  EXPECT_EQ((Calls{"ke:a", "remove", "jph:b", "set", "ke:", "ui:c"}), calls)
      << "the hook is removed around a playback only; keys typed back otherwise carry their mark";
}

TEST_F(HookMessages, UnicodeOutputTypesTheLettersTextWhateverTheSendMethod) {
  ASSERT_EQ(1, load_language(nullptr, "GKMAIN T\nGK 1 KA 107\nKU k KA\n")) << ErrorText;
  ASSERT_EQ(1, read_encoding_table("0x6B\tka\t\xE0\xA4\x95\tconsonant\tbase\t-\t-\n", &LiveEncodingTable))
      << ErrorText;
  UnicodeOutput = 1;
  for (unsigned int key : {0x6Bu, 0x08u, 0x6Bu, 0x20u}) HandleHookCharacter(kFakeOps, key);
  EXPECT_EQ((Calls{"text:0 2325", "text:1", "text:0 2325", "text:0 32"}), calls)
      << "the hook stays set: no playback, no key events";
}

TEST_F(HookMessages, RefusedPlaybackIsTypedAgainAsKeyEventsAndNotTriedUntilChosenAgain) {
  jph_status = kSendStatusRefused;
  HandleHookCharacter(kFakeOps, 'q');
  HandleHookCharacter(kFakeOps, 'r');
  EXPECT_EQ((Calls{"remove", "jph:q", "ke:q", "set", "ke:", "ke:r"}), calls);

  calls.clear();
  RetryJournalPlayback();
  jph_status = 0;
  HandleHookCharacter(kFakeOps, 's');
  EXPECT_EQ((Calls{"remove", "jph:s", "set", "ke:"}), calls);
}

TEST_F(HookMessages, OtherPlaybackResultsAreNotRepeated) {
  for (int status : {0, 5, 7}) {
    calls.clear();
    jph_status = status;
    HandleHookCharacter(kFakeOps, 'q');
    EXPECT_EQ((Calls{"remove", "jph:q", "set", "ke:"}), calls) << "status " << status;
  }
}

TEST_F(HookMessages, KeysArrivingDuringPlaybackAreSentAfterItInOrder) {
  dispatched_during_playback = {'b', 0, 'c'};
  HandleHookCharacter(kFakeOps, 'a');
  EXPECT_EQ((Calls{"remove", "jph:a", "set", "ke:", "remove", "jph:b", "set", "ke:", "remove", "jph:c", "set", "ke:"}),
            calls)
      << "no send starts inside another, and the hook is set only after each send";
}

TEST_F(HookMessages, AToggleArrivingDuringPlaybackWaitsForTheKeysBeforeIt) {
  dispatched_during_playback = {'b', kHeldToggleRequest};
  HandleHookCharacter(kFakeOps, 'a');
  EXPECT_EQ((Calls{"remove", "jph:a", "set", "ke:", "remove", "jph:b", "set", "ke:", "switch"}), calls);
}

TEST_F(HookMessages, AFullHoldingQueuePostsTheMessageAgainInsteadOfLosingIt) {
  for (int i = 0; i < kHeldKeysSize + 2; ++i) dispatched_during_playback.push_back('a' + i % 26);
  HandleHookCharacter(kFakeOps, 'z');
  int sends = 0;
  std::vector<std::string> posted_again;
  for (const std::string& call : calls) {
    if (call.rfind("jph:", 0) == 0) ++sends;
    if (call.rfind("again:", 0) == 0) posted_again.push_back(call);
  }
  EXPECT_EQ(1 + kHeldKeysSize, sends);
  ASSERT_EQ(2u, posted_again.size());
  EXPECT_EQ("again:" + std::to_string('a' + kHeldKeysSize % 26), posted_again[0]);
}

TEST_F(HookMessages, ToggleRequestEndsTheLetterBeforeSwitching) {
  letter_count = 3;
  typed_count = 3;
  HandleHookToggle(kFakeOps);
  EXPECT_EQ(Calls{"switch"}, calls);
  EXPECT_EQ(0, letter_count_at_switch) << "the letter was reset before the switch";
}

TEST_F(HookMessages, BackspaceOverAFullLetterIsSentWhole) {
  // Backspace erases every typed glyph of a full letter: 126 backspaces.
  typed_count = kLetterMaxGlyphs;
  HandleHookCharacter(kFakeOps, 0x08);
  ASSERT_EQ(4u, calls.size());
  EXPECT_EQ("jph:" + std::string(kLetterMaxGlyphs, '\b'), calls[1]);
}

TEST_F(HookMessages, TheLongestRetypingReachesTheSendWhole) {
  // A letter of 122 glyphs on screen; the next ucode puts a PREPEND glyph in
  // front, so all 122 are erased and 123 typed anew: 245 keystrokes, far
  // more than a 128-byte buffer holds.
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

  HandleHookCharacter(kFakeOps, 'i');
  ASSERT_EQ(4u, calls.size());
  const std::string expected =
      std::string(on_screen, '\b') + "\xD0" + std::string(on_screen, '\xA0');
  EXPECT_EQ(245u, expected.size());
  EXPECT_EQ("jph:" + expected, calls[1]);
}

// Keys the hook held while glyphs were due come in turn with the characters,
// also when they arrive during a playback.
TEST_F(HookMessages, HeldKeysAreTypedInTheirTurn) {
  UseJournalPBH = 0;
  HandleHookCharacter(kFakeOps, 'a');
  HandleHookHeldKey(kFakeOps, 0x0D);
  HandleHookHeldKey(kFakeOps, 0x0D | 0x100);
  EXPECT_EQ((Calls{"ke:a", "held:13", "held:269"}), calls);

  calls.clear();
  UseJournalPBH = 1;
  dispatched_during_playback = {kHeldHookKey | 0x20, 'b'};
  HandleHookCharacter(kFakeOps, 'a');
  EXPECT_EQ((Calls{"remove", "jph:a", "set", "ke:", "held:32", "remove", "jph:b", "set", "ke:"}), calls);
}
