#include "langfile/keyboard_map_loader.h"

#include <cstdio>

#include "core/error_text.h"
#include "langfile/ucode_lookup.h"
#include "langfile/source_reader.h"
#include "langfile/statement_scanner.h"

namespace {

// A key as messages name it: its character when that is visible, else its
// code (a %c of key 0 would end the message there).
struct KeyText {
  char text[8];
};

KeyText key_text(unsigned char key) {
  KeyText out{};
  if (key > 0x20 && key < 0x7F) {
    out.text[0] = static_cast<char>(key);
  } else {
    std::snprintf(out.text, sizeof out.text, "0x%02X", key);
  }
  return out;
}

// One KU statement after its keyword. 1 = entry made; 0 with ErrorText.
int read_ku_statement(KeyMap* map, char* token) {
  TokenClass token_class = next_token(token);
  if (token_class != TOK_NUMBER && token_class != TOK_WORD) {
    set_error_text("Error in parsing KU map - expect a key code after KU (line %d, got %s)\n",
                   SourceReader.line_number, token_shown(token_class, token));
    return 0;
  }
  unsigned char key = 0;
  if (token[1] == 'x') {
    const std::int32_t value = number_value(token);
    if (value < 0 || value > 0xFF) {
      set_error_text("Error in parsing KU map - illegal key code %s (line %d)\n", token,
                     SourceReader.line_number);
      return 0;
    }
    key = static_cast<unsigned char>(value);
  } else if (token[1] != '\0') {
    set_error_text("Error in parsing KU map - got extra characters %c %s (line %d)\n", token[0],
                   token + 1, SourceReader.line_number);
    return 0;
  } else {
    key = static_cast<unsigned char>(token[0]);
  }

  token_class = next_token(token);
  if (token_class != TOK_WORD) {
    set_error_text(
        "Error in parsing KU map - expect a ucode name after KU %s (line %d, got %s)\n",
        key_text(key).text, SourceReader.line_number, token_shown(token_class, token));
    return 0;
  }
  unsigned char code = 0;
  if (!remembered_ucode_by_name(&code, token)) {
    set_error_text("Error in parsing KU map - illegal ucode name <%s> after KU %s (line %d)\n",
                   token, key_text(key).text, SourceReader.line_number);
    return 0;
  }
  if ((*map)[key] != 0) {
    set_error_text("Error in parsing KU map - duplicate entry for key %s (line %d)\n",
                   key_text(key).text, SourceReader.line_number);
    return 0;
  }
  (*map)[key] = code;
  return 1;
}

}  // namespace

int fillup_k_u_map(KeyMap* map, const char* file_name, const char* text) {
  if (file_name != nullptr && text != nullptr) {
    set_error_text("fillup_k_u_map: Program error got both fname and string\n");
    return 0;
  }
  if (map == nullptr) {
    set_error_text("fillup_k_u_map: Program error got NULL font\n");
    return 0;
  }
  map->fill(0);
  if (!open_source(file_name, text)) return 0;

  int recognized = 0;
  int ok = 1;
  {
    SourceCloser closer;
    char token[kTokenSize];
    for (TokenClass token_class = next_token(token); token_class != TOK_END;
         token_class = next_token(token)) {
      if (token_class != TOK_KU) continue;
      if (!read_ku_statement(map, token)) {
        ok = 0;
        break;
      }
      recognized = 1;
    }
  }
  if (source_fault_reported()) return 0;
  if (!recognized) {
    set_error_text(
        "Error in parsing Keyboard file - no lines were recognized - probably not a Keyboard "
        "File\n");
    return 0;
  }
  return ok;
}
