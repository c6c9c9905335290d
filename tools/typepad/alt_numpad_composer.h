// Composition of ALT + keypad digit sequences into one character, as Windows
// does it for the focused window (Wine does not, so typepad does it itself).
#pragma once

#include <cstdint>

namespace typepad {

enum class ComposedKind { None, Ansi, Oem };

// What an ALT release completed: with a leading keypad 0 the byte is in the
// ANSI code page, without it in the OEM code page.
struct ComposedChar {
  ComposedKind kind;
  std::uint8_t byte;
};

struct AltNumpadComposer {
  bool alt_down;
  bool cancelled;
  bool leading_zero;
  bool any_digit;
  unsigned value;  // kept below 256: Windows takes the number modulo 256
};

void alt_numpad_reset(AltNumpadComposer &composer);

// The digit a key gives on the numeric keypad, or -1. With NumLock off the
// keypad digits arrive as the navigation keys without the extended flag.
int keypad_digit(unsigned virtual_key, bool extended);

// Feeds one key press or release (repeat: the key was already down). Returns
// the composed character on the ALT release that ends a sequence. Any key but
// a keypad digit, Shift, Control or NumLock pressed while ALT is down
// cancels it.
ComposedChar alt_numpad_key(AltNumpadComposer &composer, unsigned virtual_key, bool extended,
                            bool release, bool repeat);

}  // namespace typepad
