#include "langfile/keyboard_map_loader.h"

#include "core/error_text.h"
#include "langfile/ucode_lookup.h"
#include "langfile/source_reader.h"
#include "langfile/statement_scanner.h"

namespace {

// One KU statement after its keyword. 1 = entry made; 0 with ErrorText.
int read_ku_statement(KeyMap* map, char* token) {
  TokenClass token_class = next_token(token);
  if (token_class != TOK_NUMBER && token_class != TOK_WORD) {
    set_error_text("Error in parsing KU map - expect a key code after KU (line %d)\n",
                   SourceReader.line_number);
    return 0;
  }
  unsigned char key = 0;
  if (token[1] == 'x') {
    key = static_cast<unsigned char>(number_value(token) & 0xFF);
  } else if (token[1] != '\0') {
    set_error_text("Error in parsing KU map - got extra characters %c %s (line %d)\n", token[0],
                   token + 1, SourceReader.line_number);
    return 0;
  } else {
    key = static_cast<unsigned char>(token[0]);
  }

  token_class = next_token(token);
  if (token_class != TOK_WORD) {
    set_error_text("Error in parsing KU map - expect a ucode name after KU %c (line %d)\n", key,
                   SourceReader.line_number);
    return 0;
  }
  unsigned char code = 0;
  if (!remembered_ucode_by_name(&code, token)) {
    set_error_text("Error in parsing KU map - illegal ucode name <%s> after KU %c (line %d)\n",
                   token, key, SourceReader.line_number);
    return 0;
  }
  if ((*map)[key] != 0) {
    set_error_text("Error in parsing KU map - duplicate entry for key %c (line %d)\n", key,
                   SourceReader.line_number);
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
  if (!recognized) {
    set_error_text(
        "Error in parsing Keyboard file - no lines were recognized - probably not a Keyboard "
        "File\n");
    return 0;
  }
  return ok;
}
