// The key chart window in process: where the menus offer it, and a chart
// for a language without an encoding table, following a language loaded
// through the file list or the dialog.
#include "shell/key_chart_window.h"

#include <gtest/gtest.h>

#include "shell/file_selection.h"
#include "shell/resource_ids.h"
#include "shell/shell_state.h"
#include "shell/tray_icon.h"
#include "tests/shell/shell_window_support.h"

namespace {

class KeyChartWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetShellWindows(); }
  void TearDown() override {
    if (KeyChartWindow()) DestroyWindow(KeyChartWindow());
  }
};

// The command of the item above `command` in the popup of the main menu
// that holds it, or 0.
UINT item_above(UINT command) {
  HMENU menu = GetMenu(MainWindow);
  for (int p = 0; p < GetMenuItemCount(menu); ++p) {
    HMENU popup = GetSubMenu(menu, p);
    for (int i = 1; popup && i < GetMenuItemCount(popup); ++i) {
      if (GetMenuItemID(popup, i) == command) return GetMenuItemID(popup, i - 1);
    }
  }
  return 0;
}

TEST_F(KeyChartWindowTest, HelpAndTheTrayMenuOfferItAboveTheHelpContents) {
  EXPECT_EQ(static_cast<UINT>(IDM_KEY_CHART), item_above(IDM_HELP_CONTENTS));
  EXPECT_EQ("&Key chart", MenuText(GetMenu(MainWindow), IDM_KEY_CHART));
  HMENU tray = MakeTrayMenu();
  EXPECT_EQ("&Key chart", MenuText(tray, IDM_KEY_CHART));
  DestroyMenu(tray);
}

TEST_F(KeyChartWindowTest, ALanguageWithoutATableHasAChartAndOneLoadedThroughTheListRetitlesIt) {
  LoadTestLanguage("Vedrokan.gkf");
  EXPECT_TRUE(AnswerBoxes([] { SendMessageA(MainWindow, WM_COMMAND, IDM_KEY_CHART, 0); }).empty());
  HWND chart = KeyChartWindow();
  ASSERT_NE(nullptr, chart);
  EXPECT_TRUE(IsWindowVisible(chart));
  EXPECT_EQ("Key chart - Shell Test", WindowTitle(chart));

  LoadTestLanguage("other.gkf");
  ASSERT_TRUE(PutLanguageInForce(MainWindow, CurrentFileName));
  EXPECT_EQ(chart, KeyChartWindow()) << "the open window follows, no second one";
  EXPECT_EQ("Key chart - Other Test", WindowTitle(chart));
}

}  // namespace
