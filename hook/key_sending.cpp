#include "hook/key_sending.h"

#include "hook/tvkhook_codes.h"
#include "hook/virtual_keys.h"

namespace tvk {

namespace {

bool produce_event(HookProcess& process) {
  if (NextKeyEvent(process.key_list, process.player, process.key_event) == 0) return false;
  ++process.events_produced;
  return true;
}

std::uint32_t playback_message(const KeyEvent& event) {
  if (event.system) return event.release ? kMsgSysKeyUp : kMsgSysKeyDown;
  return event.release ? kMsgKeyUp : kMsgKeyDown;
}

int play_journal(const HookContext& context) {
  HookProcess& process = *context.process;
  const HookPlatform& platform = *context.platform;
  ResetKeyPlayer(process.key_list, process.player);
  process.first_call = true;
  process.events_produced = 0;
  process.events_fetched = 0;
  process.JPHookHandle = platform.set_hook(HookKind::JournalPlayback, process.ModuleInstance);
  if (process.JPHookHandle == 0) return kSendRefused;

  // The playback procedure ends the wait by clearing the handle. The platform
  // may also drop the hook (a user's cancel) or never call the procedure at
  // all, so the wait ends as well when no event advances for a while.
  std::uint32_t progress = process.events_produced;
  std::uint32_t progress_tick = platform.tick_count();
  while (process.JPHookHandle != 0) {
    const PumpResult pumped = platform.pump_message();
    if (pumped == PumpResult::JournalCancelled) {
      process.JPHookHandle = 0;
      break;
    }
    // The program is closing: its loop gets the WM_QUIT again, and the
    // playback ends with it rather than outliving the window.
    if (pumped == PumpResult::Quit) {
      platform.unhook(process.JPHookHandle);
      process.JPHookHandle = 0;
      break;
    }
    if (process.events_produced != progress) {
      progress = process.events_produced;
      progress_tick = platform.tick_count();
      continue;
    }
    if (platform.tick_count() - progress_tick >= kPlaybackStallMs) {
      platform.unhook(process.JPHookHandle);
      process.JPHookHandle = 0;
      break;
    }
    if (pumped == PumpResult::Empty) platform.wait_for_message(kPlaybackWaitSliceMs);
  }
  // Cut short while a glyph's ALT was down: it must not stay down.
  if (process.player.alt_down) {
    const InputEvent alt_release = {static_cast<std::uint16_t>(kVkMenu), static_cast<std::uint16_t>(kTypedBackScan),
                                    kInputKeyUp};
    platform.send_input(&alt_release, 1);
  }
  // Not one event handed out: nothing was typed, and the caller may type
  // the string another way.
  return process.events_fetched == 0 ? kSendRefused : kSendDone;
}

// Left and right Shift, Control and ALT, and the Windows keys. One still held
// from the user's typing (Shift after a capital) would turn ALT with the
// keypad into a language switch or a shortcut.
constexpr std::uint16_t kHeldModifiers[] = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0x5B, 0x5C};

void append_event(HookProcess& process, std::uint16_t key, std::uint16_t scan, std::uint32_t flags) {
  process.batch[process.batch_count++] = {key, scan, flags};
}

void append_key(HookProcess& process, std::uint16_t key, std::uint32_t flags) {
  append_event(process, key, static_cast<std::uint16_t>(kTypedBackScan), flags);
}

constexpr std::uint32_t kHeldModifierCount = sizeof kHeldModifiers / sizeof kHeldModifiers[0];

// Starts a batch with the release of every modifier the user holds; returns
// them for send_batch.
std::uint32_t release_held_modifiers(const HookContext& context) {
  HookProcess& process = *context.process;
  process.batch_count = 0;
  std::uint32_t held = 0;
  for (std::uint32_t i = 0; i < kHeldModifierCount; ++i) {
    if (!context.platform->key_down_now(kHeldModifiers[i])) continue;
    held |= 1u << i;
    append_key(process, kHeldModifiers[i], kInputKeyUp);
  }
  return held;
}

void press_held_modifiers(HookProcess& process, std::uint32_t held) {
  for (std::uint32_t i = 0; i < kHeldModifierCount; ++i) {
    if ((held & (1u << i)) != 0) append_key(process, kHeldModifiers[i], 0);
  }
}

// Ends the batch pressing those modifiers again, then the end key, which
// tells the program's hook that its glyphs are all taken, and types it.
void send_batch(const HookContext& context, std::uint32_t held) {
  HookProcess& process = *context.process;
  press_held_modifiers(process, held);
  append_key(process, static_cast<std::uint16_t>(kVkTypedBackEnd), 0);
  append_key(process, static_cast<std::uint16_t>(kVkTypedBackEnd), kInputKeyUp);
  context.platform->send_input(process.batch, process.batch_count);
}

// A batch of nothing but its end: a key that typed nothing was still waited for.
void send_end_only(const HookContext& context) {
  context.process->batch_count = 0;
  send_batch(context, 0);
}

// The whole list goes out in one batch, nothing of the user's in between;
// modifiers the user holds are released first and pressed again after, so
// the user's own release of them is still seen and nothing stays down.
int inject_keys(const HookContext& context) {
  HookProcess& process = *context.process;
  const std::uint32_t held = release_held_modifiers(context);
  ResetKeyPlayer(process.key_list, process.player);
  while (NextKeyEvent(process.key_list, process.player, process.key_event) != 0) {
    append_key(process, static_cast<std::uint16_t>(process.key_event.key & 0xFF),
               process.key_event.release ? kInputKeyUp : 0);
  }
  send_batch(context, held);
  return kSendDone;
}

// Room for a press and a release of every byte besides the held modifiers
// and the end key.
constexpr std::uint32_t kUnicodeInputBytesMax = (kInputBatchSize - 2 * kHeldModifierCount - 2) / 2;
static_assert(kUnicodeInputBytesMax == kSendTextTapsPerBatch, "a text's batch holds as many taps as a string's");

void append_backspace(HookProcess& process) {
  append_key(process, static_cast<std::uint16_t>(kVkBack), 0);
  append_key(process, static_cast<std::uint16_t>(kVkBack), kInputKeyUp);
}

void append_character(HookProcess& process, std::uint16_t character) {
  append_event(process, 0, character, kInputUnicode);
  append_event(process, 0, character, kInputUnicode | kInputKeyUp);
}

// A Backspace as the key, every other byte as its ANSI character typed as
// itself: no ALT, no keypad, nothing a program could take for a shortcut.
int type_unicode_input(const HookContext& context, const char* keys) {
  HookProcess& process = *context.process;
  std::uint32_t length = 0;
  while (keys[length] != '\0') {
    if (++length > kUnicodeInputBytesMax) {
      send_end_only(context);
      return kSendListFull;
    }
  }
  const std::uint32_t held = release_held_modifiers(context);
  for (std::uint32_t i = 0; i < length; ++i) {
    const std::uint8_t byte = static_cast<std::uint8_t>(keys[i]);
    if (byte == kVkBack) {
      append_backspace(process);
    } else {
      append_character(process, context.platform->ansi_to_unicode(byte));
    }
  }
  send_batch(context, held);
  return kSendDone;
}

// The Backspaces, then every unit of the text up to its zero. A batch that
// is full goes out at once without the end key, with the user's modifiers
// released and pressed again around it as in every batch; the program's
// hook holds the user's keys until the last batch's end key, so nothing
// overtakes the text and it counts the send once.
void type_text(const HookContext& context, const char16_t* text, std::uint32_t backspaces) {
  HookProcess& process = *context.process;
  std::uint32_t held = release_held_modifiers(context);
  std::uint32_t taps = 0;
  std::uint32_t position = 0;
  while (backspaces > 0 || text[position] != 0) {
    if (taps == kSendTextTapsPerBatch) {
      press_held_modifiers(process, held);
      context.platform->send_input(process.batch, process.batch_count);
      held = release_held_modifiers(context);
      taps = 0;
    }
    if (backspaces > 0) {
      append_backspace(process);
      --backspaces;
    } else {
      append_character(process, text[position++]);
    }
    ++taps;
  }
  send_batch(context, held);
}

int send_keys(const HookContext& context, const char* keys, int (*play)(const HookContext&),
              std::uint32_t busy) {
  KBHookShared& shared = *context.shared;
  // Also guards the send that journal playback's message dispatching can
  // start from inside this one.
  if (shared.SendBusy != kSendIdle) return kSendBusy;
  shared.SendBusy = busy;
  HookProcess& process = *context.process;
  int result = kSendDone;
  if (BuildKeyList(process.key_list, keys, context.platform->vk_key_scan) == 0) {
    result = kSendListFull;
    if (busy == kSendByKeyEvents) send_end_only(context);
  } else if (process.key_list.count > 0 || busy == kSendByKeyEvents) {
    result = play(context);
  }
  shared.SendBusy = kSendIdle;
  return result;
}

}  // namespace

