#include "hook/keyboard_hook.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "hook/tvkhook_codes.h"
#include "hook/virtual_keys.h"
#include "tests/hook/fake_hook_platform.h"

namespace {

constexpr tvk::HookWindow kMainWindow = 0x4242;
constexpr tvk::HookHandle kKeyboardHook = 0x77;
constexpr std::intptr_t kSwallowed = 1;
constexpr std::intptr_t kPassed = 77;  // the fake next hook's answer
constexpr std::uint32_t kVkSpace = 0x20;
constexpr std::uint32_t kVkReturn = 0x0D;
constexpr std::uint32_t kVkTab = 0x09;
constexpr std::uint32_t kVkOemPlus = 0xBB;

using Posts = std::vector<std::pair<std::uint32_t, std::uintptr_t>>;

std::intptr_t press_bits(std::uint32_t scan) { return static_cast<std::intptr_t>(scan << 16 | 1); }

class KeyboardHookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_fake_hook_platform();
    shared.MainWindow = kMainWindow;
    shared.KBHookHandle = kKeyboardHook;
    shared.KBOn = 1;
  }

  std::intptr_t event(std::uint32_t key, std::uint32_t bits, FakeProcess& in) {
    return tvk::KBHookProc(in.context, tvk::kHcAction, key, static_cast<std::intptr_t>(bits));
  }
  std::intptr_t press(std::uint32_t key, std::uint32_t extra = 0) {
    const std::size_t posts_before = fake.posts.size();
    const std::intptr_t result = event(key, static_cast<std::uint32_t>(press_bits(0x1E)) | extra, process);
    // Unless a test keeps them back, the glyphs typed back for a translated
    // key reach the program before its next key.
    if (glyphs_arrive_at_once && fake.posts.size() > posts_before && fake.posts.back().wparam != 0 &&
        fake.posts.back().message == kMsgHookCharacter)
      glyphs_arrive();
    return result;
  }
  // The end key of a batch typed back, pressed and released.
  void glyphs_arrive() {
    event(kVkTypedBackEnd, 1, process);
    event(kVkTypedBackEnd, kKeyWasDown | kKeyReleased | 1, process);
  }
  std::intptr_t repeat(std::uint32_t key) { return press(key, kKeyWasDown); }
  std::intptr_t release(std::uint32_t key, std::uint32_t extra = 0) {
    return event(key, static_cast<std::uint32_t>(press_bits(0x1E)) | kKeyWasDown | kKeyReleased | extra, process);
  }
  void hold(std::uint32_t key) { fake.keyboard_state[key] = 0x80; }
  void let_go(std::uint32_t key) { fake.keyboard_state[key] = 0; }

  Posts posted() const {
    Posts result;
    for (const PostedMessage& post : fake.posts) {
      EXPECT_EQ(kMainWindow, post.window) << "every message goes to the registered main window";
      result.emplace_back(post.message, post.wparam);
    }
    return result;
  }

  tvk::KBHookShared shared{};
  FakeProcess process{shared};
  bool glyphs_arrive_at_once = true;
};

TEST(CharacterKeyTest, CoversBackspaceDeleteAndPrintableKeysButNotKeypadDigitsOrFunctionKeys) {
  for (std::uint32_t key : {0x08u, 0x2Eu, 0x30u, 0x41u, 0x5Au, 0x5Bu, 0x6Au, 0x6Fu, 0x92u, 0xBAu, 0xFEu}) {
    EXPECT_TRUE(tvk::is_character_key(key)) << "key 0x" << std::hex << key;
  }
  for (std::uint32_t key : {0x09u, 0x0Du, 0x10u, 0x11u, 0x12u, 0x14u, 0x1Bu, 0x20u, 0x25u, 0x2Du, 0x2Fu, 0x60u,
                            0x69u, 0x70u, 0x71u, 0x87u, 0x90u, 0x91u}) {
    EXPECT_FALSE(tvk::is_character_key(key)) << "key 0x" << std::hex << key;
  }
}

