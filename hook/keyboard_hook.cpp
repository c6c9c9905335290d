#include "hook/keyboard_hook.h"

#include "hook/tvkhook_codes.h"
#include "hook/virtual_keys.h"

namespace tvk {

namespace {

std::intptr_t pass_on(const HookContext& context, int code, std::uintptr_t key, std::intptr_t key_bits) {
  return context.platform->call_next_hook(context.shared->KBHookHandle, code, key, key_bits);
}

constexpr std::intptr_t kSwallow = 1;

// On the thread that set the hook, for input of another thread: 64-bit
// Windows calls the hook so for programs of the other word size.
bool called_out_of_context(const HookContext& context) {
  const std::uint32_t hook_thread = context.shared->HookThread;
  if (hook_thread == 0 || context.platform->current_thread() != hook_thread) return false;
  return context.platform->foreground_thread() != hook_thread;
}

// Out of context this thread's own key state is stale (it has not seen the
// other program's keys), so the modifiers come from the keyboard itself.
void read_live_modifiers(const HookPlatform& platform, std::uint8_t* state) {
  for (int key = 0; key < 256; ++key) state[key] = 0;
  constexpr std::uint32_t kModifiers[] = {kVkShift, kVkControl, kVkMenu};
  for (std::uint32_t key : kModifiers) {
    if (platform.key_down_now(key)) state[key] = 0x80;
  }
  if (platform.key_toggled(kVkCapital)) state[kVkCapital] = 0x01;
}

// Asks the active layout which character the key gives; returns it, or 0
// when the key is not one to translate (no character, two, a dead key, one
// of 0x80 and above, or Control held). A character 0 counts as none, since
// the main program reads wParam 0 as a letter reset.
std::uint32_t translated_character(const HookContext& context, std::uint32_t key, std::uint32_t bits,
                                   bool out_of_context) {
  std::uint8_t state[256];
  if (out_of_context) {
    read_live_modifiers(*context.platform, state);
  } else {
    context.platform->get_keyboard_state(state);
  }
  std::uint16_t buffer = 0;
  const int count = context.platform->to_ascii(key, (bits >> kKeyScanShift) & 0xFF, state, &buffer);
  const bool control_held = (state[kVkControl] & 0x80) != 0;
  const std::uint32_t character = buffer & 0xFF;
  if (count != 1 || character >= 0x80 || control_held) return 0;
  return character;
}

// Glyphs typed back for an earlier key of this program that it has not yet
// taken from its queue.
bool glyphs_outstanding(const HookContext& context) {
  HookProcess& process = *context.process;
  if (process.GlyphsOutstanding == 0) return false;
  if (context.platform->tick_count() - process.OutstandingSince < kGlyphsLostMs) return true;
  process.GlyphsOutstanding = 0;
  return false;
}

// Modifiers pass at once even while glyphs are outstanding: the program's
// key state must have them for the characters translated meanwhile.
constexpr bool is_modifier_key(std::uint32_t key) {
  return key == kVkShift || key == kVkControl || key == kVkMenu || key == kVkCapital || key == 0x5B ||
         key == 0x5C || (key >= 0xA0 && key <= 0xA5);
}

// A key passed on now would reach the program before glyphs it has still
// to take; it is held (posted to the main program, which types it after
// them, in order) instead. The release of a held press is held as well.
bool hold_key(HookProcess& process, std::uint32_t key, bool release, bool outstanding) {
  if (is_modifier_key(key) || key > 0xFF) return false;
  std::uint32_t& word = process.HeldPresses[key / 32];
  const std::uint32_t bit = 1u << (key % 32);
  if (release) {
    if ((word & bit) == 0 && !outstanding) return false;
    word &= ~bit;
    return true;
  }
  if (!outstanding) return false;
  word |= bit;
  return true;
}

// The key with the modifiers down for it now, to be typed again so later.
std::uint32_t held_key_word(const HookContext& context, std::uint32_t key, bool release) {
  std::uint8_t state[256];
  context.platform->get_keyboard_state(state);
  std::uint32_t word = key | (release ? kHeldKeyRelease : 0);
  if ((state[kVkShift] & 0x80) != 0) word |= kHeldKeyShift;
  if ((state[kVkControl] & 0x80) != 0) word |= kHeldKeyControl;
  if ((state[kVkMenu] & 0x80) != 0) word |= kHeldKeyAlt;
  return word;
}

}  // namespace

std::intptr_t KBHookProc(const HookContext& context, int code, std::uintptr_t key, std::intptr_t key_bits) {
  if (code < 0 || code == kHcNoRemove) return pass_on(context, code, key, key_bits);

  const KBHookShared& shared = *context.shared;
  HookProcess& process = *context.process;
  const std::uint32_t vk = static_cast<std::uint32_t>(key);
  const std::uint32_t bits = static_cast<std::uint32_t>(key_bits);
  const bool release = (bits & kKeyReleased) != 0;
  const bool typed_back_scan = ((bits >> kKeyScanShift) & 0xFF) == kTypedBackScan;
  const bool outstanding = glyphs_outstanding(context);

  // The end of a batch typed back: the program has taken its glyphs. Where
  // the other word size's library serves the program, that library counts.
  if (typed_back_scan && vk == kVkTypedBackEnd) {
    if (shared.OtherSizeServed != 0 && called_out_of_context(context)) return pass_on(context, code, key, key_bits);
    if (!release && process.GlyphsOutstanding != 0) --process.GlyphsOutstanding;
    return kSwallow;
  }
  // Keys the library typed back (the typed-back scan code, or characters
  // typed as themselves) pass untouched while the program has glyphs to
  // take; any other such key is the user's, whatever sent it.
  if (outstanding && (typed_back_scan || vk == kVkPacket)) return pass_on(context, code, key, key_bits);

  // While a playback runs, neither toggle nor translate: the keys it plays
  // must not be caught again.
  const bool playback = shared.SendBusy == kSendByPlayback;
  const bool toggle = !playback && shared.ToggleALTChar != 0 && (bits & kKeyAltHeld) != 0 && release &&
                      vk == shared.ToggleALTChar;
  if (!playback && !toggle && shared.KBOn == 0) return pass_on(context, code, key, key_bits);

  // Programs that a library of the other word size serves in their own
  // processes are its to translate; acting here too would post every key twice.
  const bool out_of_context = called_out_of_context(context);
  if (out_of_context && shared.OtherSizeServed != 0) return pass_on(context, code, key, key_bits);

  if (toggle) {
    context.platform->post_message(shared.MainWindow, kMsgHookToggle, 1, key_bits);
    return kSwallow;
  }
  if (!playback && (bits & (kKeyExtended | kKeyAltHeld | kKeyWasDown)) == 0 && is_character_key(vk) && !release) {
    const std::uint32_t character = translated_character(context, vk, bits, out_of_context);
    if (character != 0) {
      context.platform->post_message(shared.MainWindow, kMsgHookCharacter, character, key_bits);
      process.LetterResetPosted = 0;
      ++process.GlyphsOutstanding;
      process.OutstandingSince = context.platform->tick_count();
      return kSwallow;
    }
  }

  // Every untranslated press but Shift and Caps Lock closes the letter; the
  // first of a run says so.
  if (process.LetterResetPosted == 0 && vk != kVkShift && vk != kVkCapital && !release) {
    process.LetterResetPosted = 1;
    context.platform->post_message(shared.MainWindow, kMsgHookCharacter, 0, key_bits);
  }
  if (release && is_character_key(vk)) return kSwallow;
  if (hold_key(process, vk, release, outstanding)) {
    // Its own batch comes back typed after the glyphs.
    ++process.GlyphsOutstanding;
    process.OutstandingSince = context.platform->tick_count();
    context.platform->post_message(shared.MainWindow, kMsgHookHeldKey, held_key_word(context, vk, release),
                                   key_bits);
    return kSwallow;
  }
  return pass_on(context, code, key, key_bits);
}

}  // namespace tvk
