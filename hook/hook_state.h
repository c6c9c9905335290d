// The state of the hook library and the context the portable functions work
// on (the DLL points it at its real data and the Win32 calls, the tests at
// fresh data and a fake platform). The library is loaded by the main
// program alone: its low-level keyboard hook runs on the main program's
// thread, its mouse hook on a thread of its own, and no other process maps
// it or can write any of this.
#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "hook/hook_platform.h"
#include "hook/key_list.h"
#include "hook/tvkhook_codes.h"

namespace tvk {

// What the exports switch, called from the main program's thread.
struct KBHookState {
  HookWindow MainWindow;       // receives kMsgHookEntries; 0 = none registered
  HookHandle KBHookHandle;     // the low-level keyboard hook; 0 = not set
  std::uint32_t KBOn;          // keyboard switched ON
  std::uint16_t ToggleALTChar; // key that toggles when released with ALT; 0 = off
  std::uint32_t SendBusy;      // the send running: kSendIdle, kSendByPlayback ...
  std::uint32_t WordKeys;      // Space, Enter and Escape are queued as characters (suggest words)
  std::uint32_t MouseWatch;    // the mouse hook's thread runs
  // The extra information of every event the library types: with the
  // injected flag it tells the library's own input from every other.
  std::uintptr_t OwnMark;
};

// A key list played out (a press and a release for every tap), with room for
// the modifiers a user still holds, released before and pressed after it.
constexpr std::uint32_t kInputBatchSize = 2 * kKeyListSize + 16;

// Entries the hook procedure has decided and the main program not yet
// taken; far more than a typist gets ahead of the main program.
constexpr std::uint32_t kEntryQueueSize = 256;

struct HookProcess {
  void* ModuleInstance;
  std::uint32_t LetterResetPosted;  // a reset went out and no character since
  std::uint32_t ResetDue;           // a reset not taken yet (before any entry)
  std::uint32_t EntriesPosted;      // kMsgHookEntries is on its way
  KBEntry Entries[kEntryQueueSize];
  std::uint32_t FirstEntry;
  std::uint32_t EntryCount;
  // Events the library typed that its hook has not seen come back yet, and
  // when the last send went out: a user's key seen meanwhile is held.
  std::uint32_t OwnOutstanding;
  std::uint32_t LastSendTick;
  // The keyboard as the user's keys left it (0x80 down; Caps Lock 0x01 on),
  // and the keys whose press the hook swallowed, so it swallows their release.
  std::uint8_t Keys[256];
  std::uint32_t SwallowedPresses[8];
  // The foreground window last asked about, and whether it runs higher.
  HookWindow Foreground;
  bool ForegroundHigher;
  bool ElevatedNoticed;
  std::uint32_t ElevatedDue;        // the notice not taken yet
  // The watchdog: the last call of the hook, and a probe on its way.
  std::uint32_t LastHookCall;
  std::uint32_t ProbeSentAt;
  bool ProbeDue;
  // Mouse buttons pressed: counted by the mouse thread alone; the keyboard
  // hook keeps the count it has acted on.
  std::atomic<std::uint32_t> MouseClicks;
  std::uint32_t MouseClicksSeen;

  // Sending, on the main program's thread.
  KeyList key_list;
  KeyPlayer player;
  KeyEvent key_event;         // the event the player produced last
  InputEvent batch[kInputBatchSize];  // the events of one injection
  std::uint32_t batch_count;
  HookHandle JPHookHandle;    // journal playback hook while a playback runs
  bool first_call;            // the playback procedure has not fetched an event yet
  std::uint32_t events_produced;  // progress of a playback
  std::uint32_t events_fetched;   // HC_GETNEXT calls of a playback
};

struct HookContext {
  KBHookState* state;
  HookProcess* process;
  const HookPlatform* platform;
};

}  // namespace tvk
