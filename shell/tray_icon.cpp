#include "shell/tray_icon.h"

#include <shellapi.h>

#include <cstdio>
#include <initializer_list>

#include "hook/tvkhook.h"
#include "shell/language_menu.h"
#include "shell/resource_ids.h"
#include "shell/shell_state.h"
#include "shell/status_display.h"

UINT TaskbarCreatedMessage = 0;

namespace {

constexpr UINT kTrayIconId = 1;

NOTIFYICONDATAA icon_data(UINT flags) {
  NOTIFYICONDATAA data = {};
  data.cbSize = sizeof data;
  data.hWnd = MainWindow;
  data.uID = kTrayIconId;
  data.uFlags = flags;
  return data;
}

void fill_state(NOTIFYICONDATAA* data, HICON icon, const char* tip) {
  data->hIcon = icon;
  std::snprintf(data->szTip, sizeof data->szTip, "%s", tip);
}

// An item whose text or check mark changes, as the main menu shows it now.
void append_as_in_main_menu(HMENU tray, HMENU main_menu, UINT command) {
  char text[80] = "";
  GetMenuStringA(main_menu, command, text, sizeof text, MF_BYCOMMAND);
  const UINT checked = GetMenuState(main_menu, command, MF_BYCOMMAND) & MF_CHECKED;
  AppendMenuA(tray, MF_STRING | checked, command, text);
}

void show_menu() {
  HMENU menu = MakeTrayMenu();
  if (!menu) return;
  POINT point;
  GetCursorPos(&point);
  // Without the foreground the menu would not close on a click elsewhere.
  SetForegroundWindow(MainWindow);
  const UINT command = static_cast<UINT>(TrackPopupMenu(
      menu, TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, point.x, point.y, 0, MainWindow, nullptr));
  PostMessageA(MainWindow, WM_NULL, 0, 0);
  DestroyMenu(menu);
  if (command != 0) SendMessageA(MainWindow, WM_COMMAND, command, 0);
}

}  // namespace

int AddTrayIcon() {
  if (TaskbarCreatedMessage == 0) TaskbarCreatedMessage = RegisterWindowMessageA("TaskbarCreated");
  NOTIFYICONDATAA data = icon_data(NIF_ICON | NIF_TIP | NIF_MESSAGE);
  data.uCallbackMessage = kMsgTrayIcon;
  char title[128];
  GetWindowTextA(MainWindow, title, sizeof title);
  fill_state(&data, StatusIcon ? StatusIcon : OffIcon, title);
  return Shell_NotifyIconA(NIM_ADD, &data) != FALSE;
}

void UpdateTrayIcon(HICON icon, const char* tip) {
  NOTIFYICONDATAA data = icon_data(NIF_ICON | NIF_TIP);
  fill_state(&data, icon, tip);
  Shell_NotifyIconA(NIM_MODIFY, &data);
}

void ShowTrayBalloon(const char* title, const char* text) {
  NOTIFYICONDATAA data = icon_data(NIF_INFO);
  std::snprintf(data.szInfoTitle, sizeof data.szInfoTitle, "%s", title);
  std::snprintf(data.szInfo, sizeof data.szInfo, "%s", text);
  data.dwInfoFlags = NIIF_WARNING;
  Shell_NotifyIconA(NIM_MODIFY, &data);
}

void RemoveTrayIcon() {
  NOTIFYICONDATAA data = icon_data(0);
  Shell_NotifyIconA(NIM_DELETE, &data);
}

void OnTrayIconMessage(LPARAM mouse_message) {
  switch (static_cast<UINT>(mouse_message)) {
    case WM_LBUTTONUP:
      UpdateStatus(1);
      break;
    case WM_RBUTTONUP:
      show_menu();
      break;
    default:
      break;
  }
}

HMENU MakeTrayMenu() {
  HMENU main_menu = GetMenu(MainWindow);
  HMENU menu = CreatePopupMenu();
  HMENU outputs = CreatePopupMenu();
  HMENU send_methods = CreatePopupMenu();
  if (!menu || !outputs || !send_methods) {
    for (HMENU made : {menu, outputs, send_methods}) {
      if (made) DestroyMenu(made);
    }
    return nullptr;
  }
  AppendMenuA(menu, MF_STRING | (IsKBHookTolvarON() ? MF_CHECKED : MF_UNCHECKED), IDM_KEYBOARD_SWITCH,
              "&Enable Indian Keyboard");
  append_as_in_main_menu(menu, main_menu, IDM_ALT_F2_TOGGLE);
  append_as_in_main_menu(menu, main_menu, IDM_SUGGEST_WORDS);
  for (UINT command : {IDM_USE_JOURNAL, IDM_USE_KEYBD_EVENT, IDM_USE_UNICODE_INPUT}) {
    append_as_in_main_menu(send_methods, main_menu, command);
  }
  for (UINT command : {IDM_OUTPUT_FONT_CODES, IDM_OUTPUT_UNICODE}) {
    append_as_in_main_menu(outputs, main_menu, command);
  }
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(outputs), "&Output");
  AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(send_methods), "Advanced");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  HMENU languages = CreatePopupMenu();
  if (languages) AppendLanguageItems(languages);
  if (languages) AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(languages), "Lan&guage");
  AppendMenuA(menu, MF_STRING, IDM_LOAD_LANGUAGE, "Load &Language File...");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  append_as_in_main_menu(menu, main_menu, IDM_KEY_CHART);
  AppendMenuA(menu, MF_STRING, IDM_HELP_CONTENTS, "&Help");
  AppendMenuA(menu, MF_STRING, IDM_ABOUT, "&About TOLVAR...");
  AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(menu, MF_STRING, IDM_EXIT, "E&xit");
  return menu;
}
