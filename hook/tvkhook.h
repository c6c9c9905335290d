// The exports of tvkhook.dll, the system-wide keyboard hook library. The
// 32-bit export table carries the decorated stdcall names (_InitKBHook@4
// ...), the 64-bit one the plain names, as each platform's callers spell them.
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

static_assert(kMsgHookCharacter == WM_USER + 10 && kMsgHookToggle == WM_USER + 11 &&
                  kMsgHookHeldKey == WM_USER + 12,
              "the main program receives the messages the library posts");

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
// For the library of the other word size that a companion program keeps in
// step with the main program's own (ordinals 11 and 12).
TVKHOOK_API int WINAPI MarkKBSend(int send_state);
TVKHOOK_API int WINAPI SetKBOtherSizeServed(int served);
// Types a keystroke string as Unicode input (ordinal 13).
TVKHOOK_API int WINAPI SendKeysUI(const char* keys);
// Types a key the hook held back, as message 1036 gave it (ordinal 14).
TVKHOOK_API int WINAPI SendHeldKey(int key);
// Types `backspaces` Backspaces, then the UTF-16 text as Unicode input
// (ordinal 15); 0 when typed, 7 when a send is already running.
TVKHOOK_API int WINAPI SendTextUI(const wchar_t* text, int backspaces);
