// The state of the hook library: the block every process that maps the
// library shares, the data each process has of its own, and the context the
// portable functions work on (the DLL points it at its real data and the
// Win32 calls, the tests at fresh data and a fake platform).
#pragma once
#include <cstddef>
#include <cstdint>

#include "hook/hook_platform.h"
#include "hook/key_list.h"
#include "hook/tvkhook_codes.h"

namespace tvk {

// One copy for all processes (the DLL's shared section). Only the exports,
// called from the main program's thread, write it; hook procedures in every
// process read each field whole, without a lock.
struct KBHookShared {
  HookWindow MainWindow;       // receives every posted message; 0 = none registered
  HookHandle KBHookHandle;     // the system-wide keyboard hook; 0 = not set
  std::uint32_t KBOn;          // keyboard switched ON
  std::uint16_t ToggleALTChar; // key that toggles when released with ALT; 0 = off
  std::uint32_t SendBusy;      // the send running: kSendIdle, kSendByPlayback or kSendByKeyEvents
  // The thread that set the keyboard hook. On 64-bit Windows the system
  // calls the hook on this thread for programs of the other word size,
  // whose key state this thread does not have.
  std::uint32_t HookThread;
  // Non-zero: a library of the other word size serves those programs in
  // their own processes, so calls for them here pass on untouched.
  std::uint32_t OtherSizeServed;
};

static_assert(offsetof(KBHookShared, MainWindow) == 0, "field order is shared by all mappings");
static_assert(offsetof(KBHookShared, KBHookHandle) == 4, "field order is shared by all mappings");
static_assert(offsetof(KBHookShared, KBOn) == 8, "field order is shared by all mappings");
static_assert(offsetof(KBHookShared, ToggleALTChar) == 12, "field order is shared by all mappings");
static_assert(offsetof(KBHookShared, SendBusy) == 16, "field order is shared by all mappings");
static_assert(offsetof(KBHookShared, HookThread) == 20, "field order is shared by all mappings");
static_assert(offsetof(KBHookShared, OtherSizeServed) == 24, "field order is shared by all mappings");

// A key list played out (a press and a release for every tap), with room for
// the modifiers a user still holds, released before and pressed after it.
constexpr std::uint32_t kInputBatchSize = 2 * kKeyListSize + 16;

// Ordinary data: each process has its own copy, all zero at load.
struct HookProcess {
  void* ModuleInstance;
  std::uint32_t LetterResetPosted;  // a reset went out and no character since
  // Characters posted from this process whose typed-back glyphs it has not
  // taken yet (the end key of their batch not seen), and when the last was
  // posted: keys passed on meanwhile would overtake those glyphs.
  std::uint32_t GlyphsOutstanding;
  std::uint32_t OutstandingSince;
  // Keys whose press was held back, so their release is held too.
  std::uint32_t HeldPresses[8];

  // Sending, used only on the thread that calls the send functions.
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
  KBHookShared* shared;
  HookProcess* process;
  const HookPlatform* platform;
};

}  // namespace tvk
