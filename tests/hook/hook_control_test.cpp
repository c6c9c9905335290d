#include "hook/hook_control.h"

#include <gtest/gtest.h>

#include "hook/keyboard_hook.h"
#include "hook/virtual_keys.h"
#include "tests/hook/fake_hook_platform.h"

namespace {

class HookControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reset_fake_hook_platform();
    process.data.ModuleInstance = &module_marker;
  }
  const tvk::HookContext& context() { return process.context; }

  int module_marker = 0;
  tvk::KBHookState shared{};
  FakeProcess process{shared};
};

TEST_F(HookControlTest, FirstInitRegistersTheWindowAndForgetsAnyHookHandle) {
  shared.KBHookHandle = 0x55;
  EXPECT_EQ(1, tvk::InitKBHook(context(), 0x1234));
  EXPECT_EQ(0x1234u, shared.MainWindow);
  EXPECT_EQ(0u, shared.KBHookHandle);
}

TEST_F(HookControlTest, SecondInitIsRefusedWhileTheRegisteredWindowLives) {
  ASSERT_EQ(1, tvk::InitKBHook(context(), 0x1234));
  ASSERT_EQ(1, tvk::SetKBHook(context()));
  const tvk::HookHandle hook = shared.KBHookHandle;
  EXPECT_EQ(-1, tvk::InitKBHook(context(), 0x1234));
  EXPECT_EQ(-1, tvk::InitKBHook(context(), 0x9999));
  EXPECT_EQ(0x1234u, shared.MainWindow) << "a refused registration changes nothing";
  EXPECT_EQ(hook, shared.KBHookHandle) << "a refused registration changes nothing";
}

TEST_F(HookControlTest, AWindowGoneIsNoRegistrationAndItsStateIsForgotten) {
  ASSERT_EQ(1, tvk::InitKBHook(context(), 0x1234));
  ASSERT_EQ(1, tvk::KBHookTolvarON(context()));
  tvk::SetKBToggleALTChar(context(), 0x71);
  fake.closed_window = 0x1234;

  FakeProcess restarted{shared};
  EXPECT_EQ(1, tvk::InitKBHook(restarted.context, 0x5678));
  EXPECT_EQ(0x5678u, shared.MainWindow);
  EXPECT_EQ(0, tvk::IsKBHookTolvarON(restarted.context));
  EXPECT_EQ(0, tvk::IsSetKBHook(restarted.context));
  EXPECT_EQ(0, tvk::SetKBToggleALTChar(restarted.context, 0));
  EXPECT_EQ(-1, tvk::InitKBHook(context(), 0x1234)) << "the new registration lives";
}

TEST_F(HookControlTest, SetKBHookSetsOneKeyboardHookForAllThreadsWithTheModule) {
  EXPECT_EQ(0, tvk::IsSetKBHook(context()));
  EXPECT_EQ(1, tvk::SetKBHook(context()));
  EXPECT_EQ(1, tvk::SetKBHook(context())) << "a hook already set counts as set";
  ASSERT_EQ(1u, fake.hooks_set.size()) << "no second hook";
  EXPECT_EQ(tvk::HookKind::KeyboardLowLevel, fake.hooks_set[0]);
  EXPECT_EQ(&module_marker, fake.hook_modules[0]);
  EXPECT_EQ(1, tvk::IsSetKBHook(context()));
}

TEST_F(HookControlTest, RefusedHookLeavesTheKeyboardOff) {
  fake.next_handle = 0;
  EXPECT_EQ(0, tvk::KBHookTolvarON(context()));
  EXPECT_EQ(0u, shared.KBOn);
  EXPECT_EQ(0u, shared.KBHookHandle);
  EXPECT_EQ(0, tvk::IsKBHookTolvarON(context()));
}

TEST_F(HookControlTest, TolvarONWithAHookAlreadySetReturnsOneAndSetsNoSecondHook) {
  tvk::SetKBHook(context());
  EXPECT_EQ(1, tvk::KBHookTolvarON(context()));
  EXPECT_EQ(1u, fake.hooks_set.size());
  EXPECT_EQ(1, tvk::IsKBHookTolvarON(context()));
}

TEST_F(HookControlTest, TolvarOFFKeepsTheHookOnlyWhileAToggleKeyIsSet) {
  tvk::SetKBToggleALTChar(context(), kVkF2);
  tvk::KBHookTolvarON(context());
  tvk::KBHookTolvarOFF(context());
  EXPECT_EQ(1, tvk::IsSetKBHook(context())) << "ALT+F2 must still be seen";
  EXPECT_EQ(0, tvk::IsKBHookTolvarON(context()));

  tvk::SetKBToggleALTChar(context(), 0);
  tvk::KBHookTolvarON(context());
  tvk::KBHookTolvarOFF(context());
  EXPECT_EQ(0, tvk::IsSetKBHook(context()));
  EXPECT_EQ(1u, fake.unhooked.size());
}

TEST_F(HookControlTest, RemovedHookReadsAsOffUntilSetAgainWithKBOnUntouched) {
  tvk::KBHookTolvarON(context());
  const tvk::HookHandle hook = shared.KBHookHandle;
  tvk::RemoveKBHook(context());
  ASSERT_EQ(1u, fake.unhooked.size());
  EXPECT_EQ(hook, fake.unhooked[0]);
  EXPECT_EQ(1u, shared.KBOn);
  EXPECT_EQ(0, tvk::IsKBHookTolvarON(context()));
  process.data.OwnOutstanding = 6;  // typed meanwhile: no hook saw them
  tvk::SetKBHook(context());
  EXPECT_EQ(1, tvk::IsKBHookTolvarON(context()));
  EXPECT_EQ(0u, process.data.OwnOutstanding) << "the user's keys are not held for them";
}

