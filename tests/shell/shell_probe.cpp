// tolvar_shell_probe.exe: drives a running tolvar.exe from another process,
// as a user would, for the shell's script tests. Runs its commands in order
// and prints one line per answer; exits 1 at the first command that fails.
// Every wait is bounded.
//
//   wait-ready SECONDS   wait until the window of class "Tolvar" has finished
//                        start-up (its file list is filled) or shows a box
//   title                "title: TEXT"
//   wait-box SECONDS     wait for a message box of another process, print
//                        "box: CAPTION|TEXT" (line feeds as \n), press OK
//   no-box               fail if a message box of another process is up
//   click-check          click the panel's check box (its BN_CLICKED) and wait
//                        until the box changes state or a message box is up
//   checked              "checked: 0|1"
//   list-selection       "list: TEXT" of the file list's selected entry
//   top                  "top: CLASS" of the topmost visible window, and
//                        "splash: 0|1" (whether the splash is still up)
//   close                close the Tolvar window
//   hold-hook SECONDS    register a window of this process with tvkhook.dll
//                        and set the hook, print "holding", then wait until
//                        the file "stop-holding" exists in the current
//                        directory; print "hook: 0|1" (whether the hook is
//                        still set)
//   sink SECONDS         wait for the splash, then put the Tolvar window
//                        below every other window
//   restore              restore the Tolvar window as its caption button does
//                        (WM_SYSCOMMAND SC_RESTORE) and wait until it is handled
//   panel-state          "iconic: 0|1" of the Tolvar window, then "panel:
//                        visible V iconic I fills F" of its panel (F: the
//                        panel's rectangle is the window's client area)
#include <fcntl.h>
#include <io.h>
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
  if (process != search->own_process && std::strcmp(name, "#32770") == 0 &&
      IsWindowVisible(window) && GetWindowTextLengthA(window) > 0 && GetDlgItem(window, 0xFFFF)) {
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

HWND make_holder_window() {
  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = holder_proc;
  window_class.hInstance = GetModuleHandleA(nullptr);
  window_class.lpszClassName = "TolvarProbeHolder";
  RegisterClassA(&window_class);
  return CreateWindowA("TolvarProbeHolder", "", 0, 0, 0, 0, 0, nullptr, nullptr,
                       window_class.hInstance, nullptr);
}

// Serves this process's messages until "stop-holding" exists or time is up.
void hold_until_told(int seconds) {
  std::printf("%s\n", "holding");
  std::fflush(stdout);
  DWORD start = GetTickCount();
  MSG message;
  while (GetFileAttributesA("stop-holding") == INVALID_FILE_ATTRIBUTES &&
         GetTickCount() - start < static_cast<DWORD>(seconds) * 1000) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(20);
  }
}

int hold_hook(int seconds) {
  HWND window = make_holder_window();
  if (InitKBHook(window) != 1 || SetKBHook() != 1) {
    std::printf("hold-hook: could not register and set the hook\n");
    return 0;
  }
  hold_until_told(seconds);
  std::printf("hook: %d\n", IsSetKBHook());
  RemoveKBHook();
  return 1;
}

// Tolvar's splash: a visible captionless dialog of the Tolvar process.
HWND find_splash() {
  HWND main = find_tolvar();
  DWORD tolvar_process = 0;
  if (!main) return nullptr;
  GetWindowThreadProcessId(main, &tolvar_process);
  for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == tolvar_process && std::strcmp(name, "#32770") == 0 && IsWindowVisible(window) &&
        GetParent(window) == nullptr && GetWindowTextLengthA(window) == 0) {
      return window;
    }
  }
  return nullptr;
}

int sink(int seconds) {
  if (!wait_for(find_splash, seconds)) return 0;
  return SetWindowPos(find_tolvar(), HWND_BOTTOM, 0, 0, 0, 0,
                      SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// Returns once the window's thread has taken every message sent or posted
// before this call: a sent message is answered only from a message loop (the
// program's own or a box's), and it is answered before the posted messages
// that wait with it, so the second one waits for those. 0 = no answer.
int wait_handled(HWND window) {
  DWORD_PTR result = 0;
  for (int i = 0; i < 2; ++i) {
    if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result)) return 0;
  }
  return 1;
}

