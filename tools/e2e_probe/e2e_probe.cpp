// e2e_probe: what the end-to-end scripts cannot see or do from the X side.
// Wine draws child windows and menus itself, so the check box has no X
// window of its own and the menu bar cannot be driven from another process;
// this probe answers from inside Wine. Commands run in the order given:
//
//   checkbox        "checkbox X Y": screen point of the square of the
//                   "Enable Indian Keyboard" check box, for a real click
//                   with xdotool (the splash may still cover its label)
//   checked         "checked N": the check box state (0 or 1)
//   title           "title TEXT": Tolvar's window title
//   command ID      post WM_COMMAND ID to Tolvar, as its menu item does
//   tray left|right a click on Tolvar's notification-area icon (its
//                   callback message), as the shell posts it
//   wait-box SECS   "box CAPTION|TEXT" for the first message box Tolvar shows
//                   within SECS seconds, "box none" when none shows
//   box-ok          press OK on that message box
//   close           close Tolvar's window, as its system menu's Close does
//   typepad dump    make typepad write its text and key log (returns when
//                   both are written)
//   typepad clear   make typepad forget its text and key log
//   typepad close   close typepad (it writes both first)
//   pad TITLE dump|clear|close
//                   the same for the typepad titled TITLE, where several run
//   move-pad TITLE X Y
//                   move that typepad's window; Wine places a window only
//                   where it moved it itself (a click finds it there)
//   key-scan0 VK    press and release the key VK (hex) with scan code 0, as
//                   touch keyboards, remappers and scripts may
//   clipboard       "clipboard HEX...": the clipboard's text in the ANSI code
//                   page, as lower-case hex pairs
//   acp             "acp N": the ANSI code page this process runs with
//   candidates      "candidates SHOWN X Y W H": Tolvar's candidate window of
//                   Suggest words (SHOWN 0 or 1, and its screen rectangle)
//   caret TITLE     "caret X Y H": the caret of the typepad titled TITLE on
//                   the screen (its line's height H)
//   clock           for every line read on standard input, print
//                   "QPC_US TICK_MS" (typepad's two clocks) at once
//
// Exit status 0, or 1 when a window the command needs is not there.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/resource_ids.h"
#include "shell/tray_icon.h"

