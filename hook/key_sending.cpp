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

// Types the batch with the library's mark. The hook counts each event down
// as it sees it come back and holds the user's keys until then, so nothing
// typed meanwhile comes between or before them. The system may refuse a
// batch (a desktop switch in between): it is tried once more.
int send_batch(const HookContext& context) {
  HookProcess& process = *context.process;
  const HookPlatform& platform = *context.platform;
  const InputEvent* events = process.batch;
  std::uint32_t left = process.batch_count;
  process.batch_count = 0;
  for (int tries = 0; tries < 2 && left > 0; ++tries) {
    process.OwnOutstanding += left;
    process.LastSendTick = platform.tick_count();
    const std::uint32_t sent = platform.send_input(events, left, context.state->OwnMark);
    const std::uint32_t taken = sent < left ? sent : left;
    process.OwnOutstanding = process.OwnOutstanding >= left - taken ? process.OwnOutstanding - (left - taken) : 0;
    events += taken;
    left -= taken;
  }
  return left == 0 ? kSendDone : kSendFailed;
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
    process.batch[0] = {static_cast<std::uint16_t>(kVkMenu), static_cast<std::uint16_t>(kTypedBackScan), kInputKeyUp};
    process.batch_count = 1;
    send_batch(context);
  }
  // Not one event handed out: nothing was typed, and the caller may type
  // the string another way.
  return process.events_fetched == 0 ? kSendRefused : kSendDone;
}

// Left and right Shift, Control and ALT, and the Windows keys. One still held
// from the user's typing (Shift after a capital) would turn ALT with the
// keypad into a language switch or a shortcut.
constexpr std::uint16_t kHeldModifiers[] = {0xA0, 0xA1, 0xA2, 0xA3, 0xA4, 0xA5, 0x5B, 0x5C};
constexpr std::uint32_t kHeldModifierCount = sizeof kHeldModifiers / sizeof kHeldModifiers[0];

void append_event(HookProcess& process, std::uint16_t key, std::uint16_t scan, std::uint32_t flags) {
  process.batch[process.batch_count++] = {key, scan, flags};
}

void append_key(HookProcess& process, std::uint16_t key, std::uint32_t flags) {
  append_event(process, key, static_cast<std::uint16_t>(kTypedBackScan), flags);
}

// The whole list goes out in one batch. ALT with keypad digits must not
// meet a modifier the user holds (ALT+Shift is the input-language switch):
// those still down are released first and pressed again after, inside the
// batch; the user's own later release is held behind the batch by the hook.
int inject_keys(const HookContext& context) {
  HookProcess& process = *context.process;
  process.batch_count = 0;
  std::uint32_t held = 0;
  for (std::uint32_t i = 0; i < kHeldModifierCount; ++i) {
    if (!context.platform->key_down_now(kHeldModifiers[i])) continue;
    held |= 1u << i;
    append_key(process, kHeldModifiers[i], kInputKeyUp);
  }
  ResetKeyPlayer(process.key_list, process.player);
  while (NextKeyEvent(process.key_list, process.player, process.key_event) != 0) {
    append_key(process, static_cast<std::uint16_t>(process.key_event.key & 0xFF),
               process.key_event.release ? kInputKeyUp : 0);
  }
  for (std::uint32_t i = 0; i < kHeldModifierCount; ++i) {
    if ((held & (1u << i)) != 0) append_key(process, kHeldModifiers[i], 0);
  }
  return send_batch(context);
}

static_assert(2 * kSendTextTapsPerBatch <= kInputBatchSize, "a text's batch holds its taps");

void append_backspace(HookProcess& process) {
  append_key(process, static_cast<std::uint16_t>(kVkBack), 0);
  append_key(process, static_cast<std::uint16_t>(kVkBack), kInputKeyUp);
}

void append_character(HookProcess& process, std::uint16_t character) {
  append_event(process, 0, character, kInputUnicode);
  append_event(process, 0, character, kInputUnicode | kInputKeyUp);
}

// The Backspaces, then every unit of the text up to its zero. A batch that
// is full goes out at once; the hook holds the user's keys until every
// batch has come back, so nothing overtakes the text. Characters typed as
// themselves need no modifier changed: the user's Shift does not alter them.
int type_text(const HookContext& context, const char16_t* text, std::uint32_t backspaces) {
  HookProcess& process = *context.process;
  process.batch_count = 0;
  std::uint32_t taps = 0;
  std::uint32_t position = 0;
  int result = kSendDone;
  while (backspaces > 0 || text[position] != 0) {
    if (taps == kSendTextTapsPerBatch) {
      if (send_batch(context) != kSendDone) result = kSendFailed;
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
  if (process.batch_count > 0 && send_batch(context) != kSendDone) result = kSendFailed;
  return result;
}

int send_keys(const HookContext& context, const char* keys, int (*play)(const HookContext&),
              std::uint32_t busy) {
  KBHookState& shared = *context.state;
  // Also guards the send that journal playback's message dispatching can
  // start from inside this one.
  if (shared.SendBusy != kSendIdle) return kSendBusy;
  shared.SendBusy = busy;
  HookProcess& process = *context.process;
  int result = kSendDone;
  if (BuildKeyList(process.key_list, keys, context.platform->vk_key_scan) == 0) {
    result = kSendListFull;
  } else if (process.key_list.count > 0) {
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

int SendTextUI(const HookContext& context, const char16_t* text, int backspaces) {
  KBHookState& shared = *context.state;
  if (shared.SendBusy != kSendIdle) return kSendBusy;
  shared.SendBusy = kSendByUnicodeInput;
  const int result = type_text(context, text == nullptr ? u"" : text,
                               backspaces > 0 ? static_cast<std::uint32_t>(backspaces) : 0);
  shared.SendBusy = kSendIdle;
  return result;
}

int SendHeldKey(const HookContext& context, std::uint32_t key) {
  KBHookState& shared = *context.state;
  if (shared.SendBusy != kSendIdle) return kSendBusy;
  shared.SendBusy = kSendByKeyEvents;
  HookProcess& process = *context.process;
  process.batch_count = 0;
  std::uint32_t flags = (key & kKeyWordRelease) != 0 ? kInputKeyUp : 0;
  if ((key & kKeyWordExtended) != 0) flags |= kInputExtended;
  append_event(process, static_cast<std::uint16_t>(key & 0xFF),
               static_cast<std::uint16_t>((key >> kKeyWordScanShift) & 0xFFF), flags);
  const int result = send_batch(context);
  shared.SendBusy = kSendIdle;
  return result;
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
