#include "hook/keyboard_hook.h"

#include "hook/tvkhook_codes.h"
#include "hook/virtual_keys.h"

namespace tvk {

namespace {

constexpr std::intptr_t kSwallow = 1;

std::intptr_t pass_on(const HookContext& context, int code, std::uintptr_t message, std::intptr_t event) {
  return context.platform->call_next_hook(context.state->KBHookHandle, code, message, event);
}

bool is_down(const HookProcess& process, std::uint32_t key) { return (process.Keys[key] & 0x80) != 0; }

// The generic Shift, Control and ALT follow their left and right keys.
void follow_key(HookProcess& process, std::uint32_t vk, bool release) {
  std::uint8_t* keys = process.Keys;
  if (vk == kVkCapital && !release && !is_down(process, kVkCapital)) keys[kVkCapital] ^= 0x01;
  if (vk == kVkShift) vk = kVkLeftShift;
  if (vk == kVkControl) vk = kVkLeftControl;
  if (vk == kVkMenu) vk = kVkLeftMenu;
  keys[vk] = static_cast<std::uint8_t>((keys[vk] & 0x01) | (release ? 0 : 0x80));
  keys[kVkShift] = (keys[kVkLeftShift] | keys[kVkRightShift]) & 0x80;
  keys[kVkControl] = (keys[kVkLeftControl] | keys[kVkRightControl]) & 0x80;
  keys[kVkMenu] = (keys[kVkLeftMenu] | keys[kVkRightMenu]) & 0x80;
}

bool own_input_due(const HookContext& context) {
  HookProcess& process = *context.process;
  if (process.OwnOutstanding == 0) return false;
  if (context.platform->tick_count() - process.LastSendTick < kOwnInputLostMs) return true;
  process.OwnOutstanding = 0;
  return false;
}

void announce_entries(const HookContext& context) {
  HookProcess& process = *context.process;
  if (process.EntriesPosted != 0) return;
  // Not posted, the next key tries again, and the main program's watchdog
  // takes what waits meanwhile.
  process.EntriesPosted =
      context.platform->post_message(context.state->MainWindow, kMsgHookEntries, 0, 0) ? 1 : 0;
}

bool queue_entry(const HookContext& context, std::uint32_t kind, std::uint32_t character, std::uint32_t key) {
  HookProcess& process = *context.process;
  if (process.EntryCount == kEntryQueueSize) return false;
  process.Entries[(process.FirstEntry + process.EntryCount) % kEntryQueueSize] = {kind, character, key};
  ++process.EntryCount;
  announce_entries(context);
  return true;
}

std::uint32_t key_word(const LowLevelKey& key, bool release) {
  std::uint32_t word = (key.vk & 0xFF) | (key.scan & 0xFFF) << kKeyWordScanShift;
  if (release) word |= kKeyWordRelease;
  if ((key.flags & kLowLevelExtended) != 0) word |= kKeyWordExtended;
  return word;
}

std::uint32_t& swallowed_word(HookProcess& process, std::uint32_t vk) { return process.SwallowedPresses[vk / 32]; }
std::uint32_t swallowed_bit(std::uint32_t vk) { return 1u << (vk % 32); }

// Whether a program may be typed into: none is in front on the secure
// desktop, and one run as administrator drops what a standard program
// sends. Asked once per foreground window.
bool foreground_takes_input(const HookContext& context, HookWindow window) {
  HookProcess& process = *context.process;
  if (window == 0) return false;
  if (window != process.Foreground) {
    process.Foreground = window;
    process.ForegroundHigher = context.platform->runs_higher(window);
  }
  if (!process.ForegroundHigher) return true;
  // Said once, beside the queue: a key held behind it would be typed into
  // that program, which drops it.
  if (!process.ElevatedNoticed) {
    process.ElevatedNoticed = true;
    process.ElevatedDue = 1;
    announce_entries(context);
  }
  return false;
}

// The character the key gives in the foreground program's layout with the
// keys the user holds, or 0: not one to translate (no character or several,
// a dead key, one of 0x80 and above, ALT, Control or a Windows key held, a
// menu open, a program that cannot be typed into).
std::uint32_t translated_character(const HookContext& context, const LowLevelKey& key) {
  const HookProcess& process = *context.process;
  if (is_down(process, kVkControl) || is_down(process, kVkMenu) || is_down(process, kVkLeftWindows) ||
      is_down(process, kVkRightWindows))
    return 0;
  const HookWindow window = context.platform->foreground_window();
  if (window != 0 && context.platform->in_menu_mode(window)) return 0;
  if (!foreground_takes_input(context, window)) return 0;
  std::uint16_t buffer[4] = {0, 0, 0, 0};
  const int count = context.platform->to_unicode(window, key.vk, key.scan, process.Keys, buffer);
  if (count != 1 || buffer[0] >= 0x80) return 0;
  return buffer[0];
}

// A button pressed since the last key may have put the caret elsewhere in
// the program: the letter ends before this key, as with a key that moves the
// caret, so the key's letter is never retyped over text at the new place.
// The count is taken once the reset is out (or none is needed).
void end_letter_after_click(const HookContext& context) {
  HookProcess& process = *context.process;
  const std::uint32_t clicks = process.MouseClicks.load(std::memory_order_relaxed);
  if (clicks == process.MouseClicksSeen) return;
  if (context.state->KBOn != 0 && process.LetterResetPosted == 0) {
    if (process.EntryCount == 0) {
      process.ResetDue = 1;
      announce_entries(context);
    } else if (!queue_entry(context, kEntryReset, 0, 0)) {
      return;  // the queue is full: the next key tries again
    }
    process.LetterResetPosted = 1;
  }
  process.MouseClicksSeen = clicks;
}

}  // namespace

void SyncKeyState(const HookContext& context) {
  HookProcess& process = *context.process;
  for (std::uint8_t& key : process.Keys) key = 0;
  constexpr std::uint32_t kModifiers[] = {kVkLeftShift,   kVkRightShift, kVkLeftControl, kVkRightControl,
                                          kVkLeftMenu,    kVkRightMenu,  kVkLeftWindows, kVkRightWindows};
  for (std::uint32_t key : kModifiers) {
    if (context.platform->key_down_now(key)) follow_key(process, key, false);
  }
  if (context.platform->key_toggled(kVkCapital)) process.Keys[kVkCapital] = 0x01;
}

std::intptr_t LLKBHookProc(const HookContext& context, int code, std::uintptr_t message, std::intptr_t event) {
  if (code != kHcAction) return pass_on(context, code, message, event);
  const LowLevelKey& key = *reinterpret_cast<const LowLevelKey*>(event);
  const KBHookState& state = *context.state;
  HookProcess& process = *context.process;
  process.LastHookCall = context.platform->tick_count();
  const std::uint32_t vk = key.vk & 0xFF;
  const bool release = (key.flags & kLowLevelUp) != 0 || message == kMsgKeyUp || message == kMsgSysKeyUp;

  // The library's own input, and its watchdog's probe, which nothing else
  // may see.
  if ((key.flags & kLowLevelInjected) != 0 && key.extra == state.OwnMark) {
    if (vk == kVkProbe) {
      process.ProbeDue = false;
      return kSwallow;
    }
    if (process.OwnOutstanding != 0) --process.OwnOutstanding;
    return pass_on(context, code, message, event);
  }
  // Every other key is the user's, also one another program injected.
  const bool repeat = !release && is_down(process, vk);
  follow_key(process, vk, release);

  // A playback's keys carry no mark: while one runs, nothing is caught.
  if (state.SendBusy == kSendByPlayback) return pass_on(context, code, message, event);
  end_letter_after_click(context);

  if (state.ToggleALTChar != 0 && release && vk == state.ToggleALTChar && is_down(process, kVkMenu) &&
      queue_entry(context, kEntryToggle, 0, 0))
    return kSwallow;

  bool reset = false;
  if (state.KBOn != 0) {
    std::uint32_t& swallowed = swallowed_word(process, vk);
    if (release && (swallowed & swallowed_bit(vk)) != 0) {
      swallowed &= ~swallowed_bit(vk);
      return kSwallow;
    }
    const bool queued_key = is_character_key(vk) || (state.WordKeys != 0 && is_word_key(vk));
    if (!release && !repeat && (key.flags & kLowLevelExtended) == 0 && queued_key) {
      const std::uint32_t character = translated_character(context, key);
      if (character != 0 && queue_entry(context, kEntryCharacter, character, key_word(key, false))) {
        swallowed |= swallowed_bit(vk);
        process.LetterResetPosted = 0;
        return kSwallow;
      }
    }
    // Every untranslated press but Shift and Caps Lock closes the letter;
    // the first of a run says so.
    const bool shift = vk == kVkShift || vk == kVkLeftShift || vk == kVkRightShift;
    if (!release && !shift && vk != kVkCapital && process.LetterResetPosted == 0) {
      process.LetterResetPosted = 1;
      reset = true;
    }
  }

  // Passed now, the key would overtake what is still to be typed for the
  // keys before it; so it waits in the queue and is typed in its turn. So
  // does a key the system took as typed with ALT only because a glyph's ALT
  // of Tolvar's was down as it came (the user holds none; F10 alone is a
  // system key of its own): passed, it would reach the program as an ALT
  // combination; typed again, it is the user's.
  const bool system_key = (key.flags & kLowLevelAltDown) != 0 || message == kMsgSysKeyDown || message == kMsgSysKeyUp;
  const bool alt_of_a_glyph = system_key && !is_down(process, kVkMenu) && vk != kVkF10;
  if (process.EntryCount != 0 || own_input_due(context) || alt_of_a_glyph) {
    if (reset) queue_entry(context, kEntryReset, 0, 0);
    if (queue_entry(context, kEntryKey, 0, key_word(key, release))) return kSwallow;
  } else if (reset) {
    process.ResetDue = 1;
    announce_entries(context);
  }
  return pass_on(context, code, message, event);
}

int TakeKBEntry(const HookContext& context, KBEntry* entry) {
  HookProcess& process = *context.process;
  if (process.ElevatedDue != 0) {
    process.ElevatedDue = 0;
    *entry = {kEntryElevated, 0, 0};
    return 1;
  }
  if (process.ResetDue != 0) {
    process.ResetDue = 0;
    *entry = {kEntryReset, 0, 0};
    return 1;
  }
  if (process.EntryCount == 0) {
    process.EntriesPosted = 0;
    return 0;
  }
  *entry = process.Entries[process.FirstEntry];
  process.FirstEntry = (process.FirstEntry + 1) % kEntryQueueSize;
  --process.EntryCount;
  return 1;
}

}  // namespace tvk
