// The keyboard switch and everything that shows its state: check box, window
// title, system menu, panel and window icons; the ALT+F2 toggle key and the
// send-method marks.
#pragma once
#include <windows.h>

// Switches the keyboard when `toggle` is non-zero, then re-reads the hook
// library and brings every display in line with it.
void UpdateStatus(int toggle);
// Flips the ALT+F2 toggle key; 1 when it has just been set, 0 when cleared.
int SwitchAltF2Toggle(int announce);
// Check mark on the item of the send method (a value of UseJournalPBH); the
// message when asked.
void MarkSendMethod(int sendMethod, int announce);
// Unicode output when `unicode` is non-zero and the language in force has an
// encoding table; otherwise font codes, and a box says why when Unicode was
// asked for. A change ends the letter. Marks the Output menu; returns
// UnicodeOutput.
int ChooseOutput(int unicode);
INT_PTR CALLBACK AboutDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
