// The icon in the notification area: since Windows 7 a minimised window is
// only a taskbar button, so the keyboard's state and switch live here too.
// The icon and tooltip follow the window's icon and title; a left click
// switches the keyboard as the check box does, a right click opens a menu of
// the main menu's items in their present state.
#pragma once
#include <windows.h>

// The icon's mouse messages: lParam is the mouse message (WM_LBUTTONUP...).
constexpr UINT kMsgTrayIcon = WM_APP + 10;

// Sent to every top-level window when Explorer (re)creates the taskbar; 0
// until AddTrayIcon first ran.
extern UINT TaskbarCreatedMessage;

// Adds the icon with the present state. 0 when the shell has no notification
// area now; TaskbarCreatedMessage brings the next try.
int AddTrayIcon();
// The icon and tooltip of the state the window shows.
void UpdateTrayIcon(HICON icon, const char* tip);
void RemoveTrayIcon();
// A balloon (a notification on current Windows) from the icon.
void ShowTrayBalloon(const char* title, const char* text);
// One of the icon's mouse messages.
void OnTrayIconMessage(LPARAM mouse_message);
// The icon's menu, with the texts and check marks the main menu has now;
// the caller destroys it.
HMENU MakeTrayMenu();
