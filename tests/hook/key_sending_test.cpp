#include "hook/key_sending.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hook/keyboard_hook.h"
#include "hook/tvkhook_codes.h"
#include "hook/virtual_keys.h"
#include "tests/hook/fake_hook_platform.h"

namespace {

struct Message {
  std::uint32_t message;
  std::uint32_t key;
  bool operator==(const Message& other) const { return message == other.message && key == other.key; }
};

std::ostream& operator<<(std::ostream& out, const Message& m) {
  return out << "{0x" << std::hex << m.message << ", key 0x" << m.key << "}";
}

// "\x08\xE9" as the application receives it.
const std::vector<Message> kBackspaceAndE9{
    {kMsgKeyDown, kVkBack},           {kMsgKeyUp, kVkBack},
    {kMsgSysKeyDown, kVkMenu},        {kMsgSysKeyDown, kVkNumpad0},
    {kMsgSysKeyUp, kVkNumpad0},       {kMsgSysKeyDown, kVkNumpad0 + 2},
    {kMsgSysKeyUp, kVkNumpad0 + 2},   {kMsgSysKeyDown, kVkNumpad0 + 3},
    {kMsgSysKeyUp, kVkNumpad0 + 3},   {kMsgSysKeyDown, kVkNumpad0 + 3},
    {kMsgSysKeyUp, kVkNumpad0 + 3},   {kMsgKeyUp, kVkMenu},
};

class KeySendingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_fake_hook_platform();
    process.data.ModuleInstance = &module_marker;
  }
  const tvk::HookContext& context() { return process.context; }

  // The platform's side of journal playback: each look at the queue fetches
  // the current event and moves on, as long as the playback hook is set and
  // no more than `limit` events have been played.
  void play_journal_events(std::size_t limit = 100000) {
    fake.pump = [this, limit] {
      if (process.data.JPHookHandle == 0 || played.size() >= limit) return tvk::PumpResult::Empty;
      busy_during_playback = shared.SendBusy;
      tvk::PlaybackRecord record{};
      EXPECT_EQ(0, tvk::JPHookProc(context(), tvk::kHcGetNext, 0, reinterpret_cast<std::intptr_t>(&record)));
      played.push_back({record.message, record.paramL});
      EXPECT_EQ(0x280 + record.paramL, record.paramH) << "the scan code of the key";
      EXPECT_EQ(fake.tick, record.time);
      ++fake.tick;
      EXPECT_EQ(0, tvk::JPHookProc(context(), tvk::kHcSkip, 0, 0));
      return tvk::PumpResult::Dispatched;
    };
  }

  int module_marker = 0;
  tvk::KBHookState shared{};
  FakeProcess process{shared};
  std::vector<Message> played;
  std::uint32_t busy_during_playback = 0;
};

TEST_F(KeySendingTest, InjectionTypesBackspaceAndGlyphBytesInOneMarkedBatch) {
  EXPECT_EQ(kSendDone, tvk::SendKeysKE(context(), "\x08\xE9\x41"));
  std::vector<std::pair<std::uint32_t, bool>> expected{{kVkBack, false}, {kVkBack, true}};
  for (std::uint32_t digits : {233u, 65u}) {
    expected.push_back({kVkMenu, false});
    for (std::uint32_t digit : {0u, digits / 100, digits / 10 % 10, digits % 10}) {
      expected.push_back({kVkNumpad0 + digit, false});
      expected.push_back({kVkNumpad0 + digit, true});
    }
    expected.push_back({kVkMenu, true});
  }
  ASSERT_EQ(expected.size(), fake.injected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(expected[i].first, fake.injected[i].key);
    EXPECT_EQ(kTypedBackScan, fake.injected[i].scan);
    EXPECT_EQ(expected[i].second ? tvk::kInputKeyUp : 0u, fake.injected[i].flags);
  }
  EXPECT_EQ(std::vector<std::uint32_t>{22}, fake.batches) << "one batch: nothing can come between its keys";
  EXPECT_EQ(std::vector<std::uintptr_t>{shared.OwnMark}, fake.marks) << "every event carries the library's mark";
  EXPECT_EQ(22u, process.data.OwnOutstanding) << "the hook holds the user's keys until it has seen them all";
  EXPECT_EQ(0u, shared.SendBusy);
  EXPECT_TRUE(fake.hooks_set.empty()) << "injection needs no hook";
}

