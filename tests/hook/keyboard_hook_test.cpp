#include "hook/keyboard_hook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hook/hook_control.h"
#include "hook/mouse_hook.h"
#include "hook/tvkhook_codes.h"
#include "hook/virtual_keys.h"
#include "tests/hook/fake_hook_platform.h"

namespace {

constexpr tvk::HookWindow kMainWindow = 0x4242;
constexpr tvk::HookHandle kKeyboardHook = 0x77;
constexpr std::uintptr_t kMark = 0x5456AB00;
constexpr std::intptr_t kSwallowed = 1;
constexpr std::intptr_t kPassed = 77;  // the fake next hook's answer
constexpr std::uint32_t kVkSpace = 0x20;
constexpr std::uint32_t kVkReturn = 0x0D;
constexpr std::uint32_t kVkLeft = 0x25;
constexpr std::uint32_t kVkOemPlus = 0xBB;

class KeyboardHookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_fake_hook_platform();
    state.MainWindow = kMainWindow;
    state.KBHookHandle = kKeyboardHook;
    state.KBOn = 1;
    state.OwnMark = kMark;
  }

  std::intptr_t event(std::uint32_t vk, bool release, std::uint32_t flags = 0, std::uintptr_t extra = 0,
                      std::uint32_t scan = 0x1E) {
    LowLevelKey key{vk, scan, flags | (release ? kLowLevelUp : 0), fake.tick, extra};
    return tvk::LLKBHookProc(process.context, tvk::kHcAction, release ? kMsgKeyUp : kMsgKeyDown,
                             reinterpret_cast<std::intptr_t>(&key));
  }
  std::intptr_t press(std::uint32_t vk, std::uint32_t flags = 0) { return event(vk, false, flags); }
  std::intptr_t release(std::uint32_t vk, std::uint32_t flags = 0) { return event(vk, true, flags); }
  // A press and its release; the press's answer.
  std::intptr_t tap(std::uint32_t vk) {
    const std::intptr_t answer = press(vk);
    release(vk);
    return answer;
  }
  // A mouse event as the mouse thread's procedure sees it.
  void mouse(std::uintptr_t message, int code = tvk::kHcAction) { tvk::LLMouseHookProc(process.context, code, message); }
  // One of the library's own events coming back through the hook.
  std::intptr_t own(std::uint32_t vk, bool release = false) { return event(vk, release, kLowLevelInjected, kMark, 0); }

  // The queue as "c:a", "reset", "key:20", "key:20 up", "toggle", "elevated".
  std::vector<std::string> entries() {
    std::vector<std::string> taken;
    KBEntry entry;
    while (tvk::TakeKBEntry(process.context, &entry)) {
      switch (entry.kind) {
        case kEntryCharacter:
          taken.push_back(std::string("c:") + static_cast<char>(entry.character));
          break;
        case kEntryReset:
          taken.push_back("reset");
          break;
        case kEntryKey: {
          char text[32];
          std::snprintf(text, sizeof text, "key:%X%s", entry.key & 0xFF,
                        (entry.key & kKeyWordRelease) != 0 ? " up" : "");
          taken.push_back(text);
          break;
        }
        case kEntryToggle:
          taken.push_back("toggle");
          break;
        case kEntryElevated:
          taken.push_back("elevated");
          break;
      }
    }
    return taken;
  }
  using Entries = std::vector<std::string>;

  tvk::KBHookState state{};
  FakeProcess process{state};
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

TEST_F(KeyboardHookTest, LetterWhileOnIsQueuedOnceAnnouncedAndNeitherEventReachesAnyProgram) {
  EXPECT_EQ(kSwallowed, press('A'));
  EXPECT_EQ(kSwallowed, release('A'));
  EXPECT_EQ(kSwallowed, press(kVkBack));
  ASSERT_EQ(1u, fake.posts.size()) << "one message while entries wait";
  EXPECT_EQ(kMainWindow, fake.posts[0].window);
  EXPECT_EQ(kMsgHookEntries, fake.posts[0].message);
  EXPECT_EQ(0u, fake.posts[0].wparam) << "the message carries nothing";
  EXPECT_EQ((Entries{"c:a", "c:\b"}), entries());
  EXPECT_TRUE(fake.next_hook_calls.empty());
  EXPECT_EQ(0x1Eu, fake.last_scan) << "the key's scan code goes to the translation";
  EXPECT_EQ(fake.foreground, fake.last_layout_window) << "the foreground program's layout";
  press('B');
  EXPECT_EQ(2u, fake.posts.size()) << "announced again once the queue was emptied";
}

