// Typing into the focused application: a keystroke string by journal
// playback (SendKeysJPH with its playback procedure JPHookProc) or by
// injected keyboard events (SendKeysKE), where every byte but 0x08 (a
// Backspace) is typed as ALT with keypad 0 and its three decimal digits;
// Unicode text typed as itself after some Backspaces (SendTextUI); a key the
// hook held back (SendHeldKey). Every injected event carries the library's
// mark, and the hook holds the user's keys until it has seen them all.
#pragma once
#include <cstdint>

#include "hook/hook_state.h"

namespace tvk {

// Hook codes the playback procedure is called with.
constexpr int kHcGetNext = 1;
constexpr int kHcSkip = 2;
constexpr int kHcSysModalOn = 4;
constexpr int kHcSysModalOff = 5;

// The platform's EVENTMSG record, as the playback procedure fills it.
struct PlaybackRecord {
  std::uint32_t message;
  std::uint32_t paramL;  // virtual-key code
  std::uint32_t paramH;  // scan code
  std::uint32_t time;
  HookWindow window;
};

// A playback that advances no event for this long has stopped: the platform
// never plays (journal hooks accepted but unsupported) or dropped the hook.
constexpr std::uint32_t kPlaybackStallMs = 500;
// Longest sleep between two looks at the message queue while playback runs.
constexpr std::uint32_t kPlaybackWaitSliceMs = 10;

// Both return kSendDone, kSendListFull, kSendRefused (journal playback
// only: refused, or nothing of it was ever played), kSendBusy or
// kSendFailed (key events only: the system took them in part, also when
// tried again).
int SendKeysJPH(const HookContext& context, const char* keys);
int SendKeysKE(const HookContext& context, const char* keys);
// Unicode text: `backspaces` Backspaces (none when not positive), then every
// UTF-16 unit of the zero-terminated `text` (nullptr counts as empty) typed
// as itself. Any length: kSendTextTapsPerBatch taps (a
// Backspace or a unit) go into one input batch, a longer text into several
// in order. Returns kSendDone, kSendBusy or kSendFailed.
constexpr std::uint32_t kSendTextTapsPerBatch = 1023;
int SendTextUI(const HookContext& context, const char16_t* text, int backspaces);
// Types a key the hook held back, as its key word (kEntryKey) gives it:
// its code, scan code, release and extended flags. kSendDone, kSendBusy or
// kSendFailed.
int SendHeldKey(const HookContext& context, std::uint32_t key);

// The journal playback procedure; `record` points to a PlaybackRecord.
std::intptr_t JPHookProc(const HookContext& context, int code, std::uintptr_t wparam, std::intptr_t record);

}  // namespace tvk
