#include "tests/shell/shell_window_support.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <set>
#include <thread>

#include "core/error_text.h"
#include "core/language_tables.h"
#include "core/letter_composer.h"
#include "core/ucode_table.h"
#include "hook/tvkhook.h"
#include "langunit/language_unit.h"
#include "shell/hook_messages.h"
#include "shell/main_window.h"
#include "shell/shell_state.h"
#include "shell/startup.h"
#include "shell/status_display.h"

namespace {

void create_once() {
  static bool created = false;
  if (created) return;
  created = true;
  HINSTANCE instance = GetModuleHandleA(nullptr);
  ASSERT_TRUE(LoadStatusIcons(instance)) << "icons 101 and 102 are in the test program's resources";
  ASSERT_TRUE(RegisterTolvarClass(instance));
  ASSERT_TRUE(CreateMainWindows());
  ASSERT_NE(nullptr, Panel) << "the panel dialog \"MainDialog\" was created";
  ASSERT_EQ(1, InitKBHook(MainWindow)) << "the hook library accepts the first window";
  ShowWindow(MainWindow, SW_SHOWNA);
  ShowWindow(Panel, SW_SHOWNA);
  ucode_init();
  WaitCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32514));
}

struct FoundWindows {
  DWORD process;
  std::vector<HWND> windows;
};

BOOL CALLBACK collect_dialog(HWND window, LPARAM data) {
  auto* found = reinterpret_cast<FoundWindows*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  if (process == found->process && std::strcmp(name, "#32770") == 0 && window != Splash &&
      IsWindowVisible(window)) {
    found->windows.push_back(window);
  }
  return TRUE;
}

}  // namespace

void ResetShellWindows() {
  create_once();
  KBHookTolvarOFF();
  SetKBToggleALTChar(0);
  RemoveKBHook();
  std::strcpy(CurrentFileName, kNotLoaded);
  UseJournalPBH = 1;
  letter_reset();
  ShowWindow(MainWindow, SW_SHOWNOACTIVATE);
  UpdateStatus(0);
  ModifyMenuA(SystemMenu, 2, MF_BYCOMMAND | MF_STRING, 2, "Enable &ALT+F2 Toggle");
  ModifyMenuA(GetMenu(MainWindow), 106, MF_BYCOMMAND | MF_STRING, 106, "Enable &ALT+F2 Toggle");
  MarkSendMethod(1, 0);
}

std::string TestDataFolder() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof path);
  char* slash = std::strrchr(path, '\\');
  if (slash) slash[1] = '\0';
  return std::string(path) + "shell_test_data\\";
}

void LoadTestLanguage(const char* file_name) {
  std::string path = TestDataFolder() + file_name;
  ASSERT_TRUE(load_language_unit(path.c_str())) << ErrorText;
  std::strcpy(CurrentFileName, path.c_str());
}

std::vector<ShownBox> AnswerBoxes(const std::function<void()>& action,
                                  const std::function<void(HWND)>& respond) {
  std::vector<ShownBox> boxes;
  std::atomic<bool> done{false};
  std::thread watcher([&] {
    std::set<HWND> answered;
    HWND last = nullptr;
    DWORD last_time = 0;
    while (!done) {
      // A dialog the response did not close is cancelled, so a failing
      // test ends instead of waiting on it.
      if (last && IsWindow(last) && GetTickCount() - last_time > 10000) {
        PostMessageA(last, WM_COMMAND, IDCANCEL, 0);
        last = nullptr;
      }
      FoundWindows found{GetCurrentProcessId(), {}};
      EnumWindows(collect_dialog, reinterpret_cast<LPARAM>(&found));
      for (HWND box : found.windows) {
        if (answered.count(box)) continue;
        answered.insert(box);
        last = box;
        last_time = GetTickCount();
        ShownBox shown;
        char text[1100] = "";
        GetWindowTextA(box, text, sizeof text);
        shown.caption = text;
        text[0] = '\0';
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        shown.text = text;
        boxes.push_back(shown);
        if (respond) {
          respond(box);
        } else {
          PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
      }
      Sleep(20);
    }
  });
  action();
  done = true;
  watcher.join();
  return boxes;
}

std::string MenuText(HMENU menu, UINT command) {
  char text[128];
  if (GetMenuStringA(menu, command, text, sizeof text, MF_BYCOMMAND) <= 0) return "<none>";
  return text;
}

bool MenuChecked(HMENU menu, UINT command) {
  return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

std::string WindowTitle(HWND window) {
  char title[300] = "";
  GetWindowTextA(window, title, sizeof title);
  return title;
}

void PumpMessages(DWORD milliseconds) {
  DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start < milliseconds) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(10);
  }
}
