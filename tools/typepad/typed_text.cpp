#include "tools/typepad/typed_text.h"

namespace typepad {

void typed_text_clear(TypedText &text) {
  text.length = 0;
  text.refused = 0;
  text.high_surrogate = 0;
}

int typed_text_char(TypedText &text, std::uint8_t character) {
  if (character == '\b') {
    if (text.length >= 2 && text.bytes[text.length - 2] == '\r' &&
        text.bytes[text.length - 1] == '\n')
      text.length -= 2;
    else if (text.length > 0)
      --text.length;
    return 1;
  }
  if (character < 0x20 && character != '\t' && character != '\r') return 1;
  const std::size_t needed = character == '\r' ? 2 : 1;
  if (text.bytes.size() - text.length < needed) {
    ++text.refused;
    return 0;
  }
  if (character == '\r') {
    text.bytes[text.length++] = '\r';
    text.bytes[text.length++] = '\n';
  } else {
    text.bytes[text.length++] = static_cast<char>(character);
  }
  return 1;
}

int typed_text_unit(TypedText &text, char16_t unit) {
  if (unit < 0x80) {
    if (unit == '\b') {
      // A code point's UTF-8 continuation bytes go with it.
      while (text.length > 0 && (static_cast<unsigned char>(text.bytes[text.length - 1]) & 0xC0) == 0x80)
        --text.length;
    }
    text.high_surrogate = 0;
    return typed_text_char(text, static_cast<std::uint8_t>(unit));
  }
  std::uint32_t code = unit;
  if (unit >= 0xD800 && unit < 0xDC00) {
    text.high_surrogate = unit;
    return 1;
  }
  if (unit >= 0xDC00 && unit < 0xE000) {
    if (text.high_surrogate == 0) return 1;
    code = 0x10000 + ((text.high_surrogate - 0xD800u) << 10) + (unit - 0xDC00u);
  }
  text.high_surrogate = 0;
  char bytes[4];
  std::size_t n = 0;
  if (code < 0x800) {
    bytes[n++] = static_cast<char>(0xC0 | (code >> 6));
  } else if (code < 0x10000) {
    bytes[n++] = static_cast<char>(0xE0 | (code >> 12));
    bytes[n++] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  } else {
    bytes[n++] = static_cast<char>(0xF0 | (code >> 18));
    bytes[n++] = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    bytes[n++] = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
  }
  bytes[n++] = static_cast<char>(0x80 | (code & 0x3F));
  if (text.bytes.size() - text.length < n) {
    ++text.refused;
    return 0;
  }
  for (std::size_t i = 0; i < n; ++i) text.bytes[text.length++] = bytes[i];
  return 1;
}

}  // namespace typepad
