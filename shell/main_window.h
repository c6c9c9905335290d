// The main window of class "Tolvar", its control panel and the splash window.
#pragma once
#include <windows.h>

#include "shell/hook_messages.h"

constexpr char kWindowClass[] = "Tolvar";
constexpr UINT_PTR kSplashTimer = 1;
constexpr UINT kSplashMilliseconds = 5000;

// The calls the hook's entries are handled with: tvkhook.dll, the status
// display and the word suggestions.
extern const HookMessageOps HookLibraryOps;

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK PanelDlgProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SplashDlgProc(HWND splash, UINT message, WPARAM wParam, LPARAM lParam);
