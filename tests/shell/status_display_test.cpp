// UpdateStatus, SwitchAltF2Toggle and MarkSendMethod on the real windows and
// menus, with the real hook library.
#include "shell/status_display.h"

#include <gtest/gtest.h>

#include "hook/tvkhook.h"
#include "shell/resource_ids.h"
#include "shell/shell_state.h"
#include "tests/shell/shell_window_support.h"

namespace {

class StatusDisplay : public ::testing::Test {
 protected:
  void SetUp() override { ResetShellWindows(); }
};

// Every display that shows the keyboard's state agrees with `on`.
void expect_displays(bool on, const std::string& title) {
  EXPECT_EQ(title, WindowTitle(MainWindow));
  EXPECT_EQ(on ? BST_CHECKED : BST_UNCHECKED, IsDlgButtonChecked(Panel, IDC_KEYBOARD_CHECK));
  EXPECT_EQ(on ? "Disabl&e Indian Keyboard" : "&Enable Indian Keyboard",
            MenuText(SystemMenu, IDS_SYS_KEYBOARD));
  HICON expected = on ? OnIcon : OffIcon;
  EXPECT_EQ(expected, StatusIcon);
  EXPECT_EQ(reinterpret_cast<LRESULT>(expected),
            SendDlgItemMessageA(Panel, IDC_STATUS_ICON, STM_GETICON, 0, 0))
      << "panel icon";
  EXPECT_EQ(reinterpret_cast<LRESULT>(expected), SendMessageA(MainWindow, WM_GETICON, ICON_BIG, 0));
  EXPECT_EQ(reinterpret_cast<LRESULT>(expected),
            SendMessageA(MainWindow, WM_GETICON, ICON_SMALL, 0));
  EXPECT_EQ(reinterpret_cast<LRESULT>(expected), SendMessageA(MainWindow, WM_QUERYDRAGICON, 0, 0));
  EXPECT_EQ(on ? 1 : 0, IsKBHookTolvarON());
}

// A click on the status icon, at its centre, in panel client coordinates.
void click_status_icon(UINT message) {
  RECT icon;
  GetWindowRect(GetDlgItem(Panel, IDC_STATUS_ICON), &icon);
  RECT panel;
  GetWindowRect(Panel, &panel);
  LPARAM point = MAKELPARAM((icon.left + icon.right) / 2 - panel.left,
                            (icon.top + icon.bottom) / 2 - panel.top);
  SendMessageA(Panel, message, 0, point);
}

}  // namespace

TEST_F(StatusDisplay, StartsOffWithTheOffTitleAndIcons) {
  expect_displays(false, "Tolvar (Is OFF)");
}

TEST_F(StatusDisplay, CheckBoxIconSystemMenuAndToggleMessageEachSwitchOnAndOff) {
  LoadTestLanguage("Vedrokan.gkf");
  const std::string on_title = "Tolvar (Is ON: Shell Test)";

  auto no_boxes = [](const std::function<void()>& action) {
    EXPECT_TRUE(AnswerBoxes(action).empty()) << "switching with a file in force shows no box";
  };
  no_boxes([] { SendDlgItemMessageA(Panel, IDC_KEYBOARD_CHECK, BM_CLICK, 0, 0); });
  expect_displays(true, on_title);
  no_boxes([] { SendDlgItemMessageA(Panel, IDC_KEYBOARD_CHECK, BM_CLICK, 0, 0); });
  expect_displays(false, "Tolvar (Is OFF)");

  no_boxes([] { click_status_icon(WM_LBUTTONDOWN); });
  expect_displays(true, on_title);
  no_boxes([] { click_status_icon(WM_RBUTTONDOWN); });
  expect_displays(false, "Tolvar (Is OFF)");

  no_boxes([] { SendMessageA(MainWindow, WM_SYSCOMMAND, IDS_SYS_KEYBOARD, 0); });
  expect_displays(true, on_title);
  no_boxes([] { SendMessageA(MainWindow, WM_SYSCOMMAND, IDS_SYS_KEYBOARD, 0); });
  expect_displays(false, "Tolvar (Is OFF)");
}

TEST_F(StatusDisplay, AClickElsewhereOnThePanelSwitchesNothing) {
  LoadTestLanguage("Vedrokan.gkf");
  EXPECT_EQ(FALSE, SendMessageA(Panel, WM_LBUTTONDOWN, 0, MAKELPARAM(2, 2)));
  expect_displays(false, "Tolvar (Is OFF)");
}

TEST_F(StatusDisplay, SwitchingOnWithoutAFileIsRefusedWithABox) {
  auto boxes = AnswerBoxes([] { SendDlgItemMessageA(Panel, IDC_KEYBOARD_CHECK, BM_CLICK, 0, 0); });
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("TOLVAR ERROR", boxes[0].caption);
  EXPECT_EQ("No Language File loaded, Cannot Toggle Keyboard.", boxes[0].text);
  expect_displays(false, "Tolvar (Is OFF)");
}

