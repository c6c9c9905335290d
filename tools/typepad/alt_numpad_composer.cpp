#include "tools/typepad/alt_numpad_composer.h"

#include <array>

namespace typepad {

namespace {

constexpr unsigned vk_menu = 0x12;
constexpr unsigned vk_lmenu = 0xA4;
constexpr unsigned vk_rmenu = 0xA5;
constexpr unsigned vk_numpad0 = 0x60;
constexpr unsigned vk_numpad9 = 0x69;

// NumLock off: VK_INSERT, VK_END, VK_DOWN, VK_NEXT, VK_LEFT, VK_CLEAR,
// VK_RIGHT, VK_HOME, VK_UP, VK_PRIOR stand for keypad 0 to 9.
constexpr std::array<unsigned, 10> navigation_digit_keys = {0x2D, 0x23, 0x28, 0x22, 0x25,
                                                            0x0C, 0x27, 0x24, 0x26, 0x21};

bool is_alt(unsigned virtual_key) {
  return virtual_key == vk_menu || virtual_key == vk_lmenu || virtual_key == vk_rmenu;
}

// Shift, Control (either side) and NumLock neither add a digit nor end the
// sequence.
bool is_neutral(unsigned virtual_key) {
  return virtual_key == 0x10 || virtual_key == 0x11 || virtual_key == 0x90 ||
         (virtual_key >= 0xA0 && virtual_key <= 0xA3);
}

}  // namespace

void alt_numpad_reset(AltNumpadComposer &composer) { composer = AltNumpadComposer{}; }

int keypad_digit(unsigned virtual_key, bool extended) {
  if (virtual_key >= vk_numpad0 && virtual_key <= vk_numpad9)
    return static_cast<int>(virtual_key - vk_numpad0);
  if (extended) return -1;
  for (unsigned digit = 0; digit < navigation_digit_keys.size(); ++digit)
    if (navigation_digit_keys[digit] == virtual_key) return static_cast<int>(digit);
  return -1;
}

ComposedChar alt_numpad_key(AltNumpadComposer &composer, unsigned virtual_key, bool extended,
                            bool release, bool repeat) {
  const ComposedChar nothing = {ComposedKind::None, 0};
  if (is_alt(virtual_key)) {
    if (release) {
      ComposedChar result = nothing;
      if (composer.alt_down && !composer.cancelled && composer.any_digit && composer.value != 0)
        result = {composer.leading_zero ? ComposedKind::Ansi : ComposedKind::Oem,
                  static_cast<std::uint8_t>(composer.value)};
      alt_numpad_reset(composer);
      return result;
    }
    if (!repeat && !composer.alt_down) {
      alt_numpad_reset(composer);
      composer.alt_down = true;
    }
    return nothing;
  }
  if (!composer.alt_down || release || repeat || is_neutral(virtual_key)) return nothing;
  const int digit = keypad_digit(virtual_key, extended);
  if (digit < 0) {
    composer.cancelled = true;
    return nothing;
  }
  if (!composer.any_digit && digit == 0) composer.leading_zero = true;
  composer.value = (composer.value * 10 + static_cast<unsigned>(digit)) % 256;
  composer.any_digit = true;
  return nothing;
}

}  // namespace typepad