TEST_F(KeyboardHookTest, LetterWhileOnIsPostedAndNeitherEventReachesTheApplication) {
  EXPECT_EQ(kSwallowed, press('A'));
  EXPECT_EQ(kSwallowed, release('A'));
  EXPECT_EQ((Posts{{kMsgHookCharacter, 'a'}}), posted());
  EXPECT_TRUE(fake.next_hook_calls.empty()) << "no event may be passed on";
  EXPECT_EQ(0x1Eu, fake.last_scan) << "the scan code of lParam goes to the translation";
  ASSERT_EQ(1u, fake.posts.size());
  EXPECT_EQ(press_bits(0x1E), fake.posts[0].lparam) << "the key event's lParam rides along";
}

TEST_F(KeyboardHookTest, HeldLetterPostsOneResetOnTheFirstRepeatAndPassesTheRepeats) {
  EXPECT_EQ(kSwallowed, press('K'));
  EXPECT_EQ(kPassed, repeat('K'));
  EXPECT_EQ(kPassed, repeat('K'));
  EXPECT_EQ(kSwallowed, release('K'));
  EXPECT_EQ((Posts{{kMsgHookCharacter, 'k'}, {kMsgHookCharacter, 0}}), posted());
  EXPECT_EQ(1, fake.to_ascii_calls) << "repeats are not translated";
}

TEST_F(KeyboardHookTest, BackspaceIsPostedAsTheCharacter08) {
  EXPECT_EQ(kSwallowed, press(kVkBack));
  EXPECT_EQ(kSwallowed, release(kVkBack));
  EXPECT_EQ((Posts{{kMsgHookCharacter, 0x08}}), posted());
}

TEST_F(KeyboardHookTest, DeleteClosesTheLetterPassesThePressAndSwallowsTheRelease) {
  press('A');
  release('A');
  EXPECT_EQ(kPassed, press(kVkDelete));
  EXPECT_EQ(kSwallowed, release(kVkDelete));
  EXPECT_EQ((Posts{{kMsgHookCharacter, 'a'}, {kMsgHookCharacter, 0}}), posted());
}

TEST_F(KeyboardHookTest, ControlCClosesTheLetterOnceAndPassesEverythingButTheCRelease) {
  press('A');
  release('A');
  EXPECT_EQ(kPassed, press(kVkControl));
  hold(kVkControl);
  EXPECT_EQ(kPassed, press('C')) << "Control+C gives 0x03, which is no character to translate";
  EXPECT_EQ(kSwallowed, release('C'));
  let_go(kVkControl);
  EXPECT_EQ(kPassed, release(kVkControl));
  EXPECT_EQ((Posts{{kMsgHookCharacter, 'a'}, {kMsgHookCharacter, 0}}), posted());
}

TEST_F(KeyboardHookTest, SpaceEnterAndTabPostOneResetPerRunAndPassOn) {
  for (std::uint32_t key : {kVkSpace, kVkReturn, kVkTab}) {
    SCOPED_TRACE(key);
    reset_fake_hook_platform();
    process.data.LetterResetPosted = 0;
    press('A');
    release('A');
    EXPECT_EQ(kPassed, press(key));
    EXPECT_EQ(kPassed, release(key));
    EXPECT_EQ(kPassed, press(kVkSpace));
    EXPECT_EQ(kPassed, release(kVkSpace));
    EXPECT_EQ((Posts{{kMsgHookCharacter, 'a'}, {kMsgHookCharacter, 0}}), posted());
  }
}