namespace {

constexpr UINT kTypepadDump = WM_APP + 1;
constexpr UINT kTypepadClear = WM_APP + 2;
constexpr char kDialogClass[] = "#32770";

HWND tolvar_window() { return FindWindowA("Tolvar", nullptr); }

HWND tolvar_panel() {
  HWND main_window = tolvar_window();
  if (main_window == nullptr) return nullptr;
  return FindWindowExA(main_window, nullptr, kDialogClass, nullptr);
}

HWND tolvar_check_box() {
  HWND panel = tolvar_panel();
  return panel == nullptr ? nullptr : GetDlgItem(panel, IDC_KEYBOARD_CHECK);
}

struct BoxSearch {
  DWORD process;
  HWND box;
};

BOOL CALLBACK find_box(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<BoxSearch*>(lparam);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char class_name[16];
  if (process != search->process || !IsWindowVisible(window) ||
      (GetWindowLongA(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION ||
      GetClassNameA(window, class_name, sizeof class_name) == 0 ||
      std::strcmp(class_name, kDialogClass) != 0)
    return TRUE;
  search->box = window;
  return FALSE;
}

// A visible top-level dialog with a caption in Tolvar's process: one of its
// message boxes (the panel is a child window, the splash has no caption).
HWND tolvar_message_box() {
  HWND main_window = tolvar_window();
  if (main_window == nullptr) return nullptr;
  BoxSearch search{0, nullptr};
  GetWindowThreadProcessId(main_window, &search.process);
  EnumWindows(find_box, reinterpret_cast<LPARAM>(&search));
  return search.box;
}

// The static control of a message box that holds its text (id 0xFFFF).
void box_text(HWND box, char* text, int size) {
  text[0] = '\0';
  HWND label = GetDlgItem(box, 0xFFFF);
  if (label != nullptr) GetWindowTextA(label, text, size);
}

int missing(const char* what) {
  std::printf("no %s window\n", what);
  return 0;
}

int show_check_box() {
  HWND box = tolvar_check_box();
  if (box == nullptr) return missing("check box");
  RECT area;
  GetWindowRect(box, &area);
  const long square = GetSystemMetrics(SM_CXMENUCHECK);
  std::printf("checkbox %ld %ld\n", area.left + square / 2 + 1, (area.top + area.bottom) / 2);
  return 1;
}

int show_checked() {
  HWND panel = tolvar_panel();
  if (panel == nullptr) return missing("Tolvar panel");
  std::printf("checked %u\n", IsDlgButtonChecked(panel, IDC_KEYBOARD_CHECK));
  return 1;
}

int show_title() {
  HWND main_window = tolvar_window();
  if (main_window == nullptr) return missing("Tolvar");
  char title[256];
  GetWindowTextA(main_window, title, sizeof title);
  std::printf("title %s\n", title);
  return 1;
}

int post_command(const char* id) {
  HWND main_window = tolvar_window();
  if (main_window == nullptr) return missing("Tolvar");
  PostMessageA(main_window, WM_COMMAND, static_cast<WPARAM>(std::strtoul(id, nullptr, 0)), 0);
  return 1;
}

// A click on the notification-area icon, as the shell reports it.
int click_tray_icon(const char* button) {
  HWND main_window = tolvar_window();
  if (main_window == nullptr) return missing("Tolvar");
  const UINT mouse_message = std::strcmp(button, "right") == 0 ? WM_RBUTTONUP : WM_LBUTTONUP;
  PostMessageA(main_window, kMsgTrayIcon, 1, mouse_message);
  return 1;
}

int wait_box(const char* seconds) {
  const DWORD limit = static_cast<DWORD>(std::atof(seconds) * 1000);
  const DWORD start = GetTickCount();
  for (;;) {
    HWND box = tolvar_message_box();
    if (box != nullptr) {
      char caption[128];
      char text[512];
      GetWindowTextA(box, caption, sizeof caption);
      box_text(box, text, sizeof text);
      std::printf("box %s|%s\n", caption, text);
      return 1;
    }
    if (GetTickCount() - start >= limit) break;
    Sleep(50);
  }
  std::printf("box none\n");
  return 1;
}

int press_box_ok() {
  HWND box = tolvar_message_box();
  if (box == nullptr) return missing("message box");
  PostMessageA(box, WM_COMMAND, IDOK, 0);
  return 1;
}

int close_tolvar() {
  HWND main_window = tolvar_window();
  if (main_window == nullptr) return missing("Tolvar");
  PostMessageA(main_window, WM_CLOSE, 0, 0);
  return 1;
}

// `title` picks one typepad where several run (null: any).
int typepad_action(const char* action, const char* title) {
  HWND pad = FindWindowA("TypePad", title);
  if (pad == nullptr) return missing("typepad");
  if (std::strcmp(action, "dump") == 0) {
    SendMessageA(pad, kTypepadDump, 0, 0);
  } else if (std::strcmp(action, "clear") == 0) {
    SendMessageA(pad, kTypepadClear, 0, 0);
  } else if (std::strcmp(action, "close") == 0) {
    PostMessageA(pad, WM_CLOSE, 0, 0);
  } else {
    std::printf("unknown typepad action %s\n", action);
    return 0;
  }
  return 1;
}

int move_typepad(const char* title, const char* x, const char* y) {
  HWND pad = FindWindowA("TypePad", title);
  if (pad == nullptr) return missing("typepad");
  return SetWindowPos(pad, nullptr, std::atoi(x), std::atoi(y), 0, 0,
                      SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != 0;
}

int show_candidates() {
  HWND window = FindWindowW(L"TolvarCandidates", nullptr);
  if (window == nullptr) return missing("candidate window");
  RECT rect;
  GetWindowRect(window, &rect);
  std::printf("candidates %d %ld %ld %ld %ld\n", IsWindowVisible(window) ? 1 : 0, rect.left, rect.top,
              rect.right - rect.left, rect.bottom - rect.top);
  return 1;
}

int show_caret(const char* title) {
  HWND pad = FindWindowA("TypePad", title);
  if (pad == nullptr) return missing("typepad");
  GUITHREADINFO info = {};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(pad, nullptr), &info) || info.hwndCaret == nullptr)
    return missing("caret");
  POINT point = {info.rcCaret.left, info.rcCaret.top};
  ClientToScreen(info.hwndCaret, &point);
  std::printf("caret %ld %ld %ld\n", point.x, point.y, info.rcCaret.bottom - info.rcCaret.top);
  return 1;
}

int type_scan0_key(const char* key) {
  INPUT events[2] = {};
  for (int i = 0; i < 2; ++i) {
    events[i].type = INPUT_KEYBOARD;
    events[i].ki.wVk = static_cast<WORD>(std::strtoul(key, nullptr, 16));
    events[i].ki.dwFlags = i == 0 ? 0 : KEYEVENTF_KEYUP;
  }
  return SendInput(2, events, sizeof(INPUT)) == 2;
}

int show_clipboard() {
  if (!OpenClipboard(nullptr)) return missing("clipboard");
  std::printf("clipboard");
  const HANDLE data = GetClipboardData(CF_TEXT);
  const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
  for (const char* p = text; p && *p; ++p) std::printf(" %02x", static_cast<unsigned char>(*p));
  std::printf("\n");
  if (text) GlobalUnlock(data);
  CloseClipboard();
  return 1;
}

// The same microseconds typepad computes for its log.
std::uint64_t counter_microseconds(const LARGE_INTEGER& frequency) {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  const std::uint64_t ticks = static_cast<std::uint64_t>(counter.QuadPart);
  const std::uint64_t rate = static_cast<std::uint64_t>(frequency.QuadPart);
  return ticks / rate * 1000000 + ticks % rate * 1000000 / rate;
}

int answer_clock() {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  char line[64];
  while (std::fgets(line, sizeof line, stdin) != nullptr) {
    const std::uint64_t counter_us = counter_microseconds(frequency);
    std::printf("%llu %lu\n", static_cast<unsigned long long>(counter_us), GetTickCount());
    std::fflush(stdout);
  }
  return 1;
}

int usage() {
  std::fprintf(stderr,
               "usage: e2e_probe [checkbox | checked | title | command ID | wait-box SECS |\n"
               "                  tray left|right | box-ok | close | typepad dump|clear|close |\n"
               "                  pad TITLE dump|clear|close | move-pad TITLE X Y | key-scan0 VK | "
               "candidates | caret TITLE | clipboard | acp | clock]...\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  for (int i = 1; i < argc; ++i) {
    const char* command = argv[i];
    const bool has_value = i + 1 < argc;
    int ok = 0;
    if (std::strcmp(command, "checkbox") == 0) {
      ok = show_check_box();
    } else if (std::strcmp(command, "checked") == 0) {
      ok = show_checked();
    } else if (std::strcmp(command, "title") == 0) {
      ok = show_title();
    } else if (std::strcmp(command, "command") == 0 && has_value) {
      ok = post_command(argv[++i]);
    } else if (std::strcmp(command, "tray") == 0 && has_value) {
      ok = click_tray_icon(argv[++i]);
    } else if (std::strcmp(command, "wait-box") == 0 && has_value) {
      ok = wait_box(argv[++i]);
    } else if (std::strcmp(command, "box-ok") == 0) {
      ok = press_box_ok();
    } else if (std::strcmp(command, "close") == 0) {
      ok = close_tolvar();
    } else if (std::strcmp(command, "typepad") == 0 && has_value) {
      ok = typepad_action(argv[++i], nullptr);
    } else if (std::strcmp(command, "pad") == 0 && i + 2 < argc) {
      ok = typepad_action(argv[i + 2], argv[i + 1]);
      i += 2;
    } else if (std::strcmp(command, "move-pad") == 0 && i + 3 < argc) {
      ok = move_typepad(argv[i + 1], argv[i + 2], argv[i + 3]);
      i += 3;
    } else if (std::strcmp(command, "key-scan0") == 0 && has_value) {
      ok = type_scan0_key(argv[++i]);
    } else if (std::strcmp(command, "candidates") == 0) {
      ok = show_candidates();
    } else if (std::strcmp(command, "caret") == 0 && has_value) {
      ok = show_caret(argv[++i]);
    } else if (std::strcmp(command, "clipboard") == 0) {
      ok = show_clipboard();
    } else if (std::strcmp(command, "acp") == 0) {
      std::printf("acp %u\n", GetACP());
      ok = 1;
    } else if (std::strcmp(command, "clock") == 0) {
      ok = answer_clock();
    } else {
      return usage();
    }
    std::fflush(stdout);
    if (!ok) return 1;
  }
  return 0;
}
