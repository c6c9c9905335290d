// MainWndProc, PanelDlgProc and SplashDlgProc with the real windows.
#include "shell/main_window.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include "core/language_tables.h"
#include "core/letter_composer.h"
#include "hook/tvkhook.h"
#include "shell/resource_ids.h"
#include "shell/shell_state.h"
#include "shell/startup.h"
#include "shell/status_display.h"
#include "shell/tray_icon.h"
#include "tests/shell/shell_window_support.h"

namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetShellWindows(); }
};

bool topmost(HWND window) { return (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

}  // namespace

TEST_F(MainWindowTest, MinimisedItStaysOnTopAndRightClicksSwitchOnlyThen) {
  LoadTestLanguage("Vedrokan.gkf");
  SendMessageA(MainWindow, WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(0, IsKBHookTolvarON()) << "a right click on the restored window switches nothing";

  ShowWindow(MainWindow, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(MainWindow));
  EXPECT_TRUE(topmost(MainWindow)) << "minimised: topmost";
  SendMessageA(MainWindow, WM_NCRBUTTONDOWN, HTCAPTION, 0);
  EXPECT_EQ(1, IsKBHookTolvarON()) << "first right click on the minimised window";
  SendMessageA(MainWindow, WM_RBUTTONDOWN, 0, 0);
  EXPECT_EQ(0, IsKBHookTolvarON()) << "second right click";
  EXPECT_TRUE(IsIconic(MainWindow)) << "the window stays minimised";

  ShowWindow(MainWindow, SW_RESTORE);
  EXPECT_FALSE(topmost(MainWindow)) << "restored: no longer topmost";
}

TEST_F(MainWindowTest, TrayIconClicksSwitchWithTheRefusalsItsMenuShowsTheStateNowAndItComesBack) {
  EXPECT_EQ(1, AddTrayIcon()) << "Wine's shell has a notification area";
  auto boxes = AnswerBoxes([] { SendMessageA(MainWindow, kMsgTrayIcon, 1, WM_LBUTTONUP); });
  ASSERT_EQ(1u, boxes.size()) << "no language file: refused as the check box refuses";
  EXPECT_EQ("No Language File loaded, Cannot Toggle Keyboard.", boxes[0].text);

  LoadTestLanguage("Vedrokan.gkf");
  SendMessageA(MainWindow, kMsgTrayIcon, 1, WM_LBUTTONUP);
  EXPECT_EQ(1, IsKBHookTolvarON());
  EXPECT_EQ("Tolvar (Is ON: Shell Test)", WindowTitle(MainWindow));
  SendMessageA(MainWindow, kMsgTrayIcon, 1, WM_RBUTTONDOWN);
  EXPECT_EQ(1, IsKBHookTolvarON()) << "only a left click switches";

  SwitchAltF2Toggle(0);
  MarkSendMethod(0, 0);
  HMENU menu = MakeTrayMenu();
  ASSERT_NE(nullptr, menu);
  EXPECT_TRUE(MenuChecked(menu, IDM_KEYBOARD_SWITCH));
  EXPECT_EQ("Disable &ALT+F2 Toggle", MenuText(menu, IDM_ALT_F2_TOGGLE));
  EXPECT_TRUE(MenuChecked(menu, IDM_USE_KEYBD_EVENT));
  EXPECT_FALSE(MenuChecked(menu, IDM_USE_UNICODE_INPUT));
  for (UINT command : {IDM_LOAD_LANGUAGE, IDM_HELP_CONTENTS, IDM_ABOUT, IDM_EXIT}) {
    EXPECT_NE("<none>", MenuText(menu, command)) << command;
  }
  DestroyMenu(menu);

  SendMessageA(MainWindow, WM_COMMAND, IDM_KEYBOARD_SWITCH, 0);
  EXPECT_EQ(0, IsKBHookTolvarON()) << "the menu's Enable Indian Keyboard switches too";
  menu = MakeTrayMenu();
  EXPECT_FALSE(MenuChecked(menu, IDM_KEYBOARD_SWITCH));
  DestroyMenu(menu);
  SwitchAltF2Toggle(0);

  // Explorer started again: the icon is added anew.
  RemoveTrayIcon();
  NOTIFYICONDATAA probe = {};
  probe.cbSize = sizeof probe;
  probe.hWnd = MainWindow;
  probe.uID = 1;
  EXPECT_FALSE(Shell_NotifyIconA(NIM_MODIFY, &probe)) << "removed";
  SendMessageA(MainWindow, TaskbarCreatedMessage, 0, 0);
  EXPECT_TRUE(Shell_NotifyIconA(NIM_MODIFY, &probe)) << "added again on TaskbarCreated";
  RemoveTrayIcon();
}

TEST_F(MainWindowTest, SplashClosesOnAClickAndItsTimerGoesWithIt) {
  ShowSplash();
  ASSERT_NE(nullptr, Splash) << "the timer was made, so the splash is shown";
  HWND splash = Splash;
  SendMessageA(splash, WM_LBUTTONDOWN, 0, 0);
  EXPECT_EQ(nullptr, Splash);
  EXPECT_FALSE(IsWindow(splash));
  EXPECT_FALSE(KillTimer(MainWindow, kSplashTimer)) << "timer 1 was killed with the splash";
}

TEST_F(MainWindowTest, SplashClosesWhenItsTimerFires) {
  ShowSplash();
  HWND splash = Splash;
  ASSERT_NE(nullptr, splash);
  RECT place;
  GetWindowRect(splash, &place);
  EXPECT_EQ(200, place.left);
  EXPECT_EQ(120, place.top);
  PumpMessages(4000);
  EXPECT_TRUE(IsWindow(splash)) << "still up before five seconds";
  DWORD start = GetTickCount();
  while (Splash && GetTickCount() - start < 10000) PumpMessages(100);
  EXPECT_EQ(nullptr, Splash);
  EXPECT_FALSE(IsWindow(splash));
}

TEST_F(MainWindowTest, ClosingTheFileListWithoutAChoiceLoadsNothing) {
  LoadTestLanguage("Vedrokan.gkf");
  std::string before = CurrentFileName;
  HWND list = GetDlgItem(Panel, IDC_FILE_LIST);
  EXPECT_EQ(FALSE, SendMessageA(Panel, WM_COMMAND, MAKEWPARAM(IDC_FILE_LIST, CBN_SELENDCANCEL),
                                reinterpret_cast<LPARAM>(list)));
  EXPECT_EQ(before, CurrentFileName);
}

// The message only says that the hook queued entries; one that another
// program posts finds none and changes nothing.
TEST_F(MainWindowTest, AnEntriesMessageNoKeyCausedTypesNothingAndKeepsTheLetter) {
  LoadTestLanguage("Vedrokan.gkf");
  letter_count = 1;
  typed_count = 1;
  SendMessageA(MainWindow, kMsgHookEntries, 'k', 0);
  SendMessageA(MainWindow, kMsgHookEntries, 0, 0);
  EXPECT_EQ(1, letter_count);
  EXPECT_EQ(1, typed_count);
  EXPECT_EQ(0, IsSetKBHook());
  EXPECT_EQ("Tolvar (Is OFF)", WindowTitle(MainWindow));
}