TEST_F(KeyboardHookTest, ShiftAndCapsLockKeepTheLetterOpenAndApplyToTheCharacter) {
  press('A');
  release('A');
  EXPECT_EQ(kPassed, press(kVkShift));
  hold(kVkShift);
  EXPECT_EQ(kSwallowed, press('H'));
  release('H');
  let_go(kVkShift);
  EXPECT_EQ(kPassed, release(kVkShift));
  EXPECT_EQ(kPassed, press(kVkCapital));
  fake.keyboard_state[kVkCapital] = 0x01;
  EXPECT_EQ(kPassed, release(kVkCapital));
  EXPECT_EQ(kSwallowed, press('I'));
  EXPECT_EQ((Posts{{kMsgHookCharacter, 'a'}, {kMsgHookCharacter, 'H'}, {kMsgHookCharacter, 'I'}}), posted());
}

TEST_F(KeyboardHookTest, KeypadDigitIsNotTranslatedClosesTheLetterAndPassesBothWays) {
  press('A');
  release('A');
  EXPECT_EQ(kPassed, press(kVkNumpad0 + 5));
  EXPECT_EQ(kPassed, release(kVkNumpad0 + 5));
  EXPECT_EQ((Posts{{kMsgHookCharacter, 'a'}, {kMsgHookCharacter, 0}}), posted());
  EXPECT_EQ(1, fake.to_ascii_calls);
}

TEST_F(KeyboardHookTest, ExtendedAndAltHeldCharacterKeysAreNotTranslated) {
  EXPECT_EQ(kPassed, press(0x6F, kKeyExtended)) << "keypad divide";
  EXPECT_EQ(kSwallowed, release(0x6F, kKeyExtended));
  EXPECT_EQ(kPassed, press('X', kKeyAltHeld));
  EXPECT_EQ(kSwallowed, release('X', kKeyAltHeld));
  EXPECT_EQ(0, fake.to_ascii_calls);
  EXPECT_EQ((Posts{{kMsgHookCharacter, 0}}), posted()) << "the first untranslated press of a process resets";
}

TEST_F(KeyboardHookTest, AltF2WhileOnResetsPassesThePressAndTogglesOnTheRelease) {
  shared.ToggleALTChar = kVkF2;
  press('A');
  release('A');
  EXPECT_EQ(kPassed, press(kVkMenu, kKeyAltHeld));
  EXPECT_EQ(kPassed, press(kVkF2, kKeyAltHeld)) << "the application sees ALT+F2 pressed";
  EXPECT_EQ(kSwallowed, release(kVkF2, kKeyAltHeld));
  EXPECT_EQ(kPassed, release(kVkMenu));
  EXPECT_EQ((Posts{{kMsgHookCharacter, 'a'}, {kMsgHookCharacter, 0}, {kMsgHookToggle, 1}}), posted());
}

TEST_F(KeyboardHookTest, AltF2WhileOffActsOnlyOnTheF2Release) {
  shared.ToggleALTChar = kVkF2;
  shared.KBOn = 0;
  EXPECT_EQ(kPassed, press(kVkMenu, kKeyAltHeld));
  EXPECT_EQ(kPassed, press(kVkF2, kKeyAltHeld));
  EXPECT_EQ(kSwallowed, release(kVkF2, kKeyAltHeld));
  EXPECT_EQ(kPassed, release(kVkMenu));
  EXPECT_EQ(kPassed, press('A'));
  EXPECT_EQ(kPassed, release('A'));
  EXPECT_EQ((Posts{{kMsgHookToggle, 1}}), posted());
}

TEST_F(KeyboardHookTest, F2ReleasedWithoutAltOrWithToggleCodeZeroIsAnOrdinaryKey) {
  shared.ToggleALTChar = kVkF2;
  shared.KBOn = 0;
  EXPECT_EQ(kPassed, release(kVkF2));
  shared.ToggleALTChar = 0;
  EXPECT_EQ(kPassed, press(kVkF2, kKeyAltHeld));
  EXPECT_EQ(kPassed, release(kVkF2, kKeyAltHeld));
  EXPECT_TRUE(fake.posts.empty());
}

