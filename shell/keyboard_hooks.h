// The keyboard hook libraries the main program drives: its own tvkhook.dll
// and, in the 64-bit program, the 32-bit one that the companion tolvar32.exe
// keeps in step for 32-bit programs. Every switch goes to both, in the same
// order; the main program's own library gives the answer and stays the
// state that is read.
#pragma once
#include <windows.h>

int HooksSetKBHook();
void HooksRemoveKBHook();
int HooksTolvarON();
void HooksTolvarOFF();
// Returns the previous toggle key.
int HooksSetToggleKey(int key);
// The main library sends; the companion's library is marked busy alike.
int HooksSendKeysJPH(const char* keys);
int HooksSendKeysKE(const char* keys);
int HooksSendKeysUI(const char* keys);
int HooksSendTextUI(const char16_t* text, int backspaces);
int HooksSendHeldKey(unsigned int key);

// The companion, in the 64-bit program only: started at start-up from
// x86\tolvar32.exe beside tolvar.exe, brought into step when it reports
// ready, started again when it ends.
void StartCompanion();
// kMsgCompanionReady with the companion's command window.
void CompanionReady(HWND command_window);
// kMsgCompanionEnded with the process id of the companion that ended.
void CompanionEnded(DWORD process_id);