// Shift still held after a capital would make ALT+Shift a language switch.
TEST_F(KeySendingTest, ModifiersTheUserHoldsAreReleasedBeforeTheGlyphsAndPressedAgainAfter) {
  constexpr std::uint16_t kLeftShift = 0xA0, kRightControl = 0xA3;
  fake.keys_down_now[kLeftShift] = 1;
  fake.keys_down_now[kRightControl] = 1;
  EXPECT_EQ(kSendDone, tvk::SendKeysKE(context(), "\x08"));
  ASSERT_EQ(std::vector<std::uint32_t>{6}, fake.batches);
  const std::vector<std::pair<std::uint16_t, std::uint32_t>> expected{
      {kLeftShift, tvk::kInputKeyUp}, {kRightControl, tvk::kInputKeyUp}, {kVkBack, 0},
      {kVkBack, tvk::kInputKeyUp},    {kLeftShift, 0},                   {kRightControl, 0}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(expected[i].first, fake.injected[i].key);
    EXPECT_EQ(expected[i].second, fake.injected[i].flags);
    EXPECT_EQ(kTypedBackScan, fake.injected[i].scan);
  }
}

void expect_events(const std::vector<tvk::InputEvent>& expected, std::size_t from = 0) {
  ASSERT_LE(from + expected.size(), fake.injected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(from + i);
    EXPECT_EQ(expected[i].key, fake.injected[from + i].key);
    EXPECT_EQ(expected[i].scan, fake.injected[from + i].scan);
    EXPECT_EQ(expected[i].flags, fake.injected[from + i].flags);
  }
}

// Characters typed as themselves are not changed by the user's Shift: no
// modifier is released or pressed that the user did not.
TEST_F(KeySendingTest, TextIsTypedAsBackspacesThenEachUnitIncludingSurrogatesInOneBatch) {
  fake.keys_down_now[0xA1] = 1;  // right Shift
  EXPECT_EQ(kSendDone, tvk::SendTextUI(context(), u"\u0915\U0001F600", 2));
  ASSERT_EQ(std::vector<std::uint32_t>{10}, fake.batches);
  expect_events({{kVkBack, kTypedBackScan, 0},
                 {kVkBack, kTypedBackScan, tvk::kInputKeyUp},
                 {kVkBack, kTypedBackScan, 0},
                 {kVkBack, kTypedBackScan, tvk::kInputKeyUp},
                 {0, 0x0915, tvk::kInputUnicode},
                 {0, 0x0915, tvk::kInputUnicode | tvk::kInputKeyUp},
                 {0, 0xD83D, tvk::kInputUnicode},
                 {0, 0xD83D, tvk::kInputUnicode | tvk::kInputKeyUp},
                 {0, 0xDE00, tvk::kInputUnicode},
                 {0, 0xDE00, tvk::kInputUnicode | tvk::kInputKeyUp}});
  EXPECT_EQ(0u, shared.SendBusy);

  // Nothing to type sends nothing; a negative count types no Backspace.
  fake.batches.clear();
  EXPECT_EQ(kSendDone, tvk::SendTextUI(context(), u"", 0));
  EXPECT_EQ(kSendDone, tvk::SendTextUI(context(), nullptr, -3));
  EXPECT_TRUE(fake.batches.empty());

  shared.SendBusy = kSendByKeyEvents;
  EXPECT_EQ(kSendBusy, tvk::SendTextUI(context(), u"\u0915", 1));
  EXPECT_EQ(kSendByKeyEvents, shared.SendBusy);
  EXPECT_TRUE(fake.batches.empty());
}

// The longest letter replaced by another: more taps than one batch holds.
TEST_F(KeySendingTest, LongTextGoesOutInFullBatchesInOrder) {
  std::u16string text;
  for (int i = 0; i < 1008; ++i) text.push_back(static_cast<char16_t>(0x0900 + i % 0x80));
  EXPECT_EQ(kSendDone, tvk::SendTextUI(context(), text.c_str(), 1008));
  ASSERT_EQ((std::vector<std::uint32_t>{2 * tvk::kSendTextTapsPerBatch, 2 * (2016 - tvk::kSendTextTapsPerBatch)}),
            fake.batches);
  std::vector<std::uint16_t> taps;
  for (const tvk::InputEvent& event : fake.injected) {
    if (event.flags == tvk::kInputUnicode) taps.push_back(event.scan);
    if (event.key == kVkBack && event.flags == 0) taps.push_back(kVkBack);
  }
  std::vector<std::uint16_t> expected(1008, kVkBack);
  expected.insert(expected.end(), text.begin(), text.end());
  EXPECT_EQ(expected, taps) << "every tap once, in order, across the batches";
  EXPECT_EQ(2u * 2016, process.data.OwnOutstanding);
}

