// The program's start-up and shut-down, step by step; WinMain runs them in
// order and tests run the ones they need.
#pragma once
#include <windows.h>

// Another copy's window, or null. A previous-instance argument counts too.
int AnotherCopyRuns(HINSTANCE previous, HWND* other_window);
// Icons 101 and 102 into the shell state; 0 when either is missing.
int LoadStatusIcons(HINSTANCE instance);
// Registers the window class "Tolvar"; 0 on failure.
int RegisterTolvarClass(HINSTANCE instance);
// Main window, panel and system menu items, placed at (100, 100).
int CreateMainWindows();
// Starts the splash timer and, only with it, the splash window.
void ShowSplash();
// Shows the main window without activating it.
void ShowWithoutActivating();
// Registers the main window with the hook library. 1 = registered; otherwise
// the error box is shown and quit code 1 is posted.
int RegisterWithHookLibrary();
// The settings from the user's file, or the Windows folder's where it has none.
void LoadSettings();
// The shipped languages listed; the language chosen in the settings, or the
// default file "Vedrokan.gkf" from the current directory, under the wait cursor.
void LoadDefaultLanguage();
// Returns the quit code.
int RunMessageLoop();
// Removes the hook only when this copy registered with the library. Saves
// the settings and says so in a box when they could not be saved.
void ShutDown(int registered);