TEST_F(KeyboardHookTest, AnAnnouncementThatCouldNotBePostedIsTriedAgainWithTheNextKey) {
  fake.posts_succeed = false;
  press('A');
  fake.posts_succeed = true;
  press('B');
  press('C');
  EXPECT_EQ(2u, fake.posts.size());
  EXPECT_EQ((Entries{"c:a", "c:b", "c:c"}), entries()) << "nothing lost";
}

TEST_F(KeyboardHookTest, HeldLetterResetsOnTheFirstRepeatPassesTheRepeatsAndSwallowsItsRelease) {
  press('K');
  entries();
  EXPECT_EQ(kPassed, press('K'));
  EXPECT_EQ(kPassed, press('K'));
  EXPECT_EQ(kSwallowed, release('K'));
  EXPECT_EQ((Entries{"reset"}), entries());
  EXPECT_EQ(1, fake.to_unicode_calls) << "repeats are not translated";
}

TEST_F(KeyboardHookTest, UntranslatedKeysPassAndOnlyTheFirstOfARunEndsTheLetter) {
  press('A');
  release('A');
  entries();
  EXPECT_EQ(kPassed, press(kVkSpace));
  EXPECT_EQ(kPassed, release(kVkSpace));
  EXPECT_EQ(kPassed, press(kVkReturn));
  EXPECT_EQ(kPassed, press(kVkShift)) << "Shift keeps the letter open";
  EXPECT_EQ(kPassed, press(kVkDelete));
  EXPECT_EQ(kPassed, release(kVkDelete)) << "a release whose press passed passes too";
  EXPECT_EQ((Entries{"reset"}), entries());
}

// Suggested words: the keys that finish a word come in turn with its letters.
TEST_F(KeyboardHookTest, WithWordKeysSpaceEnterAndEscapeAreQueuedAsCharactersAndTheirReleasesSwallowed) {
  tvk::SetKBWordKeys(process.context, 1);
  for (std::uint32_t key : {kVkSpace, kVkReturn, 0x1Bu}) {
    EXPECT_EQ(kSwallowed, press(key));
    EXPECT_EQ(kSwallowed, release(key));
  }
  EXPECT_EQ((Entries{"c: ", "c:\r", "c:\x1b"}), entries());
  EXPECT_EQ(kPassed, press(kVkLeft)) << "other keys still pass";
  EXPECT_EQ(1, tvk::SetKBWordKeys(process.context, 0));
  EXPECT_EQ(kPassed, press(kVkSpace)) << "off again: Space passes";
}

// The main program takes each character before the next key comes.
TEST_F(KeyboardHookTest, ShiftAndCapsLockApplyAsTheHookFollowsThem) {
  Entries taken;
  const auto type = [&](std::uint32_t vk) {
    press(vk);
    release(vk);
    for (const std::string& entry : entries()) taken.push_back(entry);
  };
  press(kVkLeftShift);
  type('T');
  release(kVkLeftShift);
  type('I');
  press(kVkCapital);
  release(kVkCapital);
  type('D');
  press(kVkCapital);
  release(kVkCapital);
  type('D');
  EXPECT_EQ((Entries{"c:T", "c:i", "c:D", "c:d"}), taken);
}

TEST_F(KeyboardHookTest, KeysWithAltControlOrAWindowsKeyHeldAreNeverTranslated) {
  for (std::uint32_t modifier : {kVkLeftMenu, kVkRightControl, kVkLeftWindows}) {
    SCOPED_TRACE(modifier);
    press(modifier);
    EXPECT_EQ(kPassed, press('O'));
    EXPECT_EQ(kPassed, release('O'));
    release(modifier);
  }
  press(kVkLeftControl);
  press(kVkRightMenu);  // AltGr
  EXPECT_EQ(kPassed, press('E'));
  EXPECT_EQ(0, fake.to_unicode_calls);
}

