// The messages tvkhook.dll posts to the registered main window and the
// status codes of its send functions. Free of <windows.h> so the library's
// portable decision code and its native tests share them.
#pragma once

constexpr unsigned int kMsgHookCharacter = 0x0400 + 10;  // WM_USER + 10; wParam: character, or 0 = letter reset
constexpr unsigned int kMsgHookToggle = 0x0400 + 11;     // WM_USER + 11: the ALT+toggle-key release
// WM_USER + 12: a key held back while glyphs typed back for an earlier key
// had not reached the program; wParam: its virtual-key code, with
// kHeldKeyRelease for a release; lParam: the key event's lParam.
constexpr unsigned int kMsgHookHeldKey = 0x0400 + 12;
constexpr unsigned int kHeldKeyRelease = 0x100;
// The modifiers that were down for it, as SendHeldKey types it again.
constexpr unsigned int kHeldKeyShift = 0x200;
constexpr unsigned int kHeldKeyControl = 0x400;
constexpr unsigned int kHeldKeyAlt = 0x800;

// Status codes of the send functions.
constexpr int kSendDone = 0;      // played or injected (journal playback may end early)
constexpr int kSendListFull = 5;  // more than 1024 key entries; nothing typed
constexpr int kSendRefused = 6;   // the journal playback hook was refused or never played; nothing typed
constexpr int kSendBusy = 7;      // another send is running; nothing typed

// What the send that runs is (the shared block's SendBusy). Journal playback
// plays its keys with their real scan codes, so while it runs the hook must
// neither toggle nor translate. Keys typed by key events carry the
// typed-back scan code and pass the hook on their own, so the user's keys
// pressed meanwhile are still translated.
constexpr unsigned int kSendIdle = 0;
constexpr unsigned int kSendByPlayback = 1;
constexpr unsigned int kSendByKeyEvents = 2;
constexpr unsigned int kSendByUnicodeInput = 3;
