// The exports of tvkhook.dll, the system-wide keyboard hook library. The
// export table carries the decorated stdcall names (_InitKBHook@4 ...).
#pragma once
#include <windows.h>

#ifdef TVKHOOK_BUILDING_DLL
#define TVKHOOK_API extern "C" __declspec(dllexport)
#else
#define TVKHOOK_API extern "C" __declspec(dllimport)
#endif

// Messages posted to the registered main window.
constexpr UINT kMsgHookCharacter = WM_USER + 10;  // wParam: character, or 0 = letter reset
constexpr UINT kMsgHookToggle = WM_USER + 11;     // the ALT+toggle-key release

// Status codes of the send functions.
constexpr int kSendDone = 0;
constexpr int kSendListFull = 5;
constexpr int kSendRefused = 6;
constexpr int kSendBusy = 7;

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