TEST_F(KeyboardHookTest, ExtendedKeysDeadKeysSeveralCharactersAndCharactersOf80AndAbovePass) {
  EXPECT_EQ(kPassed, press(0x6F, kLowLevelExtended)) << "keypad divide";
  for (int count : {-1, 2, 1}) {
    SCOPED_TRACE(count);
    fake.to_unicode = [count](std::uint32_t, const std::uint8_t*, std::uint16_t* buffer) {
      buffer[0] = count == 1 ? 0xE9 : 'e';
      return count;
    };
    EXPECT_EQ(kPassed, press(kVkOemPlus));
    EXPECT_EQ(kPassed, release(kVkOemPlus));
  }
  EXPECT_EQ((Entries{"reset"}), entries());
}

// Keys belong to an open menu: ALT+O, then F chooses Format's item.
TEST_F(KeyboardHookTest, WhileAMenuIsOpenKeysPassUntranslated) {
  fake.menu_mode = true;
  EXPECT_EQ(kPassed, press('F'));
  EXPECT_EQ(kPassed, release('F'));
  EXPECT_EQ(0, fake.to_unicode_calls);
  fake.menu_mode = false;
  EXPECT_EQ(kSwallowed, press('F'));
}

// What is sent to a program run as administrator is dropped: its keys pass
// as they are, and the main program says so once.
TEST_F(KeyboardHookTest, AProgramRunAsAdministratorOrTheSecureDesktopGetsItsKeysUntranslated) {
  fake.higher = true;
  EXPECT_EQ(kPassed, press('A'));
  EXPECT_EQ(kPassed, release('A'));
  EXPECT_EQ(kPassed, press('B'));
  EXPECT_EQ(1, fake.higher_calls) << "asked once per foreground window";
  fake.foreground = 0x6000;
  EXPECT_EQ(kPassed, press('C'));
  EXPECT_EQ(2, fake.higher_calls);
  fake.foreground = 0;
  EXPECT_EQ(kPassed, press('D')) << "nothing in front: the secure desktop";
  EXPECT_EQ((Entries{"elevated", "reset"}), entries()) << "the notice comes once";
  fake.foreground = 0x7000;
  fake.higher = false;
  EXPECT_EQ(kSwallowed, press('E'));
  EXPECT_EQ(1, fake.to_unicode_calls);
}

TEST_F(KeyboardHookTest, OwnInputPassesUntouchedAndOtherProgramsInjectedKeysAreTheUsers) {
  EXPECT_EQ(kPassed, own(kVkBack));
  EXPECT_EQ(kPassed, own(kVkPacket, true));
  EXPECT_EQ(kSwallowed, event('K', false, kLowLevelInjected, 0, 0)) << "a touch keyboard's key";
  EXPECT_EQ(kSwallowed, event('T', false, kLowLevelInjected, kMark + 1, 0)) << "another mark";
  EXPECT_EQ((Entries{"c:k", "c:t"}), entries());
  EXPECT_EQ(kPassed, event(kVkSpace, false, 0, kMark)) << "the mark without the injected flag is no proof";
  EXPECT_EQ((Entries{"reset"}), entries());
  EXPECT_EQ(kSwallowed, own(kVkProbe)) << "the watchdog's probe reaches no program";
}

// Keys pressed before the glyphs of an earlier key are typed would overtake
// them: every key waits its turn, modifiers too, so a capital typed with
// Shift rolled over the next key stays one capital and no modifier sticks.
TEST_F(KeyboardHookTest, WhileOwnInputIsDueEveryKeyWaitsInOrderModifiersIncluded) {
  press(kVkLeftShift);
  press('T');
  process.data.OwnOutstanding = 4;  // T's glyphs are on their way
  process.data.LastSendTick = fake.tick;
  EXPECT_EQ(kSwallowed, release(kVkLeftShift));
  EXPECT_EQ(kSwallowed, press('I'));
  EXPECT_EQ(kSwallowed, release('T'));
  EXPECT_EQ(kSwallowed, press(kVkSpace));
  EXPECT_EQ(kSwallowed, press(kVkLeftControl));
  EXPECT_EQ(kPassed, own(kVkPacket)) << "the glyphs themselves pass";
  EXPECT_EQ(kSwallowed, press('C'));
  EXPECT_EQ((Entries{"c:T", "key:A0 up", "c:i", "reset", "key:20", "key:A2", "key:43"}), entries());
  for (int i = 0; i < 3; ++i) own(kVkPacket);
  EXPECT_EQ(kPassed, release('C')) << "nothing due, nothing queued: keys pass again";
  process.data.OwnOutstanding = 2;
  fake.tick += tvk::kOwnInputLostMs;
  EXPECT_EQ(kPassed, release(kVkLeftControl)) << "events not back within a second are lost: nothing stays held";
}

