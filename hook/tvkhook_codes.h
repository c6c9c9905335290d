// The message tvkhook.dll posts to the registered main window, the entries
// its hook procedure queues for it, and the status codes of its send
// functions. Free of <windows.h> so the library's portable decision code
// and its native tests share them.
#pragma once
#include <cstdint>

// WM_USER + 10: entries wait in the hook's queue (TakeKBEntry). It carries
// nothing: a post of it from another process finds the queue as it is.
constexpr unsigned int kMsgHookEntries = 0x0400 + 10;

// One decision of the hook procedure, in the order of the keys.
enum : std::uint32_t {
  kEntryCharacter = 1,  // `character` to translate; `key`: the key as it was typed
  kEntryReset,          // the letter is finished
  kEntryKey,            // `key` held back behind earlier entries: type it in turn
  kEntryToggle,         // ALT + the toggle key: switch the keyboard
  kEntryElevated,       // the first key passed untranslated to a program run as administrator
};

struct KBEntry {
  std::uint32_t kind;
  std::uint32_t character;
  std::uint32_t key;  // a key word, below
};

// A key word: the virtual-key code in bits 0-7, the scan code in bits
// 16-27, a release and an extended key as flags.
constexpr std::uint32_t kKeyWordRelease = 0x100;
constexpr std::uint32_t kKeyWordExtended = 0x200;
constexpr std::uint32_t kKeyWordScanShift = 16;

// Status codes of the send functions.
constexpr int kSendDone = 0;      // played or injected (journal playback may end early)
constexpr int kSendListFull = 5;  // more than 1024 key entries; nothing typed
constexpr int kSendRefused = 6;   // the journal playback hook was refused or never played; nothing typed
constexpr int kSendBusy = 7;      // another send is running; nothing typed
constexpr int kSendFailed = 8;    // the system took the events only in part, also when tried again

// What the send that runs is (SendBusy). Journal playback plays its keys
// with real scan codes and no mark, so while it runs the hook neither
// toggles nor translates.
constexpr unsigned int kSendIdle = 0;
constexpr unsigned int kSendByPlayback = 1;
constexpr unsigned int kSendByKeyEvents = 2;
constexpr unsigned int kSendByUnicodeInput = 3;
