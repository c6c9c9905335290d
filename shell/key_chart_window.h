// The key chart window (Help > Key chart, and the tray's menu): the letters
// of the language in force, each with the keys that type it, in a grid that
// fits the screen. One window only; it follows the language while open and
// closes with Escape or its close box. The chart is made on the main thread
// when the window opens or the language changes (making it ends the letter
// in progress); painting reads the stored chart.
#pragma once
#include <windows.h>

// Opens the window, or brings the open one to the front. Without a
// language in force a box says why and nothing opens.
void ShowKeyChart();
// A language was put in force: the open window shows its chart and name.
void RefreshKeyChart();
// The window, or null while none is open (for tests).
HWND KeyChartWindow();
