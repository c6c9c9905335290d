// Splits the reader's lines into classified tokens for the two loaders.
#pragma once
#include <cstdint>

// Token buffers hold this many bytes: a token keeps at most 255 characters.
constexpr int kTokenSize = 256;

enum TokenClass : int {
  TOK_END = 0,
  TOK_KU = 1,
  TOK_GK = 2,
  TOK_NUMBER = 4,
  TOK_WORD = 5,
  TOK_GKA = 7,
  TOK_GKS = 8,
  TOK_INVISIBLE = 9,
  TOK_PREPEND = 10,
  TOK_APPEND = 11,
  TOK_GKMAIN = 12,
  TOK_GKALTERNATE = 13,
  TOK_GKM = 14,
  TOK_STRING = 15,
  TOK_EOL = 100,
};

// The next token of the open source; its text goes into `token`
// (kTokenSize bytes). A token longer than kTokenSize - 1 characters keeps
// its first kTokenSize - 1 and is never a number (its value would be wrong):
// it is a string when quoted at both ends, a word otherwise. At TOK_END the
// text is the last token of a last line without a line feed (else empty), so
// pass the same buffer for every call on one source.
TokenClass next_token(char* token);

// The token as messages name it: its text; "end of line" for TOK_EOL, and
// "end of file" for a TOK_END that names no last token.
const char* token_shown(TokenClass token_class, const char* token);

// Scans one token of the current line from *cursor into `token`
// (kTokenSize bytes, cut as above) and moves the cursor past it. Returns the
// token's full length, quotes included; 0 when the line has no more tokens,
// and then `token` is left as it was.
int scan_token(const char** cursor, char* token);

// Decimal, 0x/0X hexadecimal or leading-0 octal, with an optional sign and
// leading white space; saturates at the 32-bit limits; 0 without digits.
std::int32_t number_value(const char* token);
