#include "langfile/glyph_map_loader.h"

#include <cstring>

#include "core/error_text.h"
#include "langfile/ucode_lookup.h"
#include "langfile/source_reader.h"
#include "langfile/statement_scanner.h"

namespace {

// The messages about the glyph operand of one statement kind.
struct GlyphOperandMessages {
  const char* expect;   // (line, token shown)
  const char* illegal;  // (value, line, token)
  const char* locate;   // (token text, line)
};

constexpr GlyphOperandMessages kGkMessages{
    "Error in parsing GKFUNC - expect a char code after GK (line %d, got %s)\n",
    "Error in parsing GKFUNC - illegal char code 0x%x (line %d, got %s)\n",
    "Error in parsing GKFUNC - could not locate glyph %s in glyphIndex. GK (line %d)\n"};
constexpr GlyphOperandMessages kGkaMessages{
    "Error in parsing GKATTR - expect a char code after GKA (line %d, got %s)\n",
    "Error in parsing GKATTR - illegal char code 0x%x (line %d, got %s)\n",
    "Error in parsing GKATTR - could not locate glyph %s in glyphIndex. GK (line %d)\n"};
constexpr GlyphOperandMessages kGksMessages{
    "Error in parsing GKSAME - expect a char code after GKS (line %d, got %s)\n",
    "Error in parsing GKSAME - illegal char code 0x%x (line %d, got %s)\n",
    "Error in parsing GKSAME - could not locate glyph %s in glyphIndex. GK (line %d)\n"};

const GlyphOperandMessages* glyph_statement_messages(TokenClass token_class) {
  switch (token_class) {
    case TOK_GK: return &kGkMessages;
    case TOK_GKA: return &kGkaMessages;
    case TOK_GKS: return &kGksMessages;
    default: return nullptr;
  }
}

int line_number() { return SourceReader.line_number; }

constexpr std::int32_t kBackspaceCode = 0x08;

// Checks a glyph code already read as a number token.
int check_glyph_value(const char* token, const GlyphOperandMessages& messages, int* glyph) {
  const std::int32_t value = number_value(token);
  if (value < 0 || value > 255) {
    set_error_text(messages.illegal, static_cast<unsigned>(value), line_number(), token);
    return 0;
  }
  *glyph = value;
  return 1;
}

// Reads a glyph operand (a number 0-255) into *glyph; its text stays in token.
int read_glyph_operand(char* token, const GlyphOperandMessages& messages, int* glyph) {
  const TokenClass token_class = next_token(token);
  if (token_class != TOK_NUMBER) {
    set_error_text(messages.expect, line_number(), token_shown(token_class, token));
    return 0;
  }
  return check_glyph_value(token, messages, glyph);
}

// The row of `glyph`, or null with the "could not locate" message.
GlyphRow* glyph_row(GlyphTable* table, int glyph, const char* glyph_text,
                    const GlyphOperandMessages& messages) {
  const std::int32_t row = table->glyphIndex[glyph];
  if (row < 0) {
    set_error_text(messages.locate, glyph_text, line_number());
    return nullptr;
  }
  return &table->rows[row];
}

int sequence_is_empty(const unsigned char* sequence) {
  for (int i = 0; i < kGlyphSequenceLength; ++i) {
    if (sequence[i] != 0) return 0;
  }
  return 1;
}

int read_gkmain(GlyphTable* table, char* token) {
  TokenClass token_class = next_token(token);
  if (token_class == TOK_WORD || token_class == TOK_STRING) {
    std::strncpy(table->name, token, kLanguageNameSize - 1);
    table->name[kLanguageNameSize - 1] = '\0';
    token_class = next_token(token);
    if (token_class == TOK_EOL || token_class == TOK_WORD || token_class == TOK_STRING) return 1;
  }
  set_error_text("Error in parsing GKMAIN - expect a char string GKMAIN (line %d, got %s)\n",
                 line_number(), token_shown(token_class, token));
  return 0;
}

int read_gk(GlyphTable* table, char* token) {
  int glyph = 0;
  if (!read_glyph_operand(token, kGkMessages, &glyph)) return 0;
  char glyph_text[kTokenSize];
  std::strcpy(glyph_text, token);

  unsigned char code = 0;
  const TokenClass ucode_class = next_token(token);
  if (ucode_class != TOK_WORD || !remembered_ucode_by_name(&code, token)) {
    set_error_text("Error in parsing GKFUNC - expect a text ucode after GK (line %d-got %s)\n",
                   line_number(), token_shown(ucode_class, token));
    return 0;
  }
  if (code >= kGlyphRowUcodes) {
    set_error_text("Error in parsing GKFUNC - illegal ucode %d (line %d, got %s)\n", code,
                   line_number(), token);
    return 0;
  }
  char ucode_text[kTokenSize];
  std::strcpy(ucode_text, token);
  GlyphRow* row = glyph_row(table, glyph, glyph_text, kGkMessages);
  if (row == nullptr) return 0;

  unsigned char* sequence = row->map[code];
  std::memset(sequence, 0, kGlyphSequenceLength);
  int count = 0;
  for (;;) {
    const TokenClass token_class = next_token(token);
    if (token_class == TOK_EOL) return 1;
    if (token_class != TOK_NUMBER) {
      set_error_text(
          "Error in parsing GKFUNC - expect a integer char code after GK (line %d, got %s)\n",
          line_number(), token_shown(token_class, token));
      return 0;
    }
    const std::int32_t value = number_value(token);
    if (value < 0 || value > 255) {
      set_error_text("Error in parsing GK - illegal char code 0x%x (line %d, got %s)\n",
                     static_cast<unsigned>(value), line_number(), token);
      return 0;
    }
    // 0 ends a sequence (the codes after it would be lost) and 8 goes out
    // as a Backspace, which erases the user's text instead of drawing.
    if (value == 0 || value == kBackspaceCode) {
      set_error_text("Error in parsing GK - char code %s is %s, not a glyph, after GK %s %s "
                     "(line %d)\n",
                     token, value == 0 ? "the end of a sequence" : "a Backspace", glyph_text,
                     ucode_text, line_number());
      return 0;
    }
    // A fifth code has no place in the sequence; dropping it would type a
    // wrong letter, so the statement is refused.
    if (count == kMaxGkCodes) {
      set_error_text("Error in parsing GK - more than %d char codes after GK %s %s (line %d)\n",
                     kMaxGkCodes, glyph_text, ucode_text, line_number());
      return 0;
    }
    sequence[count++] = static_cast<unsigned char>(value);
  }
}

int read_gka(GlyphTable* table, char* token) {
  int glyph = 0;
  if (!read_glyph_operand(token, kGkaMessages, &glyph)) return 0;
  GlyphRow* row = glyph_row(table, glyph, token, kGkaMessages);
  if (row == nullptr) return 0;
  if (row->attr != 0) {
    set_error_text(
        "Error in input file gkfunc - attr is not null, and got a GKA statement (line %d, glyph "
        "0x%X)\n",
        line_number(), static_cast<unsigned>(glyph));
    return 0;
  }
  for (;;) {
    const TokenClass token_class = next_token(token);
    if (token_class == TOK_EOL) return 1;
    if (token_class == TOK_PREPEND) {
      row->attr |= kAttrPrepend;
    } else if (token_class == TOK_APPEND) {
      row->attr |= kAttrAppend;
    } else {
      set_error_text("Error in parsing GKATTR - illegal attr (%s) glyph 0x%x (line %d)\n",
                     token_shown(token_class, token), static_cast<unsigned>(glyph), line_number());
      return 0;
    }
  }
}

int read_gks(GlyphTable* table, char* token) {
  int a = 0;
  if (!read_glyph_operand(token, kGksMessages, &a)) return 0;
  GlyphRow* row_a = glyph_row(table, a, token, kGksMessages);
  if (row_a == nullptr) return 0;

  const TokenClass b_class = next_token(token);
  if (b_class != TOK_NUMBER) {
    set_error_text(
        "Error in parsing GKSAME - expect a char code after GKS 0x%02x (line %d, got %s)\n",
        static_cast<unsigned>(a), line_number(), token_shown(b_class, token));
    return 0;
  }
  int b = 0;
  if (!check_glyph_value(token, kGksMessages, &b)) return 0;
  const GlyphRow* row_b = glyph_row(table, b, token, kGksMessages);
  if (row_b == nullptr) return 0;

  if (row_a->attr != 0) {
    set_error_text(
        "Error in input file gkfunc - attr is not null, and got a GKS statement (GKS must come "
        "after GKA) (line %d, glyphs 0x%X, 0x%X)\n",
        line_number(), static_cast<unsigned>(a), static_cast<unsigned>(b));
    return 0;
  }
  row_a->attr = row_b->attr;
  for (int code = 0; code < kGlyphRowUcodes; ++code) {
    if (!sequence_is_empty(row_a->map[code])) {
      set_error_text(
          "Error in input file gkfunc - map is not null, and got a GKS statement (GKS must come "
          "before GK) (line %d, glyphs 0x%X, 0x%X)\n",
          line_number(), static_cast<unsigned>(a), static_cast<unsigned>(b));
      return 0;
    }
    std::memcpy(row_a->map[code], row_b->map[code], kGlyphSequenceLength);
  }
  return 1;
}

// Second pass: executes every statement keyword; other tokens are skipped.
int execute_statements(GlyphTable* table) {
  char token[kTokenSize];
  for (TokenClass token_class = next_token(token); token_class != TOK_END;
       token_class = next_token(token)) {
    int ok = 1;
    switch (token_class) {
      case TOK_GKMAIN: ok = read_gkmain(table, token); break;
      case TOK_GK: ok = read_gk(table, token); break;
      case TOK_GKA: ok = read_gka(table, token); break;
      case TOK_GKS: ok = read_gks(table, token); break;
      case TOK_GKALTERNATE:
        set_error_text(
            "Error in GKFUNC file, GKALTERNATE keyword not supported anymore, delete it from the "
            "file! (line %d)\n",
            line_number());
        ok = 0;
        break;
      default: break;
    }
    if (!ok) return 0;
  }
  return 1;
}

}  // namespace

