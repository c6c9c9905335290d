// The state that the shell's windows, menus, status display and file
// selection share. One user-interface thread touches it.
#pragma once
#include <windows.h>

#include "shell/hook_messages.h"
#include "shell/status_text.h"

extern HINSTANCE Instance;
extern HWND MainWindow;
extern HWND Panel;
extern HWND Splash;
extern HMENU SystemMenu;
extern HICON OffIcon;
extern HICON OnIcon;
extern HICON StatusIcon;
extern HCURSOR WaitCursor;
// Full path of the language file in force, or kNotLoaded.
extern char CurrentFileName[kNameSize];

// Shows a task-modal message box (every box of the shell is one).
int ShowBox(HWND owner, const char* text, const char* caption, UINT icon);
