#include "hook/key_list.h"

#include "hook/virtual_keys.h"

namespace tvk {

namespace {

bool append_entry(KeyList& list, std::uint32_t key) {
  if (list.count >= kKeyListSize) return false;
  list.entries[list.count++] = key;
  return true;
}

// A glyph byte is typed as ALT held around keypad 0 and the byte's three
// decimal digits, so the application reads it in its own code page.
bool append_alt_code(KeyList& list, std::uint8_t byte) {
  return append_entry(list, kVkMenu) && append_entry(list, kVkNumpad0) &&
         append_entry(list, kVkNumpad0 + byte / 100) && append_entry(list, kVkNumpad0 + byte / 10 % 10) &&
         append_entry(list, kVkNumpad0 + byte % 10) && append_entry(list, kVkMenu);
}

}  // namespace

int BuildKeyList(KeyList& list, const char* keys, std::uint16_t (*vk_key_scan)(std::uint8_t)) {
  list.count = 0;
  list.position = 0;
  if (keys == nullptr) return 1;
  for (const char* at = keys; *at != '\0'; ++at) {
    const std::uint8_t byte = static_cast<std::uint8_t>(*at);
    const bool appended = (vk_key_scan(byte) & 0xFF) == kVkBack ? append_entry(list, kVkBack)
                                                                : append_alt_code(list, byte);
    if (!appended) {
      list.count = 0;
      return 0;
    }
  }
  return 1;
}

void ResetKeyPlayer(KeyList& list, KeyPlayer& player) {
  list.position = 0;
  player.tap_key = 0;
  player.alt_down = false;
  player.key_since_alt = false;
}

int NextKeyEvent(KeyList& list, KeyPlayer& player, KeyEvent& event) {
  if (player.tap_key != 0) {
    event.key = player.tap_key;
    event.release = true;
    event.system = player.alt_down;
    player.tap_key = 0;
    player.key_since_alt = true;
    return 1;
  }
  if (list.position >= list.count) return 0;

  const std::uint32_t key = list.entries[list.position++];
  event.key = key;
  if (key == kVkMenu) {
    player.alt_down = !player.alt_down;
    event.release = !player.alt_down;
    // ALT on its own is a system key; ALT released after keypad keys is a
    // plain key release.
    event.system = player.alt_down || !player.key_since_alt;
    if (player.alt_down) player.key_since_alt = false;
    return 1;
  }
  player.tap_key = key;
  event.release = false;
  event.system = player.alt_down;
  player.key_since_alt = true;
  return 1;
}

}  // namespace tvk