TEST_F(KeyboardHookTest, CharacterOf80OrAboveClosesTheLetterAndIsNotPosted) {
  press('A');
  release('A');
  fake.to_ascii = [](std::uint32_t, const std::uint8_t*, std::uint16_t* buffer) {
    *buffer = 0xE9;
    return 1;
  };
  EXPECT_EQ(kPassed, press(kVkOemPlus));
  EXPECT_EQ(kSwallowed, release(kVkOemPlus));
  EXPECT_EQ((Posts{{kMsgHookCharacter, 'a'}, {kMsgHookCharacter, 0}}), posted());
}

TEST_F(KeyboardHookTest, DeadKeysTwoCharactersAndCharacterZeroAreNotPosted) {
  for (int count : {-1, 2, 1}) {
    SCOPED_TRACE(count);
    reset_fake_hook_platform();
    process.data.LetterResetPosted = 1;
    fake.to_ascii = [count](std::uint32_t, const std::uint8_t*, std::uint16_t* buffer) {
      *buffer = count == 1 ? 0 : 'e';
      return count;
    };
    EXPECT_EQ(kPassed, press(kVkOemPlus));
    EXPECT_TRUE(fake.posts.empty()) << "wParam 0 would read as a letter reset";
  }
}

TEST_F(KeyboardHookTest, WhilePlaybackRunsNothingIsTranslatedOrToggledButResetsAndReleasesStillApply) {
  shared.ToggleALTChar = kVkF2;
  shared.SendBusy = kSendByPlayback;
  EXPECT_EQ(kPassed, press('A'));
  EXPECT_EQ(kSwallowed, release('A'));
  EXPECT_EQ(kPassed, press(kVkF2, kKeyAltHeld));
  EXPECT_EQ(kPassed, release(kVkF2, kKeyAltHeld)) << "F2 is no character key, so its release passes";
  EXPECT_EQ(0, fake.to_ascii_calls);
  EXPECT_EQ((Posts{{kMsgHookCharacter, 0}}), posted());
}

// Key events typed back carry their own mark, so a key the user presses while
// they go out is still a character and still toggles.
TEST_F(KeyboardHookTest, WhileKeyEventsGoOutTheUsersKeysAreStillTranslatedAndToggle) {
  shared.ToggleALTChar = kVkF2;
  shared.SendBusy = kSendByKeyEvents;
  EXPECT_EQ(kSwallowed, press('A'));
  EXPECT_EQ(kSwallowed, release(kVkF2, kKeyAltHeld));
  EXPECT_EQ((Posts{{kMsgHookCharacter, 'a'}, {kMsgHookToggle, 1}}), posted());
}

// The application takes typed-back keys from its queue after the send, when
// the hook is set again: they must not end the letter or be caught again.
TEST_F(KeyboardHookTest, CharactersTypedBackAsUnicodeInputPassUntouched) {
  glyphs_arrive_at_once = false;
  press('A');
  EXPECT_EQ(kPassed, event(kVkPacket, 0x00E90001, process));
  EXPECT_EQ(kPassed, event(kVkPacket, 0xC0E90001, process));
  EXPECT_EQ((Posts{{kMsgHookCharacter, 'a'}}), posted()) << "the letter goes on";
}