// A batch the system refuses (its desktop switched) is tried again once;
// events it never took are not waited for.
TEST_F(KeySendingTest, ARefusedBatchIsTriedAgainAndThenReportedFailed) {
  fake.accepts = 0;
  EXPECT_EQ(kSendFailed, tvk::SendTextUI(context(), u"\u0915", 1));
  EXPECT_EQ((std::vector<std::uint32_t>{4, 4}), fake.batches);
  EXPECT_EQ(0u, process.data.OwnOutstanding);
  EXPECT_EQ(kSendFailed, tvk::SendKeysKE(context(), "\x08"));
  EXPECT_EQ(kSendFailed, tvk::SendHeldKey(context(), 0x20));
  EXPECT_EQ(0u, shared.SendBusy);

  fake.batches.clear();
  fake.accepts = 3;
  EXPECT_EQ(kSendDone, tvk::SendTextUI(context(), u"\u0915", 1));
  EXPECT_EQ((std::vector<std::uint32_t>{4, 1}), fake.batches) << "the rest of a batch taken in part";
  EXPECT_EQ(4u, process.data.OwnOutstanding);
}

TEST_F(KeySendingTest, SendWhileAnotherRunsIsRefusedWithBusyAndLeavesTheFlagSet) {
  shared.SendBusy = 1;
  EXPECT_EQ(kSendBusy, tvk::SendKeysKE(context(), "A"));
  EXPECT_EQ(kSendBusy, tvk::SendKeysJPH(context(), "A"));
  EXPECT_EQ(1u, shared.SendBusy);
  EXPECT_TRUE(fake.injected.empty());
  EXPECT_TRUE(fake.hooks_set.empty());
}

TEST_F(KeySendingTest, StringTooLongForTheListTypesNothing) {
  const std::string too_long(171, '\xE9');
  EXPECT_EQ(kSendListFull, tvk::SendKeysKE(context(), too_long.c_str()));
  EXPECT_EQ(kSendListFull, tvk::SendKeysJPH(context(), too_long.c_str()));
  EXPECT_TRUE(fake.injected.empty());
  EXPECT_TRUE(fake.hooks_set.empty());
  EXPECT_EQ(0u, shared.SendBusy);

  const std::string longest(170, '\xE9');
  EXPECT_EQ(kSendDone, tvk::SendKeysKE(context(), longest.c_str()));
  EXPECT_EQ((std::vector<std::uint32_t>{170 * 10}), fake.batches);
}

TEST_F(KeySendingTest, EmptyStringTypesNothingAndSetsNoHook) {
  EXPECT_EQ(kSendDone, tvk::SendKeysJPH(context(), ""));
  EXPECT_EQ(kSendDone, tvk::SendKeysKE(context(), nullptr));
  EXPECT_TRUE(fake.injected.empty());
  EXPECT_TRUE(fake.hooks_set.empty());
  EXPECT_EQ(0u, shared.SendBusy);
}

// A key the hook held back goes out as it was typed, in its turn.
TEST_F(KeySendingTest, HeldKeyIsTypedAsItWasWithItsScanCodeAndFlags) {
  fake.keys_down_now[kVkShift] = 1;
  EXPECT_EQ(kSendDone, tvk::SendHeldKey(context(), 0x25 | 0x4B << kKeyWordScanShift | kKeyWordExtended));
  EXPECT_EQ(kSendDone, tvk::SendHeldKey(context(), 0xA0 | 0x2A << kKeyWordScanShift | kKeyWordRelease));
  expect_events({{0x25, 0x4B, tvk::kInputExtended}, {0xA0, 0x2A, tvk::kInputKeyUp}});
  EXPECT_EQ((std::vector<std::uint32_t>{1, 1}), fake.batches) << "no modifier around it";
  EXPECT_EQ(0u, shared.SendBusy);
}

TEST_F(KeySendingTest, RefusedPlaybackHookReturnsRefusedAndClearsBusy) {
  fake.next_handle = 0;
  EXPECT_EQ(kSendRefused, tvk::SendKeysJPH(context(), "\x08"));
  ASSERT_EQ(1u, fake.hooks_set.size());
  EXPECT_EQ(tvk::HookKind::JournalPlayback, fake.hooks_set[0]);
  EXPECT_EQ(&module_marker, fake.hook_modules[0]);
  EXPECT_EQ(0, fake.pumps) << "no wait without a hook";
  EXPECT_EQ(0u, shared.SendBusy);
}

