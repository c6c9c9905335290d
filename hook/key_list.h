// The key list of a send and its player: a keystroke string becomes key
// entries (a Backspace tap, or ALT held around keypad 0 and three digits),
// and the player turns the entries into single key presses and releases.
#pragma once
#include <cstdint>

namespace tvk {

constexpr std::uint32_t kKeyListSize = 1024;

// VK_MENU entries toggle ALT; every other entry taps its key.
struct KeyList {
  std::uint32_t entries[kKeyListSize];
  std::uint32_t count;
  std::uint32_t position;  // next entry to play
};

struct KeyPlayer {
  std::uint32_t tap_key;  // key whose release is still due, 0 = none
  bool alt_down;
  bool key_since_alt;  // a key went down or up since ALT was pressed
};

struct KeyEvent {
  std::uint32_t key;  // virtual-key code
  bool release;
  bool system;  // play as WM_SYSKEYDOWN / WM_SYSKEYUP
};

// Fills the list from a zero-terminated string (nullptr counts as empty).
// Returns 1, or 0 when the string needs more than kKeyListSize entries; the
// list is then left empty so nothing of it can be played.
int BuildKeyList(KeyList& list, const char* keys, std::uint16_t (*vk_key_scan)(std::uint8_t));

void ResetKeyPlayer(KeyList& list, KeyPlayer& player);

// Produces the next event into `event` and returns 1, or returns 0 at the end.
int NextKeyEvent(KeyList& list, KeyPlayer& player, KeyEvent& event);

}  // namespace tvk