int file_list_filled() {
  return SendMessageA(GetDlgItem(find_panel(), 1027), CB_GETCOUNT, 0, 0) > 0;
}

int wait_ready(int seconds) {
  HWND window = wait_for(find_tolvar, seconds);
  if (!window) return 0;
  // DisplayFiles, the last step of start-up, fills the file list; once it is
  // filled, an answered message means the message loop has been reached.
  return wait_for(
             [window]() -> HWND {
               if (find_box()) return window;
               return file_list_filled() && wait_handled(window) ? window : nullptr;
             },
             seconds) != nullptr;
}

void print_panel_state() {
  HWND main = find_tolvar();
  HWND panel = find_panel();
  RECT client = {};
  RECT panel_rect = {};
  GetClientRect(main, &client);
  MapWindowPoints(main, nullptr, reinterpret_cast<POINT*>(&client), 2);
  GetWindowRect(panel, &panel_rect);
  std::printf("iconic: %d\n", IsIconic(main) ? 1 : 0);
  std::printf("panel: visible %d iconic %d fills %d\n", IsWindowVisible(panel) ? 1 : 0,
              IsIconic(panel) ? 1 : 0, EqualRect(&client, &panel_rect) ? 1 : 0);
}

int run(const std::string& command, int argc, char** argv, int* next) {
  auto number = [&]() { return *next < argc ? std::atoi(argv[(*next)++]) : 30; };
  if (command == "wait-ready") {
    return wait_ready(number());
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
    char caption[256] = "";
    char text[1100] = "";
    GetWindowTextA(box, caption, sizeof caption);
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    std::printf("box: %s|%s\n", caption, escaped(text).c_str());
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    if (!wait_for([box]() -> HWND { return IsWindow(box) ? nullptr : box; }, 10)) {
      std::printf("the box did not close\n");
      return 0;
    }
    return 1;
  }
  if (command == "no-box") {
    HWND box = find_box();
    if (box) {
      char text[1100] = "";
      GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
      std::printf("unexpected box: %s\n", escaped(text).c_str());
    }
    return box == nullptr;
  }
  if (command == "click-check") {
    HWND window = find_tolvar();
    // What the check box tells the panel on a click. BM_CLICK replays the
    // mouse on the button, and under Wine that did not always end in a click
    // while the window was not in the foreground (seen in full suite runs).
    HWND panel = find_panel();
    const UINT before = IsDlgButtonChecked(panel, 1001);
    if (!PostMessageA(panel, WM_COMMAND, MAKEWPARAM(1001, BN_CLICKED),
                      reinterpret_cast<LPARAM>(GetDlgItem(panel, 1001)))) {
      return 0;
    }
    // An answered WM_NULL is no proof: sent messages can be answered before
    // the check box is set. A click ends in the other state or in a box.
    return wait_for(
               [panel, window, before]() -> HWND {
                 if (find_box()) return window;
                 return IsDlgButtonChecked(panel, 1001) != before ? window : nullptr;
               },
               10) != nullptr &&
           wait_handled(window);
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
    std::printf("splash: %d\n", find_splash() != nullptr);
    return 1;
  }
  if (command == "sink") {
    return sink(number());
  }
  if (command == "restore") {
    HWND window = find_tolvar();
    // Sent, not posted: a sent WM_NULL is handled before posted messages, so
    // waiting on one would not wait for a posted restore.
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_NORMAL, 10000, &result) &&
           wait_handled(window);
  }
  if (command == "panel-state") {
    if (!find_panel()) return 0;
    print_panel_state();
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
  // Plain line feeds: the scripts compare whole lines.
  _setmode(_fileno(stdout), _O_BINARY);
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
