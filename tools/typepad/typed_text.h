// The text typepad shows: the bytes its window was typed, in a fixed buffer.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace typepad {

constexpr std::size_t typed_text_capacity = 65536;

struct TypedText {
  std::array<char, typed_text_capacity> bytes;
  std::size_t length;
  std::size_t refused;  // characters that found the buffer full
  char16_t high_surrogate;  // Unicode text: the first half of a pair, until its second
};

void typed_text_clear(TypedText &text);

// Applies one character message: Backspace removes the last character (a line
// break as a whole), Enter adds "\r\n", Tab and bytes from 0x20 up are added,
// other control characters are ignored. Returns 0 when the buffer is full.
int typed_text_char(TypedText &text, std::uint8_t character);

// The same for one UTF-16 unit of a Unicode window, kept as UTF-8: Backspace
// removes the last code point (a line break as a whole), a surrogate pair
// becomes one code point, a lone surrogate is dropped.
int typed_text_unit(TypedText &text, char16_t unit);

}  // namespace typepad
