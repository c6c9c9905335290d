#include "langfile/statement_scanner.h"

#include <cstring>

#include "langfile/source_reader.h"

namespace {

struct Keyword {
  const char* text;
  int length;
  TokenClass token_class;
};

constexpr Keyword kKeywords[] = {
    {"KU", 2, TOK_KU},           {"GK", 2, TOK_GK},
    {"GKA", 3, TOK_GKA},         {"GKS", 3, TOK_GKS},
    {"INVISIBLE", 9, TOK_INVISIBLE}, {"PREPEND", 7, TOK_PREPEND},
    {"APPEND", 6, TOK_APPEND},   {"GKMAIN", 6, TOK_GKMAIN},
    {"GKALTERNATE", 11, TOK_GKALTERNATE}, {"GKM", 3, TOK_GKM}};

// Every keyword begins with one of these letters; other tokens skip the
// comparisons (they are most of a large file's tokens).
bool may_be_keyword(char first) {
  return first == 'G' || first == 'K' || first == 'A' || first == 'P' || first == 'I';
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool ends_token(char c) { return c == '\0' || c == '\n' || is_blank(c); }

int digit_value(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

TokenClass classify(char* token, int length, char last_character) {
  if (may_be_keyword(token[0])) {
    for (const Keyword& keyword : kKeywords) {
      if (length == keyword.length && std::memcmp(token, keyword.text, length) == 0) {
        return keyword.token_class;
      }
    }
  }
  const bool cut = length > kTokenSize - 1;
  const bool signed_digit = (token[0] == '+' || token[0] == '-') && is_digit(token[1]);
  if (!cut && (is_digit(token[0]) || signed_digit)) return TOK_NUMBER;
  if (token[0] == '"' && last_character == '"') {
    if (length >= 2) {
      // Drop the quotes (only the opening one is stored when cut).
      const std::size_t stored = std::strlen(token);
      const std::size_t inner = cut ? stored - 1 : stored - 2;
      std::memmove(token, token + 1, inner);
      token[inner] = '\0';
    }
    return TOK_STRING;
  }
  return TOK_WORD;
}

}  // namespace

int scan_token(const char** cursor, char* token) {
  // Without a token the text is left alone: at the end of the source it
  // still names the last token, which a statement cut off there reports.
  if (*cursor == nullptr) return 0;
  const char* p = *cursor;
  while (is_blank(*p)) ++p;
  *cursor = p;
  if (*p == '\0') return 0;

  const char* start = p;
  if (*p == '\n') {
    ++p;
  } else {
    while (!ends_token(*p)) ++p;
    // An opened quote runs on, blanks included, to the closing quote, the
    // line feed or the end of the line.
    if (*start == '"' && p[-1] != '"') {
      while (*p != '\0') {
        const char c = *p++;
        if (c == '"' || c == '\n') break;
      }
    }
  }
  const auto length = static_cast<int>(p - start);
  const int stored = length < kTokenSize - 1 ? length : kTokenSize - 1;
  std::memcpy(token, start, static_cast<std::size_t>(stored));
  token[stored] = '\0';
  *cursor = p;
  return length;
}

TokenClass next_token(char* token) {
  int length = scan_token(&SourceReader.token_cursor, token);
  while (length == 0) {
    if (!fetch_line(SourceReader.line, kLineBufferSize)) {
      SourceReader.token_cursor = SourceReader.line;
      // The text names the last token only when it was cut off by the end:
      // not after a line end or comment, nor when nothing was read at all.
      if (SourceReader.line_number == 1 || token[0] == '\n' || token[0] == '%') token[0] = '\0';
      return TOK_END;
    }
    SourceReader.token_cursor = SourceReader.line;
    token[0] = '\0';
    length = scan_token(&SourceReader.token_cursor, token);
  }
  if (token[0] == '\n') return TOK_EOL;
  if (token[0] == '%') {
    SourceReader.line[0] = '\0';
    SourceReader.token_cursor = SourceReader.line;
    return TOK_EOL;
  }
  return classify(token, length, SourceReader.token_cursor[-1]);
}

const char* token_shown(TokenClass token_class, const char* token) {
  if (token_class == TOK_EOL) return "end of line";
  if (token_class == TOK_END && token[0] == '\0') return "end of file";
  return token;
}

std::int32_t number_value(const char* token) {
  const char* p = token;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  int base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X') && digit_value(p[2]) < 16) {
    base = 16;
    p += 2;
  } else if (p[0] == '0') {
    base = 8;
  }
  constexpr std::int64_t kLimit = 0x80000000LL;  // magnitude of INT32_MIN
  std::int64_t magnitude = 0;
  for (int digit = digit_value(*p); digit < base; digit = digit_value(*++p)) {
    magnitude = magnitude * base + digit;
    if (magnitude > kLimit) magnitude = kLimit;
  }
  if (negative) return static_cast<std::int32_t>(-magnitude);
  return static_cast<std::int32_t>(magnitude >= kLimit ? kLimit - 1 : magnitude);
}
