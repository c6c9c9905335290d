#include "shell/companion_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The steps as text: "remove toggle:113 on remove mark:2 served:1".
std::string sync_steps(MirroredHookState state, int hook_set) {
  CompanionStep steps[kCompanionSyncStepsMax];
  const int count = companion_sync_steps(state, hook_set, steps);
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (!text.empty()) text += ' ';
    switch (steps[i].command) {
      case CompanionCommand::RemoveKBHook:
        text += "remove";
        break;
      case CompanionCommand::SetKBHook:
        text += "set";
        break;
      case CompanionCommand::KBHookTolvarON:
        text += "on";
        break;
      case CompanionCommand::SetKBToggleALTChar:
        text += "toggle:" + std::to_string(steps[i].argument);
        break;
      case CompanionCommand::MarkKBSend:
        text += "mark:" + std::to_string(steps[i].argument);
        break;
      case CompanionCommand::SetKBOtherSizeServed:
        text += "served:" + std::to_string(steps[i].argument);
        break;
      default:
        text += "?";
        break;
    }
  }
  return text;
}

TEST(CompanionRulesTest, ANewCompanionForgetsAStaleHookAndTakesTheMainLibrarysState) {
  EXPECT_EQ("remove toggle:0 mark:0 served:1", sync_steps({0, 0, 0}, 0)) << "OFF, no hook";
  EXPECT_EQ("remove toggle:113 set mark:0 served:1", sync_steps({0, 0x71, 0}, 1))
      << "OFF, ALT+F2 watched";
  EXPECT_EQ("remove toggle:0 on mark:2 served:1", sync_steps({1, 0, 2}, 1))
      << "ON, key events going out";
  EXPECT_EQ("remove toggle:0 on remove mark:1 served:1", sync_steps({1, 0, 1}, 0))
      << "ON with the hook removed around a playback";
}

TEST(CompanionRulesTest, ARegistrationHeldOverIsUsableOnlyFromAnEarlierCompanionOfThisRun) {
  EXPECT_TRUE(companion_registration_usable(1, 0));
  EXPECT_TRUE(companion_registration_usable(1, 1));
  EXPECT_TRUE(companion_registration_usable(-1, 1));
  EXPECT_FALSE(companion_registration_usable(-1, 0))
      << "another Tolvar's window would get the keys";
  EXPECT_FALSE(companion_registration_usable(0, 1)) << "no answer: the companion did not register";
}

TEST(CompanionRulesTest, ACompanionIsRestartedUntilItEndsSoonAfterStartingThreeTimesInARow) {
  CompanionLife life = {0, 0};
  EXPECT_TRUE(companion_restart_after_end(&life, 60000)) << "ran a minute";
  life.started_at = 60000;
  EXPECT_TRUE(companion_restart_after_end(&life, 61000));
  life.started_at = 61000;
  EXPECT_TRUE(companion_restart_after_end(&life, 62000));
  life.started_at = 90000;
  EXPECT_TRUE(companion_restart_after_end(&life, 120000)) << "a long run clears the count";
  for (std::uint32_t start : {130000u, 131000u}) {
    life.started_at = start;
    EXPECT_TRUE(companion_restart_after_end(&life, start + 500));
  }
  life.started_at = 132000;
  EXPECT_FALSE(companion_restart_after_end(&life, 132500)) << "the third quick end in a row";
  life.started_at = 0xFFFFF000u;
  life.quick_ends = 0;
  EXPECT_TRUE(companion_restart_after_end(&life, 0x100)) << "the tick count wraps";
  EXPECT_EQ(1, life.quick_ends);
}

}  // namespace
