// The Language menu with the languages shipped beside the test program
// (bin\languages), and a languages folder with a broken table.
#include "shell/language_menu.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "encoding/encoding_loading.h"
#include "langunit/language_unit.h"
#include "shell/file_selection.h"
#include "shell/resource_ids.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include "shell/tray_icon.h"
#include "tests/shell/shell_window_support.h"

namespace {

class LanguageMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetShellWindows();
    ListShippedLanguages();
  }
  void TearDown() override {
    ListShippedLanguages();
    ChosenLanguage[0] = '\0';
  }
};

std::string panel_text(int control) {
  char text[kNameSize] = "";
  GetDlgItemTextA(Panel, control, text, sizeof text);
  return text;
}

std::vector<ShownBox> choose(int index) {
  return AnswerBoxes([index] { SendMessageA(MainWindow, WM_COMMAND, IDM_LANGUAGE_FIRST + index, 0); });
}

TEST_F(LanguageMenu, ShippedLanguagesAreListedAndTheChosenOneComesInForceWithItsFont) {
  const int kruti = find_shipped_language(ShippedList, "Kruti Dev 010");
  const int vedrokan = find_shipped_language(ShippedList, "Vedrokan");
  ASSERT_GE(kruti, 0);
  ASSERT_GE(vedrokan, 0);
  HMENU menu = GetMenu(MainWindow);
  EXPECT_EQ("Kruti Dev 010", MenuText(menu, IDM_LANGUAGE_FIRST + kruti));
  EXPECT_EQ("Vedrokan", MenuText(menu, IDM_LANGUAGE_FIRST + vedrokan));

  EXPECT_TRUE(choose(kruti).empty());
  EXPECT_TRUE(MenuChecked(menu, IDM_LANGUAGE_FIRST + kruti));
  EXPECT_FALSE(MenuChecked(menu, IDM_LANGUAGE_FIRST + vedrokan));
  EXPECT_STREQ("Kruti Dev 010", ChosenLanguage) << "saved at exit";
  EXPECT_EQ("Kruti Dev 010", panel_text(IDC_LANGUAGE_NAME));
  EXPECT_EQ("Font: Kruti Dev 010", panel_text(IDC_LANGUAGE_FONT));
  EXPECT_TRUE(encoding_table_loaded());
  EXPECT_NE(std::string(CurrentFileName).find("\\languages\\krutidev\\KrutiDev010.gkf"), std::string::npos)
      << CurrentFileName;

  HMENU tray = MakeTrayMenu();
  EXPECT_EQ("Kruti Dev 010", MenuText(tray, IDM_LANGUAGE_FIRST + kruti));
  EXPECT_TRUE(MenuChecked(tray, IDM_LANGUAGE_FIRST + kruti));
  DestroyMenu(tray);

  // A file loaded through the dialog or the list is no shipped choice.
  LoadTestLanguage("other.gkf");
  ASSERT_TRUE(PutLanguageInForce(MainWindow, CurrentFileName));
  EXPECT_STREQ("", ChosenLanguage);
  EXPECT_FALSE(MenuChecked(menu, IDM_LANGUAGE_FIRST + kruti));
  EXPECT_EQ("", panel_text(IDC_LANGUAGE_FONT));
}

TEST_F(LanguageMenu, AFolderWithABrokenTableIsNamedInABoxAndNothingChanges) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  const std::string folder = std::string(temp) + "tolvar_language_menu_test";
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\broken").c_str(), nullptr);
  CopyFileA((TestDataFolder() + "other.gkf").c_str(), (folder + "\\broken\\other.gkf").c_str(), FALSE);
  std::ofstream(folder + "\\broken\\other.tsv", std::ios::binary) << "0x41\tka\n";
  std::ofstream(folder + "\\broken\\language.txt", std::ios::binary)
      << "name=Broken\nfile=other.gkf\nfont=Broken\nships-font=no\n";
  ASSERT_EQ(1, list_shipped_languages(folder.c_str(), '\\', &ShippedList));
  LoadTestLanguage("Vedrokan.gkf");
  DisplayFiles();
  const std::string before = CurrentFileName;
  const std::string name_before = panel_text(IDC_LANGUAGE_NAME);

  auto boxes = choose(0);
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("ERROR", boxes[0].caption);
  EXPECT_NE(std::string::npos, boxes[0].text.find("line 1")) << boxes[0].text;
  EXPECT_NE(std::string::npos, boxes[0].text.find("broken\\other.tsv failed")) << boxes[0].text;
  EXPECT_EQ(before, CurrentFileName);
  EXPECT_EQ(name_before, panel_text(IDC_LANGUAGE_NAME));
  EXPECT_FALSE(encoding_table_loaded());
  for (const char* file : {"other.gkf", "other.tsv", "language.txt"}) {
    DeleteFileA((folder + "\\broken\\" + file).c_str());
  }
  RemoveDirectoryA((folder + "\\broken").c_str());
  RemoveDirectoryA(folder.c_str());
}

}  // namespace