TEST_F(StatusDisplay, AltF2ToggleFlipsBothMenuTextsAndAnnouncesIt) {
  HMENU menu = GetMenu(MainWindow);
  EXPECT_EQ("Enable &ALT+F2 Toggle", MenuText(menu, IDM_ALT_F2_TOGGLE));
  EXPECT_EQ("Enable &ALT+F2 Toggle", MenuText(SystemMenu, IDS_SYS_ALT_F2));

  auto boxes = AnswerBoxes([] { SendMessageA(MainWindow, WM_COMMAND, IDM_ALT_F2_TOGGLE, 0); });
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("Message", boxes[0].caption);
  EXPECT_EQ("Enabling use of ALT+F2 to toggle TOLVAR On/Off", boxes[0].text);
  EXPECT_EQ("Disable &ALT+F2 Toggle", MenuText(menu, IDM_ALT_F2_TOGGLE));
  EXPECT_EQ("Disable &ALT+F2 Toggle", MenuText(SystemMenu, IDS_SYS_ALT_F2));
  EXPECT_EQ(1, IsSetKBHook()) << "the hook watches ALT+F2 while the keyboard is OFF";

  boxes = AnswerBoxes([] { SendMessageA(MainWindow, WM_SYSCOMMAND, IDS_SYS_ALT_F2, 0); });
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("Disabling use of ALT+F2 to toggle TOLVAR On/Off", boxes[0].text);
  EXPECT_EQ("Enable &ALT+F2 Toggle", MenuText(menu, IDM_ALT_F2_TOGGLE));
  EXPECT_EQ("Enable &ALT+F2 Toggle", MenuText(SystemMenu, IDS_SYS_ALT_F2));
  EXPECT_EQ(0, SetKBToggleALTChar(0)) << "the toggle key is cleared";
}

TEST_F(StatusDisplay, AForeignToggleKeyCountsAsSetAndIsCleared) {
  SetKBToggleALTChar(0x72);
  EXPECT_EQ(0, SwitchAltF2Toggle(0));
  EXPECT_EQ(0, SetKBToggleALTChar(0));
  EXPECT_EQ("Enable &ALT+F2 Toggle", MenuText(GetMenu(MainWindow), IDM_ALT_F2_TOGGLE));
}

TEST_F(StatusDisplay, SendMethodCommandsMarkAndAnnounceEvenWithoutChange) {
  HMENU menu = GetMenu(MainWindow);
  EXPECT_TRUE(MenuChecked(menu, IDM_USE_JOURNAL));
  EXPECT_FALSE(MenuChecked(menu, IDM_USE_KEYBD_EVENT));

  auto boxes = AnswerBoxes([] { SendMessageA(MainWindow, WM_COMMAND, IDM_USE_KEYBD_EVENT, 0); });
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("Message", boxes[0].caption);
  EXPECT_EQ("Using Keybd_Event for sending keys.", boxes[0].text);
  EXPECT_EQ(0, UseJournalPBH);
  EXPECT_FALSE(MenuChecked(menu, IDM_USE_JOURNAL));
  EXPECT_TRUE(MenuChecked(menu, IDM_USE_KEYBD_EVENT));

  for (int round = 0; round < 2; ++round) {
    boxes = AnswerBoxes([] { SendMessageA(MainWindow, WM_COMMAND, IDM_USE_JOURNAL, 0); });
    ASSERT_EQ(1u, boxes.size()) << "round " << round;
    EXPECT_EQ("Using JournalPlaybackHook for sending keys.", boxes[0].text);
  }
  EXPECT_EQ(1, UseJournalPBH);
  EXPECT_TRUE(MenuChecked(menu, IDM_USE_JOURNAL));
  EXPECT_FALSE(MenuChecked(menu, IDM_USE_KEYBD_EVENT));

  boxes = AnswerBoxes([] { SendMessageA(MainWindow, WM_COMMAND, IDM_USE_UNICODE_INPUT, 0); });
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("Using Unicode Input for sending keys.", boxes[0].text);
  EXPECT_EQ(kUseUnicodeInput, UseJournalPBH);
  EXPECT_TRUE(MenuChecked(menu, IDM_USE_UNICODE_INPUT));
  EXPECT_FALSE(MenuChecked(menu, IDM_USE_JOURNAL) || MenuChecked(menu, IDM_USE_KEYBD_EVENT));
}

TEST_F(StatusDisplay, AboutBoxOpensFromTheHelpMenuAndClosesWithOk) {
  auto boxes = AnswerBoxes([] { SendMessageA(MainWindow, WM_COMMAND, IDM_ABOUT, 0); });
  ASSERT_EQ(1u, boxes.size()) << "the modal InfoBox came up and was closed";
  EXPECT_EQ("TOLVAR", boxes[0].text) << "its heading";
}