TEST_F(KeySendingTest, PlaybackPlaysTwelveEventsThenUnhooksItself) {
  play_journal_events();
  EXPECT_EQ(kSendDone, tvk::SendKeysJPH(context(), "\x08\xE9"));
  EXPECT_EQ(kBackspaceAndE9, played);
  ASSERT_EQ(1u, fake.unhooked.size());
  EXPECT_EQ(0x100u, fake.unhooked[0]) << "the playback hook that was set";
  EXPECT_EQ(0u, process.data.JPHookHandle);
  EXPECT_EQ(kSendByPlayback, busy_during_playback);
  EXPECT_EQ(0u, shared.SendBusy);
}

TEST_F(KeySendingTest, RepeatedGetNextReportsTheSameEventWithAFreshTime) {
  tvk::BuildKeyList(process.data.key_list, "\x08", kFakeHookPlatform.vk_key_scan);
  tvk::ResetKeyPlayer(process.data.key_list, process.data.player);
  process.data.first_call = true;
  process.data.JPHookHandle = 0x300;
  tvk::PlaybackRecord first{}, again{};
  tvk::JPHookProc(context(), tvk::kHcGetNext, 0, reinterpret_cast<std::intptr_t>(&first));
  fake.tick += 40;
  tvk::JPHookProc(context(), tvk::kHcGetNext, 0, reinterpret_cast<std::intptr_t>(&again));
  EXPECT_EQ(first.message, again.message);
  EXPECT_EQ(first.paramL, again.paramL);
  EXPECT_EQ(first.time + 40, again.time);
  tvk::JPHookProc(context(), tvk::kHcSkip, 0, 0);
  tvk::JPHookProc(context(), tvk::kHcGetNext, 0, reinterpret_cast<std::intptr_t>(&again));
  EXPECT_EQ(kMsgKeyUp, again.message);
  tvk::JPHookProc(context(), tvk::kHcSkip, 0, 0);
  EXPECT_EQ(0u, process.data.JPHookHandle) << "the skip past the last event ends playback";
}

TEST_F(KeySendingTest, PlaybackThatIsNeverPlayedEndsUnhookedAsRefusedWithoutSpinning) {
  const std::uint32_t start = fake.tick;
  EXPECT_EQ(kSendRefused, tvk::SendKeysJPH(context(), "\x08\xE9"));
  EXPECT_GE(fake.tick - start, tvk::kPlaybackStallMs);
  EXPECT_LT(fake.tick - start, tvk::kPlaybackStallMs + 2 * tvk::kPlaybackWaitSliceMs);
  EXPECT_EQ(static_cast<int>(fake.waits.size()) + 1, fake.pumps) << "every empty look at the queue waits";
  ASSERT_EQ(1u, fake.unhooked.size());
  EXPECT_EQ(0x100u, fake.unhooked[0]);
  EXPECT_EQ(0u, process.data.JPHookHandle);
  EXPECT_EQ(0u, shared.SendBusy);
}

TEST_F(KeySendingTest, PlaybackThatStallsHalfwayEndsUnhookedAsDoneWithALTReleased) {
  play_journal_events(5);
  EXPECT_EQ(kSendDone, tvk::SendKeysJPH(context(), "\x08\xE9"));
  EXPECT_EQ(5u, played.size()) << "stopped after ALT went down";
  EXPECT_EQ(1u, fake.unhooked.size());
  ASSERT_EQ(1u, fake.injected.size());
  EXPECT_EQ(kVkMenu, fake.injected[0].key);
  EXPECT_EQ(tvk::kInputKeyUp, fake.injected[0].flags);
  EXPECT_EQ(0u, shared.SendBusy);

  fake.injected.clear();
  play_journal_events(2);
  tvk::SendKeysJPH(context(), "\x08\xE9");
  EXPECT_TRUE(fake.injected.empty()) << "stopped before ALT went down";
}

// Closing Tolvar during a playback: its loop must still see the WM_QUIT.
TEST_F(KeySendingTest, QuitTakenDuringPlaybackEndsItUnhooked) {
  play_journal_events(3);
  const auto step = fake.pump;
  fake.pump = [this, step] { return played.size() < 3 ? step() : tvk::PumpResult::Quit; };
  EXPECT_EQ(kSendDone, tvk::SendKeysJPH(context(), "\x08\xE9"));
  EXPECT_EQ(4, fake.pumps) << "no look at the queue after the quit";
  EXPECT_EQ(1u, fake.unhooked.size());
  EXPECT_EQ(0u, process.data.JPHookHandle);
  EXPECT_EQ(1u, fake.injected.size()) << "ALT released";
}

