// The exports of tvkhook.dll, Tolvar's keyboard hook library. The 32-bit
// export table carries the decorated stdcall names (_InitKBHook@4 ...), the
// 64-bit one the plain names, as each platform's callers spell them.
#pragma once
#include <windows.h>

#include "hook/tvkhook_codes.h"

// The library itself exports through its module definition, which names
// exactly these functions; no other symbol may leak into the table.
#ifdef TVKHOOK_BUILDING_DLL
#define TVKHOOK_API extern "C"
#else
#define TVKHOOK_API extern "C" __declspec(dllimport)
#endif

static_assert(kMsgHookEntries == WM_USER + 10, "the main program receives the message the library posts");

TVKHOOK_API int WINAPI InitKBHook(HWND main_window);
TVKHOOK_API int WINAPI IsKBHookTolvarON(void);
TVKHOOK_API int WINAPI IsSetKBHook(void);
TVKHOOK_API void WINAPI KBHookTolvarOFF(void);
TVKHOOK_API int WINAPI KBHookTolvarON(void);
TVKHOOK_API void WINAPI RemoveKBHook(void);
TVKHOOK_API int WINAPI SendKeysJPH(const char* keys);
TVKHOOK_API int WINAPI SendKeysKE(const char* keys);
TVKHOOK_API int WINAPI SetKBHook(void);
TVKHOOK_API int WINAPI SetKBToggleALTChar(int toggle_key);
// Types a key the hook held back, as its entry gave it (ordinal 11).
TVKHOOK_API int WINAPI SendHeldKey(int key);
// Types `backspaces` Backspaces, then the UTF-16 text as Unicode input
// (ordinal 12); 0 when typed, 7 when a send is already running, 8 when the
// system refused it.
TVKHOOK_API int WINAPI SendTextUI(const wchar_t* text, int backspaces);
// The oldest entry the hook queued (ordinal 13): 1 with *entry filled, 0
// when none waits.
TVKHOOK_API int WINAPI TakeKBEntry(KBEntry* entry);
// The watchdog of the hook (ordinal 14), about once a second: 1 when the
// hook was found removed by the system (and set again where it could be).
TVKHOOK_API int WINAPI CheckKBHook(void);
// Suggest words (ordinal 15): non-zero queues Space, Enter and Escape as
// characters in turn with the letters; returns the previous setting.
TVKHOOK_API int WINAPI SetKBWordKeys(int on);