int SendKeysJPH(const HookContext& context, const char* keys) {
  return send_keys(context, keys, play_journal, kSendByPlayback);
}

int SendKeysKE(const HookContext& context, const char* keys) {
  return send_keys(context, keys, inject_keys, kSendByKeyEvents);
}

int SendKeysUI(const HookContext& context, const char* keys) {
  KBHookShared& shared = *context.shared;
  if (shared.SendBusy != kSendIdle) return kSendBusy;
  shared.SendBusy = kSendByUnicodeInput;
  const int result = type_unicode_input(context, keys == nullptr ? "" : keys);
  shared.SendBusy = kSendIdle;
  return result;
}

int SendTextUI(const HookContext& context, const char16_t* text, int backspaces) {
  KBHookShared& shared = *context.shared;
  if (shared.SendBusy != kSendIdle) return kSendBusy;
  shared.SendBusy = kSendByUnicodeInput;
  type_text(context, text == nullptr ? u"" : text, backspaces > 0 ? static_cast<std::uint32_t>(backspaces) : 0);
  shared.SendBusy = kSendIdle;
  return kSendDone;
}

int SendHeldKey(const HookContext& context, std::uint32_t key) {
  KBHookShared& shared = *context.shared;
  if (shared.SendBusy != kSendIdle) return kSendBusy;
  shared.SendBusy = kSendByKeyEvents;
  HookProcess& process = *context.process;
  process.batch_count = 0;
  // The modifiers it had go down around it, those it had not come up.
  constexpr std::uint32_t kModifiers[][2] = {
      {kHeldKeyShift, kVkShift}, {kHeldKeyControl, kVkControl}, {kHeldKeyAlt, kVkMenu}};
  std::uint32_t changed = 0;
  for (std::uint32_t i = 0; i < 3; ++i) {
    const bool wanted = (key & kModifiers[i][0]) != 0;
    if (context.platform->key_down_now(kModifiers[i][1]) == wanted) continue;
    changed |= 1u << i;
    append_key(process, static_cast<std::uint16_t>(kModifiers[i][1]), wanted ? 0 : kInputKeyUp);
  }
  append_key(process, static_cast<std::uint16_t>(key & 0xFF), (key & kHeldKeyRelease) != 0 ? kInputKeyUp : 0);
  for (std::uint32_t i = 0; i < 3; ++i) {
    if ((changed & (1u << i)) == 0) continue;
    const bool wanted = (key & kModifiers[i][0]) != 0;
    append_key(process, static_cast<std::uint16_t>(kModifiers[i][1]), wanted ? kInputKeyUp : 0);
  }
  send_batch(context, 0);
  shared.SendBusy = kSendIdle;
  return kSendDone;
}

std::intptr_t JPHookProc(const HookContext& context, int code, std::uintptr_t wparam, std::intptr_t record) {
  HookProcess& process = *context.process;
  const HookPlatform& platform = *context.platform;
  if (process.first_call) {
    process.first_call = false;
    produce_event(process);
  }
  switch (code) {
    case kHcGetNext: {
      ++process.events_fetched;
      PlaybackRecord& out = *reinterpret_cast<PlaybackRecord*>(record);
      out.message = playback_message(process.key_event);
      out.paramL = process.key_event.key;
      out.paramH = platform.map_virtual_key(process.key_event.key);
      out.time = platform.tick_count();
      return 0;  // play it at once
    }
    case kHcSkip:
      if (!produce_event(process)) {
        platform.unhook(process.JPHookHandle);
        process.JPHookHandle = 0;
      }
      return 0;
    case kHcSysModalOff:
      platform.unhook(process.JPHookHandle);
      process.JPHookHandle = 0;
      return platform.call_next_hook(process.JPHookHandle, code, wparam, record);
    default:
      return platform.call_next_hook(process.JPHookHandle, code, wparam, record);
  }
}

}  // namespace tvk
