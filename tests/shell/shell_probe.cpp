// tolvar_shell_probe.exe: drives a running tolvar.exe from another process,
// as a user would, for the shell's script tests. Runs its commands in order
// and prints one line per answer; exits 1 at the first command that fails.
//
//   wait-window SECONDS  wait for the window of class "Tolvar"
//   title                "title: TEXT"
//   wait-box SECONDS     wait for a message box of another process, print
//                        "box: CAPTION|TEXT" (line feeds as \n), press OK
//   no-box SECONDS       fail if a message box comes up within SECONDS
//   click-check          click the panel's check box
//   checked              "checked: 0|1"
//   list-selection       "list: TEXT" of the file list's selected entry
//   top                  "top: CLASS" of the topmost visible window
//   close                close the Tolvar window
//   hold-hook SECONDS    register a window of this process with tvkhook.dll
//                        and set the hook, then wait until the file
//                        "stop-holding" exists in the current directory;
//                        print "hook: 0|1" (whether the hook is still set)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "hook/tvkhook.h"

namespace {

HWND find_tolvar() { return FindWindowA("Tolvar", nullptr); }

HWND find_panel() {
  HWND main = find_tolvar();
  return main ? FindWindowExA(main, nullptr, "#32770", nullptr) : nullptr;
}

struct BoxSearch {
  DWORD own_process;
  HWND box;
};

// A message box: a visible top-level dialog with a caption and the text
// control 0xFFFF, in another process.
BOOL CALLBACK find_box_window(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<BoxSearch*>(data);
  char name[16] = "";
  GetClassNameA(window, name, sizeof name);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search->own_process && std::strcmp(name, "#32770") == 0 && IsWindowVisible(window) &&
      GetWindowTextLengthA(window) > 0 && GetDlgItem(window, 0xFFFF)) {
    search->box = window;
    return FALSE;
  }
  return TRUE;
}

HWND find_box() {
  BoxSearch search{GetCurrentProcessId(), nullptr};
  EnumWindows(find_box_window, reinterpret_cast<LPARAM>(&search));
  return search.box;
}

template <typename Find>
HWND wait_for(Find find, int seconds) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < static_cast<DWORD>(seconds) * 1000) {
    if (HWND found = find()) return found;
    Sleep(50);
  }
  return nullptr;
}

std::string escaped(const char* text) {
  std::string out;
  for (; *text; ++text) {
    if (*text == '\n') {
      out += "\\n";
    } else if (*text != '\r') {
      out += *text;
    }
  }
  return out;
}

LRESULT CALLBACK holder_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

int hold_hook(int seconds) {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = holder_proc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "TolvarProbeHolder";
  RegisterClassA(&window_class);
  HWND window = CreateWindowA("TolvarProbeHolder", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                              window_class.hInstance, nullptr);
  if (InitKBHook(window) != 1 || SetKBHook() != 1) {
    std::printf("hold-hook: could not register and set the hook\n");
    return 0;
  }
  std::printf("holding\n");
  std::fflush(stdout);
  DWORD start = GetTickCount();
  MSG message;
  while (GetFileAttributesA("stop-holding") == INVALID_FILE_ATTRIBUTES &&
         GetTickCount() - start < static_cast<DWORD>(seconds) * 1000) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(50);
  }
  std::printf("hook: %d\n", IsSetKBHook());
  RemoveKBHook();
  return 1;
}

int run(const std::string& command, int argc, char** argv, int* next) {
  auto number = [&]() { return *next < argc ? std::atoi(argv[(*next)++]) : 30; };
  if (command == "wait-window") {
    return wait_for(find_tolvar, number()) != nullptr;
  }
  if (command == "title") {
    char title[300] = "";
    GetWindowTextA(find_tolvar(), title, sizeof title);
    std::printf("title: %s\n", title);
    return 1;
  }
  if (command == "wait-box") {
    HWND box = wait_for(find_box, number());
    if (!box) {
      std::printf("box: none\n");
      return 0;
    }
    Sleep(200);
    char caption[256] = "";
    char text[1100] = "";
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    std::printf("box: %s|%s\n", caption, escaped(text).c_str());
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    wait_for([box]() -> HWND { return IsWindow(box) ? nullptr : box; }, 10);
    return 1;
  }
  if (command == "no-box") {
    HWND box = wait_for(find_box, number());
    if (box) {
      char text[1100] = "";
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
      std::printf("unexpected box: %s\n", escaped(text).c_str());
    }
    return box == nullptr;
  }
  if (command == "click-check") {
    return PostMessageA(GetDlgItem(find_panel(), 1001), BM_CLICK, 0, 0);
  }
  if (command == "checked") {
    std::printf("checked: %d\n", IsDlgButtonChecked(find_panel(), 1001) == BST_CHECKED ? 1 : 0);
    return 1;
  }
  if (command == "list-selection") {
    // The ANSI form hands only the first character across processes.
    HWND list = GetDlgItem(find_panel(), 1027);
    LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
    wchar_t text[300] = L"";
    if (index != CB_ERR) SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
    std::printf("list: %ls\n", index == CB_ERR ? L"<nothing selected>" : text);
    return 1;
  }
  if (command == "top") {
    HWND window = GetTopWindow(nullptr);
    while (window && !IsWindowVisible(window)) window = GetWindow(window, GW_HWNDNEXT);
    char name[64] = "";
    if (window) GetClassNameA(window, name, sizeof name);
    std::printf("top: %s\n", name);
    return 1;
  }
  if (command == "close") {
    return PostMessageA(find_tolvar(), WM_CLOSE, 0, 0);
  }
  if (command == "hold-hook") {
    return hold_hook(number());
  }
  std::printf("unknown command %s\n", command.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int next = 1;
  while (next < argc) {
    std::string command = argv[next++];
    int ok = run(command, argc, argv, &next);
    std::fflush(stdout);
    if (!ok) {
      std::printf("failed: %s\n", command.c_str());
      return 1;
    }
  }
  return 0;
}
