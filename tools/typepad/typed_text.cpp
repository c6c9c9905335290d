#include "tools/typepad/typed_text.h"

namespace typepad {

void typed_text_clear(TypedText &text) {
  text.length = 0;
  text.refused = 0;
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

}  // namespace typepad
