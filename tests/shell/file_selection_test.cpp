// File list, loading from the list and through the open-file dialog, path
// completion against the real current directory, and the settings file.
#include "shell/file_selection.h"

#include <commdlg.h>
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/error_text.h"
#include "core/language_tables.h"
#include "encoding/encoding_table.h"
#include "shell/hook_messages.h"
#include "shell/status_display.h"
#include "shell/resource_ids.h"
#include "shell/settings.h"
#include "shell/shell_state.h"
#include "shell/suggest_mode.h"
#include "shell/status_display.h"
#include "tests/shell/shell_window_support.h"

namespace {

class FileSelection : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetShellWindows();
    GetCurrentDirectoryA(sizeof start_directory_, start_directory_);
  }
  void TearDown() override { SetCurrentDirectoryA(start_directory_); }

  char start_directory_[MAX_PATH];
};

HWND file_list() { return GetDlgItem(Panel, IDC_FILE_LIST); }

std::string list_entry(int index) {
  char text[kNameSize] = "";
  SendMessageA(file_list(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

std::string selected_entry() {
  LRESULT index = SendMessageA(file_list(), CB_GETCURSEL, 0, 0);
  return index == CB_ERR ? "<nothing selected>" : list_entry(static_cast<int>(index));
}

// The platform may or may not lower the case of the names it lists.
std::string lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::vector<std::string> all_entries() {
  std::vector<std::string> entries;
  LRESULT count = SendMessageA(file_list(), CB_GETCOUNT, 0, 0);
  for (int i = 0; i < count; ++i) entries.push_back(lower(list_entry(i)));
  return entries;
}

std::string language_name_shown() {
  char text[kNameSize] = "";
  GetDlgItemTextA(Panel, IDC_LANGUAGE_NAME, text, sizeof text);
  return text;
}

std::string completed(const char* name) {
  char buffer[kNameSize];
  std::strcpy(buffer, name);
  EXPECT_EQ(1, CompletePath(buffer)) << name;
  return buffer;
}

// Chooses `entry` in the file list as a user does, ending with CBN_SELENDOK.
void choose_from_list(const std::string& entry) {
  LRESULT index = SendMessageA(file_list(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(entry.c_str()));
  ASSERT_NE(CB_ERR, index) << entry << " is in the list";
  SendMessageA(file_list(), CB_SETCURSEL, index, 0);
  SendMessageA(Panel, WM_COMMAND, MAKEWPARAM(IDC_FILE_LIST, CBN_SELENDOK),
               reinterpret_cast<LPARAM>(file_list()));
}

// The real open-file dialog fails only on a broken system, so for that case
// the program's imports of it are swapped for stand-ins. The import slots
// are the ones every call of the program goes through.
#ifdef _WIN64
extern "C" void* dialog_import __asm__("__imp_GetOpenFileNameA");
extern "C" void* dialog_error_import __asm__("__imp_CommDlgExtendedError");
#else
extern "C" void* dialog_import __asm__("__imp__GetOpenFileNameA@4");
extern "C" void* dialog_error_import __asm__("__imp__CommDlgExtendedError@0");
#endif

void replace_import(void** slot, void* with) {
  DWORD protection = 0;
  VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
  *slot = with;
  VirtualProtect(slot, sizeof *slot, protection, &protection);
}

std::string loadable_name_left_behind;

// A dialog that fails after writing a loadable name into the file buffer.
BOOL WINAPI failing_dialog(OPENFILENAMEA* dialog) {
  std::snprintf(dialog->lpstrFile, dialog->nMaxFile, "%s", loadable_name_left_behind.c_str());
  return FALSE;
}
DWORD WINAPI buffer_too_small() { return FNERR_BUFFERTOOSMALL; }

std::string data_folder_without_slash() {
  std::string folder = TestDataFolder();
  return folder.substr(0, folder.size() - 1);
}

}  // namespace

TEST_F(FileSelection, WithoutAFileTheListShowsNotLoadedSelectedBesideTheLanguageFiles) {
  SetCurrentDirectoryA(TestDataFolder().c_str());
  DisplayFiles();
  EXPECT_EQ((std::vector<std::string>{"<not loaded>", "broken_glyphs.gkf", "broken_keys.gkf",
                                      "other.gkf", "vedrokan.gkf"}),
            all_entries());
  EXPECT_EQ("<not loaded>", selected_entry());
  EXPECT_EQ("Tolvar (Is OFF)", WindowTitle(MainWindow));
}

TEST_F(FileSelection, ListShowsTheCurrentFilesFolderAndMakesItCurrent) {
  LoadTestLanguage("Vedrokan.gkf");
  SetCurrentDirectoryA("C:\\");
  DisplayFiles();
  EXPECT_EQ((std::vector<std::string>{"broken_glyphs.gkf", "broken_keys.gkf", "other.gkf",
                                      "vedrokan.gkf"}),
            all_entries());
  EXPECT_EQ("vedrokan.gkf", lower(selected_entry()))
      << "the current file, found case-insensitively";
  EXPECT_EQ("Shell Test", language_name_shown());

  char directory[MAX_PATH];
  GetCurrentDirectoryA(sizeof directory, directory);
  EXPECT_STRCASEEQ(data_folder_without_slash().c_str(), directory) << "the listing made it current";
  EXPECT_STRCASEEQ((TestDataFolder() + "x.gkf").c_str(), completed("x.gkf").c_str())
      << "a later relative name is completed against it";
}

TEST_F(FileSelection, ChoosingAnEntryLoadsThatFileAtOnce) {
  LoadTestLanguage("Vedrokan.gkf");
  DisplayFiles();
  auto boxes = AnswerBoxes([] { choose_from_list("other.gkf"); });
  EXPECT_TRUE(boxes.empty());
  EXPECT_STRCASEEQ((TestDataFolder() + "other.gkf").c_str(), CurrentFileName);
  EXPECT_EQ("Other Test", language_name_shown());
  EXPECT_EQ("Other Test", std::string(current_language_name()));
  EXPECT_EQ("other.gkf", selected_entry());
}

TEST_F(FileSelection, AFailingGlyphTableShowsTheLoadersTextAndChangesNothing) {
  LoadTestLanguage("Vedrokan.gkf");
  DisplayFiles();
  std::string before = CurrentFileName;
  auto boxes = AnswerBoxes([] { choose_from_list("broken_glyphs.gkf"); });
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("ERROR", boxes[0].caption);
  EXPECT_NE(std::string::npos, boxes[0].text.find("could not locate glyph 0xEE")) << boxes[0].text;
  EXPECT_NE(std::string::npos, boxes[0].text.find("Loading Language File (GK Data) from"))
      << boxes[0].text;
  EXPECT_EQ(before, CurrentFileName);
  EXPECT_EQ("Shell Test", std::string(current_language_name()));
  EXPECT_EQ("Shell Test", language_name_shown());
  EXPECT_EQ("vedrokan.gkf", lower(selected_entry())) << "the list names the file in force again";
}

TEST_F(FileSelection, AFailingKeyMapLeavesThePreviousLanguageWholeInForce) {
  LoadTestLanguage("Vedrokan.gkf");
  DisplayFiles();
  std::string before = CurrentFileName;
  unsigned char ka = LiveKeyMap['k'];
  auto boxes = AnswerBoxes([] { choose_from_list("broken_keys.gkf"); });
  ASSERT_EQ(1u, boxes.size());
  EXPECT_NE(std::string::npos, boxes[0].text.find("Loading Language File (KU Data) from"))
      << boxes[0].text;
  EXPECT_EQ("Shell Test", std::string(current_language_name())) << "its glyph table is not in force";
  EXPECT_EQ(ka, LiveKeyMap['k']);
  EXPECT_EQ(before, CurrentFileName);
  EXPECT_EQ("Shell Test", language_name_shown());
  EXPECT_EQ("vedrokan.gkf", lower(selected_entry()));
}

TEST_F(FileSelection, UnicodeOutputOnlyForALanguageWithAnEncodingTable) {
  LoadTestLanguage("Vedrokan.gkf");
  DisplayFiles();
  clear_encoding_table(&LiveEncodingTable);
  HMENU menu = GetMenu(MainWindow);
  auto choose_unicode = [] { SendMessageA(MainWindow, WM_COMMAND, IDM_OUTPUT_UNICODE, 0); };
  auto boxes = AnswerBoxes(choose_unicode);
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ("Shell Test has no encoding table, so it types font codes only.\n"
            "(Its table is the .tsv file with the language file's name, beside it.)",
            boxes[0].text);
  EXPECT_EQ(0, UnicodeOutput);
  EXPECT_TRUE(MenuChecked(menu, IDM_OUTPUT_FONT_CODES));

  EXPECT_TRUE(AnswerBoxes([] { choose_from_list("other.gkf"); }).empty()) << "other.tsv reads";
  EXPECT_TRUE(AnswerBoxes(choose_unicode).empty());
  EXPECT_EQ(1, UnicodeOutput);
  EXPECT_TRUE(MenuChecked(menu, IDM_OUTPUT_UNICODE));
  EXPECT_FALSE(MenuChecked(menu, IDM_OUTPUT_FONT_CODES));

  boxes = AnswerBoxes([] { choose_from_list("vedrokan.gkf"); });
  ASSERT_EQ(1u, boxes.size()) << "a language without a table, chosen while Unicode is in force";
  EXPECT_EQ(0, UnicodeOutput);
  EXPECT_TRUE(MenuChecked(menu, IDM_OUTPUT_FONT_CODES));
}

TEST_F(FileSelection, ABareChoiceWhileNotLoadedIsCompletedAfterItLoads) {
  SetCurrentDirectoryA(TestDataFolder().c_str());
  DisplayFiles();
  auto boxes = AnswerBoxes([] { choose_from_list("other.gkf"); });
  EXPECT_TRUE(boxes.empty());
  EXPECT_STRCASEEQ((TestDataFolder() + "other.gkf").c_str(), CurrentFileName);
  EXPECT_EQ("Other Test", language_name_shown());
  EXPECT_EQ(std::vector<std::string>(
                {"broken_glyphs.gkf", "broken_keys.gkf", "other.gkf", "vedrokan.gkf"}),
            all_entries())
      << "\"<not loaded>\" left the list";
}

TEST_F(FileSelection, ChoosingNotLoadedEndsInTheLoadersBox) {
  SetCurrentDirectoryA(TestDataFolder().c_str());
  DisplayFiles();
  auto boxes = AnswerBoxes([] { choose_from_list("<not loaded>"); });
  ASSERT_EQ(1u, boxes.size());
  EXPECT_EQ(
      "Error: could not open <not loaded> for reading\n"
      "Loading Language File (GK Data) from <not loaded> failed\n",
      boxes[0].text);
  EXPECT_STREQ(kNotLoaded, CurrentFileName);
}

TEST_F(FileSelection, CancellingTheOpenFileDialogChangesNothingAndShowsNothing) {
  LoadTestLanguage("Vedrokan.gkf");
  std::string before = CurrentFileName;
  std::string dialog_title;
  char started_with[kNameSize] = "";
  auto boxes = AnswerBoxes([] { SendMessageA(MainWindow, WM_COMMAND, IDM_LOAD_LANGUAGE, 0); },
                           [&](HWND dialog) {
                             char title[128] = "";
                             GetWindowTextA(dialog, title, sizeof title);
                             dialog_title = title;
                             Sleep(300);
                             GetDlgItemTextA(dialog, cmb13, started_with, sizeof started_with);
                             PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                           });
  ASSERT_EQ(1u, boxes.size()) << "only the dialog, no error box";
  EXPECT_EQ("Load Language File", dialog_title);
  EXPECT_NE(std::string::npos, before.find("Vedrokan.gkf"));
  EXPECT_STRCASEEQ("Vedrokan.gkf", started_with) << "the dialog starts on the current file";
  EXPECT_EQ(before, CurrentFileName);
  EXPECT_EQ("Shell Test", std::string(current_language_name()));
}

TEST_F(FileSelection, AFileChosenThroughTheDialogIsLoaded) {
  std::string chosen = TestDataFolder() + "other.gkf";
  auto boxes =
      AnswerBoxes([] { SendMessageA(MainWindow, WM_SYSCOMMAND, IDS_SYS_LOAD_LANGUAGE, 0); },
                  [&](HWND dialog) {
                    Sleep(300);
                    SetDlgItemTextA(dialog, cmb13, chosen.c_str());
                    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                  });
  ASSERT_EQ(1u, boxes.size());
  EXPECT_STRCASEEQ(chosen.c_str(), CurrentFileName);
  EXPECT_EQ("Other Test", language_name_shown());
}

TEST_F(FileSelection, AFailingDialogShowsItsErrorAndLoadsNothing) {
  LoadTestLanguage("Vedrokan.gkf");
  std::string before = CurrentFileName;
  loadable_name_left_behind = TestDataFolder() + "other.gkf";
  void* real_dialog = dialog_import;
  void* real_error = dialog_error_import;
  replace_import(&dialog_import, reinterpret_cast<void*>(failing_dialog));
  replace_import(&dialog_error_import, reinterpret_cast<void*>(buffer_too_small));
  auto boxes = AnswerBoxes([] { SendMessageA(MainWindow, WM_COMMAND, IDM_LOAD_LANGUAGE, 0); });
  replace_import(&dialog_import, real_dialog);
  replace_import(&dialog_error_import, real_error);

  ASSERT_EQ(1u, boxes.size()) << "the error box only";
  EXPECT_EQ("ERROR", boxes[0].caption);
  EXPECT_EQ("Program Error: GetOpenFileName, 0x3003\n", boxes[0].text);
  EXPECT_EQ(before, CurrentFileName) << "what the failed dialog left behind is not loaded";
  EXPECT_EQ("Shell Test", std::string(current_language_name()));
}

TEST_F(FileSelection, CompletePathFollowsTheCurrentDirectory) {
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\windows"));
  EXPECT_STRCASEEQ("C:\\windows\\x.gkf", completed("x.gkf").c_str());
  EXPECT_EQ("C:\\lang\\x.gkf", completed("\\lang\\x.gkf"));
  EXPECT_EQ("C:x.gkf", completed("C:x.gkf"));
  EXPECT_EQ("D:\\lang\\x.gkf", completed("D:\\lang\\x.gkf"));
  EXPECT_EQ("\\\\server\\x.gkf", completed("\\\\server\\x.gkf"));

  ASSERT_TRUE(SetCurrentDirectoryA("C:\\"));
  char directory[kNameSize];
  ASSERT_EQ(1, GetCurDirSlash(directory));
  EXPECT_STREQ("C:\\", directory) << "a drive root gets no second backslash";
  EXPECT_EQ("C:\\x.gkf", completed("x.gkf"));
}

TEST_F(FileSelection, ANameTooLongToCompleteIsRefusedUnchanged) {
  ASSERT_TRUE(SetCurrentDirectoryA("C:\\windows"));
  std::string name(250, 'n');
  char buffer[kNameSize];
  std::strcpy(buffer, name.c_str());
  EXPECT_EQ(0, CompletePath(buffer));
  EXPECT_EQ(name, std::string(buffer));
}

TEST_F(FileSelection, SettingsComeFromTheUsersFileThenTheWindowsFolders) {
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  const std::string user = std::string(folder) + "tolvar_user\\tolvar.ini";
  const std::string windows = std::string(folder) + "tolvar_windows.ini";
  DeleteFileA(user.c_str());
  RemoveDirectoryA((std::string(folder) + "tolvar_user").c_str());
  DeleteFileA(windows.c_str());

  UseJournalPBH = 1;
  EXPECT_EQ(1, ReadSettings(user.c_str(), windows.c_str()));
  EXPECT_EQ(1, UseJournalPBH) << "no file: the present value";

  WritePrivateProfileStringA("Settings", "UseJournalPBH", "0", windows.c_str());
  EXPECT_EQ(1, ReadSettings(user.c_str(), windows.c_str()));
  EXPECT_EQ(0, UseJournalPBH) << "the Windows folder's value while the user's file has none";
  ASSERT_EQ(1, WriteSettings(user.c_str())) << "the user's folder is made: " << ErrorText;

  UseJournalPBH = 2;
  WriteSettings(user.c_str());
  ReadSettings(user.c_str(), windows.c_str());
  EXPECT_EQ(2, UseJournalPBH) << "the user's value before the Windows folder's";
  DeleteFileA(user.c_str());
  RemoveDirectoryA((std::string(folder) + "tolvar_user").c_str());
  DeleteFileA(windows.c_str());
}

TEST_F(FileSelection, ASettingsValueTolvarDoesNotKnowIsReportedAndRewrittenSound) {
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  const std::string user = std::string(folder) + "tolvar_junk.ini";
  const std::string windows = std::string(folder) + "tolvar_windows_junk.ini";
  WritePrivateProfileStringA("Settings", "Output", "1", windows.c_str());
  const std::string too_long(41, '1');
  const struct {
    const char* send_method;
    const char* output;
  } cases[] = {{"99999999999999999999", "x"}, {"-2", "2"}, {"0x2", "-1"}, {"2abc", too_long.c_str()}};
  for (const auto& c : cases) {
    DeleteFileA(user.c_str());
    WritePrivateProfileStringA("Settings", "UseJournalPBH", c.send_method, user.c_str());
    WritePrivateProfileStringA("Settings", "Output", c.output, user.c_str());
    WritePrivateProfileStringA("Settings", "SuggestWords", "2", user.c_str());
    UseJournalPBH = 1;
    UnicodeOutput = 1;
    SuggestMode = 1;
    EXPECT_EQ(0, ReadSettings(user.c_str(), windows.c_str())) << c.send_method;
    EXPECT_EQ(2, UseJournalPBH) << c.send_method << ": the default send method";
    EXPECT_EQ(0, UnicodeOutput) << c.output << ": the default, not the Windows folder's 1";
    EXPECT_EQ(0, SuggestMode) << "the exact keys, the default";
    const std::string report = ErrorText;
    EXPECT_NE(std::string::npos, report.find(user + ": UseJournalPBH=" + c.send_method + " is not")) << report;
    EXPECT_NE(std::string::npos, report.find(user + ": Output=")) << report;
    EXPECT_NE(std::string::npos, report.find(user + ": SuggestWords=2 is not")) << report;
    EXPECT_EQ('\n', report.back()) << report;
    ASSERT_EQ(1, WriteSettings(user.c_str()));
    char value[64] = "";
    GetPrivateProfileStringA("Settings", "UseJournalPBH", "", value, sizeof value, user.c_str());
    EXPECT_STREQ("2", value) << "rewritten with the sound value";
    GetPrivateProfileStringA("Settings", "Output", "", value, sizeof value, user.c_str());
    EXPECT_STREQ("0", value);
  }
  DeleteFileA(user.c_str());
  DeleteFileA(windows.c_str());
}

TEST_F(FileSelection, ASettingsFileThatCannotBeWrittenIsReportedByName) {
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  // A file where the settings folder should be: the folder cannot be made.
  const std::string blocker = std::string(folder) + "tolvar_blocker";
  HANDLE file = CreateFileA(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  CloseHandle(file);
  const std::string settings = blocker + "\\tolvar.ini";
  EXPECT_EQ(0, WriteSettings(settings.c_str()));
  EXPECT_NE(nullptr, std::strstr(ErrorText, settings.c_str())) << ErrorText;
  DeleteFileA(blocker.c_str());
}