TEST_F(KeyboardHookTest, KeysTypedBackPassUntouchedOnlyWhileTheirProgramWaitsForThem) {
  glyphs_arrive_at_once = false;
  const auto typed_back = [this](std::uint32_t key, std::uint32_t bits) {
    return event(key, bits | kTypedBackScan << kKeyScanShift | 1, process);
  };
  EXPECT_EQ(kSwallowed, typed_back('K', 0)) << "nothing typed back is due: a foreign key is the user's";
  EXPECT_EQ((Posts{{kMsgHookCharacter, 'k'}}), posted());
  fake.posts.clear();
  fake.to_ascii_calls = 0;
  EXPECT_EQ(kPassed, typed_back(kVkBack, 0));
  EXPECT_EQ(kPassed, typed_back(kVkBack, kKeyWasDown | kKeyReleased));
  EXPECT_EQ(kPassed, typed_back(kVkMenu, kKeyAltHeld));
  EXPECT_EQ(kPassed, typed_back(kVkNumpad0, kKeyAltHeld));
  EXPECT_EQ(kPassed, typed_back(kVkNumpad0, kKeyAltHeld | kKeyWasDown | kKeyReleased));
  EXPECT_EQ(kPassed, typed_back(kVkMenu, kKeyWasDown | kKeyReleased));
  EXPECT_EQ(0, fake.to_ascii_calls);
  EXPECT_EQ(Posts{}, posted()) << "no character and no letter reset for typed-back keys";
  EXPECT_EQ(kSwallowed, press(kVkBack)) << "the user's own Backspace (scan 0x0E) is still a character";
  EXPECT_EQ((Posts{{kMsgHookCharacter, 0x08}}), posted());

  glyphs_arrive();
  glyphs_arrive();
  EXPECT_EQ(0u, process.data.GlyphsOutstanding) << "the end keys of both batches were taken";
  EXPECT_EQ(kSwallowed, typed_back(kVkBack, 0)) << "a typed-back Backspace nobody waits for is the user's";
}

// A key passed on at once would reach the program before glyphs still due
// for an earlier key: it goes to the main program, which types it after them.
TEST_F(KeyboardHookTest, KeysPassedOnWhileGlyphsAreDueAreHeldInOrderButModifiersPass) {
  glyphs_arrive_at_once = false;
  press('A');
  EXPECT_EQ(kSwallowed, press(kVkReturn));
  EXPECT_EQ(kPassed, press(kVkShift)) << "the program's key state needs Shift for the next letter";
  EXPECT_EQ(kSwallowed, release(kVkReturn));
  hold(kVkControl);
  EXPECT_EQ(kSwallowed, press('C')) << "Control+C is passed on, so held";
  EXPECT_EQ((Posts{{kMsgHookCharacter, 'a'},
                   {kMsgHookCharacter, 0},
                   {kMsgHookHeldKey, kVkReturn},
                   {kMsgHookHeldKey, kVkReturn | kHeldKeyRelease},
                   {kMsgHookHeldKey, 'C' | kHeldKeyControl}}),
            posted());
  EXPECT_EQ(4u, process.data.GlyphsOutstanding) << "each held key comes back in a batch of its own";

  for (int i = 0; i < 4; ++i) glyphs_arrive();
  let_go(kVkControl);
  fake.posts.clear();
  EXPECT_EQ(kPassed, press(kVkTab)) << "nothing due: keys pass as ever";
  press('A');
  fake.tick += tvk::kGlyphsLostMs;
  EXPECT_EQ(kPassed, press(kVkSpace)) << "glyphs not taken for a second are lost: nothing stays held";
}

TEST_F(KeyboardHookTest, TheReleaseOfAHeldPressIsHeldEvenAfterTheGlyphsArrived) {
  glyphs_arrive_at_once = false;
  press('A');
  EXPECT_EQ(kSwallowed, press(kVkReturn));
  glyphs_arrive();
  glyphs_arrive();
  EXPECT_EQ(kSwallowed, release(kVkReturn)) << "its press is still to be typed";
  glyphs_arrive();
  EXPECT_EQ(kPassed, release(kVkReturn)) << "only once";
}

TEST_F(KeyboardHookTest, OffPassesEveryEventWithoutPosting) {
  shared.KBOn = 0;
  EXPECT_EQ(kPassed, press('A'));
  EXPECT_EQ(kPassed, release('A'));
  EXPECT_EQ(kPassed, press(kVkDelete));
  EXPECT_EQ(kPassed, press(kVkF2, kKeyAltHeld));
  EXPECT_EQ(kPassed, release(kVkF2, kKeyAltHeld));
  EXPECT_TRUE(fake.posts.empty());
}