TEST_F(KeySendingTest, PlaybackSlowerThanTheStallTimeButAdvancingIsNotCut) {
  play_journal_events();
  const auto step = fake.pump;
  fake.pump = [step] {
    fake.tick += tvk::kPlaybackStallMs - 1;
    return step();
  };
  EXPECT_EQ(kSendDone, tvk::SendKeysJPH(context(), "\x08\xE9"));
  EXPECT_EQ(kBackspaceAndE9, played);
}

TEST_F(KeySendingTest, CancelledPlaybackEndsAtOnceWithoutUnhooking) {
  play_journal_events(3);
  const auto step = fake.pump;
  fake.pump = [this, step] { return played.size() < 3 ? step() : tvk::PumpResult::JournalCancelled; };
  EXPECT_EQ(kSendDone, tvk::SendKeysJPH(context(), "\x08\xE9"));
  EXPECT_EQ(3u, played.size());
  EXPECT_TRUE(fake.unhooked.empty()) << "the platform has removed the hook itself";
  EXPECT_TRUE(fake.waits.empty());

  fake.pump = [] { return tvk::PumpResult::JournalCancelled; };
  EXPECT_EQ(kSendRefused, tvk::SendKeysJPH(context(), "\x08\xE9")) << "cancelled before anything was played";
  EXPECT_EQ(0u, shared.SendBusy);
}

TEST_F(KeySendingTest, SystemModalInterruptionEndsPlaybackEarly) {
  play_journal_events(4);
  const auto step = fake.pump;
  fake.pump = [this, step] {
    if (played.size() < 4) return step();
    EXPECT_EQ(77, tvk::JPHookProc(context(), tvk::kHcSysModalOff, 0, 0));
    return tvk::PumpResult::Dispatched;
  };
  EXPECT_EQ(kSendDone, tvk::SendKeysJPH(context(), "\x08\xE9"));
  EXPECT_EQ(4u, played.size());
  ASSERT_EQ(1u, fake.next_hook_calls.size());
  EXPECT_EQ(0u, fake.next_hook_calls[0].hook) << "passed on with the cleared handle";
  EXPECT_EQ(tvk::kHcSysModalOff, fake.next_hook_calls[0].code);
  EXPECT_EQ(1u, fake.unhooked.size());
}

TEST_F(KeySendingTest, OtherPlaybackCodesPassOnWithTheHandleAndTheFirstCallFetchesAnEvent) {
  play_journal_events();
  const auto step = fake.pump;
  fake.pump = [this, step] {
    if (fake.next_hook_calls.empty()) {
      EXPECT_EQ(77, tvk::JPHookProc(context(), tvk::kHcSysModalOn, 0, 0));
      EXPECT_EQ(77, tvk::JPHookProc(context(), -1, 5, 6));
    }
    return step();
  };
  EXPECT_EQ(kSendDone, tvk::SendKeysJPH(context(), "\x08\xE9"));
  EXPECT_EQ(kBackspaceAndE9, played) << "the first event was fetched by the first call, whatever its code";
  ASSERT_EQ(2u, fake.next_hook_calls.size());
  EXPECT_EQ(0x100u, fake.next_hook_calls[0].hook);
  EXPECT_EQ(tvk::kHcSysModalOn, fake.next_hook_calls[0].code);
  EXPECT_EQ(5u, fake.next_hook_calls[1].wparam);
  EXPECT_EQ(6, fake.next_hook_calls[1].lparam);
}

TEST_F(KeySendingTest, SendStartedByAMessageDispatchedDuringPlaybackIsRefusedAsBusy) {
  play_journal_events();
  const auto step = fake.pump;
  int nested = -1;
  fake.pump = [this, step, &nested] {
    if (nested == -1) nested = tvk::SendKeysKE(context(), "\x41");
    return step();
  };
  EXPECT_EQ(kSendDone, tvk::SendKeysJPH(context(), "\x08\xE9"));
  EXPECT_EQ(kSendBusy, nested);
  EXPECT_TRUE(fake.injected.empty());
  EXPECT_EQ(kBackspaceAndE9, played) << "the running playback is untouched";
}

}  // namespace
