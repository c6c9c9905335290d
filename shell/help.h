// Help > Contents. The WinHelp file "tolvhelp.hlp" is used when it lies
// beside the program; otherwise the HTML page "tolvar.html" that ships with
// Tolvar opens in the user's browser (current Windows has no WinHelp viewer).
#pragma once
#include <windows.h>

constexpr char kWinHelpFile[] = "tolvhelp.hlp";
constexpr char kHelpPage[] = "tolvar.html";

// Opens the help; the help page, or the .hlp contents.
void ShowHelpContents(HWND window);
// Closes the WinHelp window at exit, when the .hlp is the one in use
// (WinHelp with a missing file would wait on its own error box).
void CloseHelp(HWND window);
// Path of `file_name` in the program's folder, into `out` (kNameSize); 0 = no room.
int PathBesideProgram(const char* file_name, char* out);