TEST_F(HookControlTest, TheMouseHooksThreadRunsWhileTheKeyboardHookIsSet) {
  ASSERT_EQ(1, tvk::SetKBHook(context()));
  tvk::SetKBHook(context());
  EXPECT_EQ(1, fake.mouse_watch_starts_asked) << "one thread";
  tvk::RemoveKBHook(context());
  tvk::RemoveKBHook(context());
  EXPECT_EQ(1, fake.mouse_watch_stops);

  fake.mouse_watch_starts = false;
  EXPECT_EQ(1, tvk::KBHookTolvarON(context())) << "the keyboard works without the mouse hook";
  tvk::RemoveKBHook(context());
  EXPECT_EQ(1, fake.mouse_watch_stops) << "no thread to stop";

  fake.next_handle = 0;
  tvk::SetKBHook(context());
  EXPECT_EQ(2, fake.mouse_watch_starts_asked) << "no thread without the keyboard hook";
}

TEST_F(HookControlTest, RemoveWithoutAHookDoesNothing) {
  tvk::RemoveKBHook(context());
  EXPECT_TRUE(fake.unhooked.empty());
}

TEST_F(HookControlTest, ToggleCodeSetterReturnsThePreviousLow16Bits) {
  EXPECT_EQ(0, tvk::SetKBToggleALTChar(context(), kVkF2));
  EXPECT_EQ(static_cast<int>(kVkF2), tvk::SetKBToggleALTChar(context(), 0));
  EXPECT_EQ(0, tvk::SetKBToggleALTChar(context(), 0xABCD8071u));
  EXPECT_EQ(0x8071, tvk::SetKBToggleALTChar(context(), 0)) << "zero-extended, never negative";
  EXPECT_TRUE(fake.hooks_set.empty() && fake.unhooked.empty()) << "the setter leaves the hook alone";
}

TEST_F(HookControlTest, TheOwnInputMarkIsNeverZero) {
  fake.tick = 0;
  ASSERT_EQ(1, tvk::InitKBHook(context(), 0));
  EXPECT_NE(0u, shared.OwnMark) << "most programs send zero";
}

// Windows removes a low-level hook that once took too long, silently.
class HookWatchdogTest : public HookControlTest {
 protected:
  void SetUp() override {
    HookControlTest::SetUp();
    tvk::InitKBHook(context(), 0x1234);
    tvk::KBHookTolvarON(context());
    fake.hooks_set.clear();
  }
  // The hook seeing the probe come back.
  void probe_returns() {
    LowLevelKey probe{kVkProbe, 0, kLowLevelInjected, 0, shared.OwnMark};
    EXPECT_EQ(1, tvk::LLKBHookProc(context(), tvk::kHcAction, kMsgKeyDown, reinterpret_cast<std::intptr_t>(&probe)));
  }
};

TEST_F(HookWatchdogTest, AHookThatSawTheLatestInputIsLeftAlone) {
  fake.last_input = fake.tick;
  EXPECT_EQ(0, tvk::CheckKBHook(context()));
  EXPECT_TRUE(fake.injected.empty());
}

TEST_F(HookWatchdogTest, InputTheHookDidNotSeeSendsAProbeWhichALiveHookSwallows) {
  fake.tick += 3000;
  fake.last_input = fake.tick - 10;
  EXPECT_EQ(0, tvk::CheckKBHook(context()));
  ASSERT_EQ(2u, fake.injected.size());
  EXPECT_EQ(kVkProbe, fake.injected[0].key);
  EXPECT_EQ(shared.OwnMark, fake.marks[0]);
  probe_returns();
  fake.tick += tvk::kProbeWaitMs;
  EXPECT_EQ(0, tvk::CheckKBHook(context()));
  EXPECT_TRUE(fake.unhooked.empty() && fake.hooks_set.empty());
}

TEST_F(HookWatchdogTest, AProbeNotSeenMeansTheHookIsGoneAndItIsSetAgain) {
  const tvk::HookHandle removed = shared.KBHookHandle;
  fake.tick += 3000;
  fake.last_input = fake.tick;
  tvk::CheckKBHook(context());
  fake.tick += tvk::kProbeWaitMs - 1;
  EXPECT_EQ(0, tvk::CheckKBHook(context())) << "the probe may still come";
  fake.tick += 1;
  EXPECT_EQ(1, tvk::CheckKBHook(context()));
  EXPECT_EQ(std::vector<tvk::HookHandle>{removed}, fake.unhooked);
  ASSERT_EQ(1u, fake.hooks_set.size());
  EXPECT_EQ(1, tvk::IsKBHookTolvarON(context()));

  fake.next_handle = 0;
  fake.tick += 3000;
  fake.last_input = fake.tick;
  tvk::CheckKBHook(context());
  fake.tick += tvk::kProbeWaitMs;
  EXPECT_EQ(1, tvk::CheckKBHook(context()));
  EXPECT_EQ(0, tvk::IsKBHookTolvarON(context())) << "a hook that cannot be set again shows as OFF";
}

}  // namespace