int index_glyphs(std::int32_t* glyphIndex) {
  for (int glyph = 0; glyph < kGlyphCodes; ++glyph) glyphIndex[glyph] = -1;
  int rows = 0;
  char token[kTokenSize];
  TokenClass token_class = next_token(token);
  while (token_class != TOK_END) {
    const GlyphOperandMessages* messages = glyph_statement_messages(token_class);
    if (messages != nullptr) {
      int glyph = 0;
      if (!read_glyph_operand(token, *messages, &glyph)) break;
      if (glyphIndex[glyph] == -1) glyphIndex[glyph] = rows++;
    }
    while (token_class != TOK_EOL && token_class != TOK_END) token_class = next_token(token);
    if (token_class == TOK_EOL) token_class = next_token(token);
  }
  return rows - 1;
}

int fillup_ifont(GlyphTable* table, const char* file_name, const char* text) {
  if (file_name != nullptr && text != nullptr) {
    set_error_text("fillup_ifont: Program error got both fname and string\n");
    return 0;
  }
  if (table == nullptr) {
    set_error_text("fillup_ifont: Program error got NULL font\n");
    return 0;
  }
  table->name[0] = '\0';
  if (!open_source(file_name, text)) return 0;
  SourceCloser closer;

  const int highest_row = index_glyphs(table->glyphIndex);
  if (highest_row < 0) {
    if (source_fault_reported()) return 0;
    set_error_text("Error: Given file is unrecognizable, probably not a Language File\n");
    return 0;
  }
  if (!free_glyph_rows(table)) return 0;
  if (!alloc_glyph_rows(table, highest_row)) return 0;
  if (!open_source(file_name, text)) return 0;
  const int ok = execute_statements(table);
  // The second pass ends on the refused line too, unless a statement before
  // it failed first.
  if (source_fault_reported()) return 0;
  return ok;
}