TEST_F(KeyboardHookTest, PeekedAndNegativeCodesPassOnWithTheSharedHandleAndTheirOwnArguments) {
  shared.ToggleALTChar = kVkF2;
  EXPECT_EQ(kPassed, tvk::KBHookProc(process.context, tvk::kHcNoRemove, 'A', press_bits(0x1E)));
  EXPECT_EQ(kPassed, tvk::KBHookProc(process.context, -1, kVkF2, kKeyAltHeld | kKeyReleased));
  EXPECT_TRUE(fake.posts.empty());
  ASSERT_EQ(2u, fake.next_hook_calls.size());
  EXPECT_EQ(kKeyboardHook, fake.next_hook_calls[0].hook);
  EXPECT_EQ(tvk::kHcNoRemove, fake.next_hook_calls[0].code);
  EXPECT_EQ(static_cast<std::uintptr_t>('A'), fake.next_hook_calls[0].wparam);
  EXPECT_EQ(press_bits(0x1E), fake.next_hook_calls[0].lparam);
  EXPECT_EQ(-1, fake.next_hook_calls[1].code);
}

// 64-bit Windows calls the hook on the thread that set it for programs of
// the other word size; that thread's key state knows nothing of their keys.
class OutOfContextHookTest : public KeyboardHookTest {
 protected:
  void SetUp() override {
    KeyboardHookTest::SetUp();
    shared.HookThread = 5;
    fake.thread = 5;
    fake.foreground = 9;
    fake.keyboard_state[kVkControl] = 0x80;  // stale: long released
  }
};

TEST_F(OutOfContextHookTest, ShiftControlAndCapsLockComeFromTheKeyboardNotTheStaleState) {
  fake.keys_down_now[kVkShift] = 1;
  EXPECT_EQ(kSwallowed, press('T'));
  release('T');
  fake.keys_down_now[kVkShift] = 0;
  fake.caps_lock_on = true;
  EXPECT_EQ(kSwallowed, press('D'));
  release('D');
  fake.caps_lock_on = false;
  fake.keys_down_now[kVkControl] = 1;
  EXPECT_EQ(kPassed, press('C')) << "Control+C reaches the program";
  EXPECT_EQ((Posts{{kMsgHookCharacter, 'T'}, {kMsgHookCharacter, 'D'}, {kMsgHookCharacter, 0}}), posted());
}

TEST_F(OutOfContextHookTest, KeysTypedIntoTheHooksOwnProgramUseItsOwnState) {
  fake.foreground = 5;
  fake.keys_down_now[kVkShift] = 1;
  EXPECT_EQ(kPassed, press('T')) << "the thread's own Control is held";
  EXPECT_EQ((Posts{{kMsgHookCharacter, 0}}), posted());
}

TEST_F(OutOfContextHookTest, ProgramsServedByTheOtherLibraryPassUntouched) {
  shared.OtherSizeServed = 1;
  shared.ToggleALTChar = kVkF2;
  EXPECT_EQ(kPassed, press('A'));
  EXPECT_EQ(kPassed, release('A'));
  EXPECT_EQ(kPassed, release(kVkF2, kKeyAltHeld)) << "the toggle is the other library's to post";
  EXPECT_EQ(kPassed, event(kVkTypedBackEnd, 1, process)) << "that library counts its batch ends";
  EXPECT_TRUE(fake.posts.empty());
  fake.thread = 6;
  fake.keyboard_state[kVkControl] = 0;
  EXPECT_EQ(kSwallowed, press('A')) << "in context this library serves its own programs";
}

TEST_F(KeyboardHookTest, LetterResetFlagBelongsToEachProcess) {
  FakeProcess other{shared};
  press('A');
  release('A');
  event(kVkSpace, static_cast<std::uint32_t>(press_bits(0x39)), other);
  press(kVkSpace);
  event(kVkSpace, static_cast<std::uint32_t>(press_bits(0x39)), other);
  EXPECT_EQ((Posts{{kMsgHookCharacter, 'a'}, {kMsgHookCharacter, 0}, {kMsgHookCharacter, 0}}), posted())
      << "the other process posts its first reset; each process posts one per run";
}

}  // namespace