// Under Wine a key that comes while a glyph's ALT+keypad is half typed is
// marked as typed with ALT, and a program would take it as ALT+Space.
TEST_F(KeyboardHookTest, AKeyMarkedWithAnAltTheUserDoesNotHoldIsTypedAgainInTurn) {
  EXPECT_EQ(kSwallowed, press(kVkSpace, kLowLevelAltDown));
  EXPECT_EQ(kSwallowed, release(kVkSpace, kLowLevelAltDown));
  LowLevelKey space{kVkSpace, 0x39, 0, 0, 0};
  EXPECT_EQ(kSwallowed, tvk::LLKBHookProc(process.context, tvk::kHcAction, kMsgSysKeyDown,
                                          reinterpret_cast<std::intptr_t>(&space)))
      << "a system key message without the flag, as Wine makes it";
  EXPECT_EQ((Entries{"reset", "key:20", "key:20 up", "key:20"}), entries());
  LowLevelKey f10{kVkF10, 0x44, 0, 0, 0};
  EXPECT_EQ(kPassed, tvk::LLKBHookProc(process.context, tvk::kHcAction, kMsgSysKeyDown,
                                       reinterpret_cast<std::intptr_t>(&f10)))
      << "F10 alone is a system key";
  press(kVkLeftMenu, kLowLevelAltDown);
  EXPECT_EQ(kPassed, press(kVkSpace, kLowLevelAltDown)) << "the user's own ALT+Space passes";
}

TEST_F(KeyboardHookTest, AFullQueueLetsKeysPassUntranslatedRatherThanLoseThem) {
  for (std::uint32_t i = 0; i < tvk::kEntryQueueSize; ++i) press('A' + i % 26);
  EXPECT_EQ(tvk::kEntryQueueSize, process.data.EntryCount);
  EXPECT_EQ(kPassed, press(kVkSpace));
  EXPECT_EQ(kPassed, press('Z'));
}

TEST_F(KeyboardHookTest, AltF2TogglesOnItsReleaseWhileOnAndWhileOff) {
  state.ToggleALTChar = kVkF2;
  for (std::uint32_t on : {1u, 0u}) {
    SCOPED_TRACE(on);
    state.KBOn = on;
    EXPECT_EQ(kPassed, press(kVkLeftMenu, kLowLevelAltDown));
    EXPECT_EQ(kPassed, press(kVkF2, kLowLevelAltDown)) << "the program sees ALT+F2 pressed";
    EXPECT_EQ(kSwallowed, release(kVkF2, kLowLevelAltDown));
    EXPECT_EQ((on ? Entries{"reset", "toggle"} : Entries{"toggle"}), entries());
    EXPECT_EQ(kPassed, release(kVkLeftMenu));
    EXPECT_EQ(kPassed, release(kVkF2)) << "without ALT, F2 is an ordinary key";
  }
  state.ToggleALTChar = 0;
  press(kVkLeftMenu);
  EXPECT_EQ(kPassed, release(kVkF2));
}

// A click may have moved the caret: the letter typed before it must not be
// retyped, with its backspaces, at the new place.
TEST_F(KeyboardHookTest, AButtonPressedBetweenTwoKeysEndsTheLetterBeforeTheSecondKeysCharacter) {
  tap('K');
  mouse(tvk::kMsgLeftButtonDown);
  tap('H');
  EXPECT_EQ((Entries{"c:k", "reset", "c:h"}), entries()) << "behind the entries still waiting";
  for (std::uint32_t button : {tvk::kMsgLeftButtonDown, tvk::kMsgRightButtonDown, tvk::kMsgMiddleButtonDown,
                               tvk::kMsgXButtonDown}) {
    mouse(button);
    EXPECT_EQ(kSwallowed, tap('H')) << "button message 0x" << std::hex << button;
    EXPECT_EQ((Entries{"reset", "c:h"}), entries()) << "button message 0x" << std::hex << button;
  }
  mouse(tvk::kMsgLeftButtonDown);
  mouse(tvk::kMsgLeftButtonDown);
  press(kVkShift);
  tap('H');
  EXPECT_EQ((Entries{"reset", "c:H"}), entries()) << "a double click and a Shift after it: one reset first";
}

