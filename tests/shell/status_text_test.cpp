#include "shell/status_text.h"

#include <gtest/gtest.h>

#include <string>

TEST(KeyboardSwitch, NoSwitchAskedLeavesEverythingAlone) {
  EXPECT_EQ(KeyboardSwitch::kNone, decide_keyboard_switch(0, 1, "C:\\x.gkf"));
  EXPECT_EQ(KeyboardSwitch::kNone, decide_keyboard_switch(0, 0, kNotLoaded));
}

TEST(KeyboardSwitch, OnAlwaysSwitchesOffEvenWithoutAFile) {
  EXPECT_EQ(KeyboardSwitch::kTurnOff, decide_keyboard_switch(1, 1, "C:\\x.gkf"));
  EXPECT_EQ(KeyboardSwitch::kTurnOff, decide_keyboard_switch(1, 1, kNotLoaded));
}

TEST(KeyboardSwitch, OffWithoutAFileIsRefusedByExactMarkerOnly) {
  EXPECT_EQ(KeyboardSwitch::kRefuseNoFile, decide_keyboard_switch(1, 0, "<not loaded>"));
  // A file that happens to be named like the marker is a file.
  EXPECT_EQ(KeyboardSwitch::kTurnOn, decide_keyboard_switch(1, 0, "C:\\<not loaded>"));
  EXPECT_EQ(KeyboardSwitch::kTurnOn, decide_keyboard_switch(1, 0, "<NOT LOADED>"));
}

TEST(StatusTitle, NamesTheLanguageWhileOn) {
  char title[260];
  compose_status_title(title, sizeof title, 1, "Hindi");
  EXPECT_STREQ("Tolvar (Is ON: Hindi)", title);
  compose_status_title(title, sizeof title, 1, "");
  EXPECT_STREQ("Tolvar (Is ON: )", title) << "a glyph table without GKMAIN name";
  compose_status_title(title, sizeof title, 0, "Hindi");
  EXPECT_STREQ("Tolvar (Is OFF)", title);
}

TEST(StatusTitle, LongestLanguageNameFitsAndSmallBuffersAreCut) {
  std::string name(127, 'n');
  char title[260];
  compose_status_title(title, sizeof title, 1, name.c_str());
  EXPECT_EQ("Tolvar (Is ON: " + name + ")", std::string(title));
  char small[8];
  compose_status_title(small, sizeof small, 1, name.c_str());
  EXPECT_STREQ("Tolvar ", small);
}

TEST(MenuTexts, FollowTheirStates) {
  EXPECT_STREQ("Disabl&e Indian Keyboard", keyboard_menu_text(1));
  EXPECT_STREQ("&Enable Indian Keyboard", keyboard_menu_text(0));
  EXPECT_STREQ("Disable &ALT+F2 Toggle", alt_f2_menu_text(1));
  EXPECT_STREQ("Enable &ALT+F2 Toggle", alt_f2_menu_text(0));
  EXPECT_STREQ("Enabling use of ALT+F2 to toggle TOLVAR On/Off", alt_f2_message(1));
  EXPECT_STREQ("Disabling use of ALT+F2 to toggle TOLVAR On/Off", alt_f2_message(0));
  EXPECT_STREQ("Using JournalPlaybackHook for sending keys.", send_method_message(5));
  EXPECT_STREQ("Using Keybd_Event for sending keys.", send_method_message(0));
  EXPECT_STREQ("Using Unicode Input for sending keys.", send_method_message(2));
}

TEST(ToggleKeyProbe, AnyKeyCountsAsSetAndOnlyForeignKeysAreRestored) {
  EXPECT_FALSE(toggle_key_was_set(0));
  EXPECT_TRUE(toggle_key_needs_restore(0)) << "0 is put back after the VK_F2 probe";
  EXPECT_TRUE(toggle_key_was_set(kToggleKey));
  EXPECT_FALSE(toggle_key_needs_restore(kToggleKey));
  EXPECT_TRUE(toggle_key_was_set(0x72)) << "another key counts as set";
  EXPECT_TRUE(toggle_key_needs_restore(0x72));
  EXPECT_FALSE(toggle_key_was_set(0x10000)) << "only the low 16 bits are the key";
  EXPECT_FALSE(toggle_key_needs_restore(0x10000 | kToggleKey));
}
