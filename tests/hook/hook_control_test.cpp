#include "hook/hook_control.h"

#include <gtest/gtest.h>

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
  tvk::KBHookShared shared{};
  FakeProcess process{shared};
};

TEST_F(HookControlTest, FirstInitRegistersTheWindowAndForgetsAnyHookHandle) {
  shared.KBHookHandle = 0x55;
  EXPECT_EQ(1, tvk::InitKBHook(context(), 0x1234));
  EXPECT_EQ(0x1234u, shared.MainWindow);
  EXPECT_EQ(0u, shared.KBHookHandle);
}

TEST_F(HookControlTest, SecondInitIsRefusedEvenWithTheSameWindowOrFromAnotherProcess) {
  FakeProcess other{shared};
  ASSERT_EQ(1, tvk::InitKBHook(context(), 0x1234));
  ASSERT_EQ(1, tvk::SetKBHook(context()));
  const tvk::HookHandle hook = shared.KBHookHandle;
  EXPECT_EQ(-1, tvk::InitKBHook(context(), 0x1234));
  EXPECT_EQ(-1, tvk::InitKBHook(other.context, 0x9999));
  EXPECT_EQ(0x1234u, shared.MainWindow) << "a refused registration changes nothing";
  EXPECT_EQ(hook, shared.KBHookHandle) << "a refused registration changes nothing";
}

TEST_F(HookControlTest, AWindowGoneWithItsProgramIsNoRegistrationAndItsStateIsForgotten) {
  ASSERT_EQ(1, tvk::InitKBHook(context(), 0x1234));
  ASSERT_EQ(1, tvk::KBHookTolvarON(context()));
  tvk::SetKBToggleALTChar(context(), 0x71);
  tvk::MarkKBSend(context(), kSendByKeyEvents);
  tvk::SetKBOtherSizeServed(context(), 1);
  fake.closed_window = 0x1234;

  FakeProcess restarted{shared};
  EXPECT_EQ(1, tvk::InitKBHook(restarted.context, 0x5678));
  EXPECT_EQ(0x5678u, shared.MainWindow);
  EXPECT_EQ(0, tvk::IsKBHookTolvarON(restarted.context));
  EXPECT_EQ(0, tvk::IsSetKBHook(restarted.context)) << "the system took the old hook with its program";
  EXPECT_EQ(0, tvk::SetKBToggleALTChar(restarted.context, 0));
  EXPECT_EQ(static_cast<int>(kSendIdle), tvk::MarkKBSend(restarted.context, kSendIdle));
  EXPECT_EQ(0, tvk::SetKBOtherSizeServed(restarted.context, 0));
  EXPECT_TRUE(fake.unhooked.empty()) << "a handle of an ended program is not the library's to remove";
  EXPECT_EQ(-1, tvk::InitKBHook(context(), 0x1234)) << "the new registration lives";
}

TEST_F(HookControlTest, SetKBHookSetsOneKeyboardHookForAllThreadsWithTheModule) {
  EXPECT_EQ(0, tvk::IsSetKBHook(context()));
  EXPECT_EQ(1, tvk::SetKBHook(context()));
  EXPECT_EQ(1, tvk::SetKBHook(context())) << "a hook already set counts as set";
  ASSERT_EQ(1u, fake.hooks_set.size()) << "no second hook";
  EXPECT_EQ(tvk::HookKind::Keyboard, fake.hooks_set[0]);
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
  tvk::SetKBHook(context());
  EXPECT_EQ(1, tvk::IsKBHookTolvarON(context()));
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

// The thread that set the hook is where out-of-context calls arrive; a
// companion's block that outlived its process must not keep a stale one.
TEST_F(HookControlTest, SetHookRecordsItsThreadAndRemoveForgetsIt) {
  fake.thread = 42;
  ASSERT_EQ(1, tvk::SetKBHook(context()));
  EXPECT_EQ(42u, shared.HookThread);
  tvk::RemoveKBHook(context());
  EXPECT_EQ(0u, shared.HookThread);
  fake.next_handle = 0;
  EXPECT_EQ(0, tvk::SetKBHook(context()));
  EXPECT_EQ(0u, shared.HookThread) << "a refused hook has no thread";
}

TEST_F(HookControlTest, CompanionSettersStoreTheMainProgramsStateAndReturnThePrevious) {
  EXPECT_EQ(0, tvk::MarkKBSend(context(), kSendByKeyEvents));
  EXPECT_EQ(static_cast<int>(kSendByKeyEvents), tvk::MarkKBSend(context(), kSendIdle));
  EXPECT_EQ(0, tvk::SetKBOtherSizeServed(context(), 7));
  EXPECT_EQ(1u, shared.OtherSizeServed);
  EXPECT_EQ(1, tvk::SetKBOtherSizeServed(context(), 0));
  EXPECT_TRUE(fake.hooks_set.empty() && fake.unhooked.empty());
}

}  // namespace