TEST_F(KeyboardHookTest, MovesTheWheelReleasesAndOtherHookCodesEndNoLetter) {
  tap('K');
  for (std::uint32_t message : {0x0200u, 0x0202u, 0x0205u, 0x020Au, 0x020Eu}) mouse(message);
  mouse(tvk::kMsgLeftButtonDown, 3);
  tap('H');
  EXPECT_EQ((Entries{"c:k", "c:h"}), entries());
}

TEST_F(KeyboardHookTest, AClickEndsOnlyALetterTypedWhileOnAndQueuesNothingUntilAKeyComes) {
  tap('K');
  entries();
  const std::size_t posts = fake.posts.size();
  mouse(tvk::kMsgLeftButtonDown);
  EXPECT_EQ(posts, fake.posts.size());
  EXPECT_EQ(Entries{}, entries());

  tap(kVkLeft);
  EXPECT_EQ((Entries{"reset"}), entries()) << "a caret key after the click: one reset";
  mouse(tvk::kMsgLeftButtonDown);
  tap('H');
  EXPECT_EQ((Entries{"c:h"}), entries()) << "no letter was open at the click";

  state.KBOn = 0;
  mouse(tvk::kMsgLeftButtonDown);
  EXPECT_EQ(kPassed, tap('A'));
  state.KBOn = 1;
  tap('K');
  EXPECT_EQ((Entries{"c:k"}), entries()) << "a click while OFF ends nothing later";
}

TEST_F(KeyboardHookTest, OffPassesEveryEventAndQueuesNothing) {
  state.KBOn = 0;
  EXPECT_EQ(kPassed, press('A'));
  EXPECT_EQ(kPassed, release('A'));
  EXPECT_EQ(kPassed, press(kVkDelete));
  EXPECT_TRUE(fake.posts.empty());
  EXPECT_EQ(Entries{}, entries());
}

TEST_F(KeyboardHookTest, WhilePlaybackRunsNothingIsCaught) {
  state.ToggleALTChar = kVkF2;
  state.SendBusy = kSendByPlayback;
  process.data.OwnOutstanding = 3;
  process.data.LastSendTick = fake.tick;
  EXPECT_EQ(kPassed, press('A'));
  EXPECT_EQ(kPassed, release('A'));
  press(kVkLeftMenu);
  EXPECT_EQ(kPassed, release(kVkF2));
  EXPECT_EQ(Entries{}, entries());
}

TEST_F(KeyboardHookTest, OtherHookCodesPassOnWithTheHookHandleAndTheirOwnArguments) {
  EXPECT_EQ(kPassed, tvk::LLKBHookProc(process.context, -1, kMsgKeyDown, 1234));
  ASSERT_EQ(1u, fake.next_hook_calls.size());
  EXPECT_EQ(kKeyboardHook, fake.next_hook_calls[0].hook);
  EXPECT_EQ(-1, fake.next_hook_calls[0].code);
  EXPECT_EQ(kMsgKeyDown, fake.next_hook_calls[0].wparam);
  EXPECT_EQ(1234, fake.next_hook_calls[0].lparam);
}

TEST_F(KeyboardHookTest, KeysHeldBeforeTheHookWasSetAreFollowedFromTheKeyboard) {
  fake.keys_down_now[kVkRightShift] = 1;
  fake.caps_lock_on = true;
  tvk::SyncKeyState(process.context);
  press('A');
  EXPECT_EQ((Entries{"c:a"}), entries()) << "Shift with Caps Lock";
  release(kVkRightShift);
  press('B');
  EXPECT_EQ((Entries{"c:B"}), entries()) << "Caps Lock alone";
}

}  // namespace
