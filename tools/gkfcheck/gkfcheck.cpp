// gkfcheck: checks a language file the way the program loads it, shows what
// typed keys produce with it, and converts between .gkf and .gkl text.
#include <cstdio>
#include <cstring>
#include <string>

#include "core/error_text.h"
#include "core/keystroke_translation.h"
#include "core/language_tables.h"
#include "core/ucode_table.h"
#include "encoding/encoding_loading.h"
#include "encoding/encoding_table.h"
#include "encoding/to_unicode.h"
#include "encoding/unicode_keystrokes.h"
#include "langfile/language_loading.h"
#include "langfile/letter_swap.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr const char* kUsage =
    "usage: gkfcheck FILE\n"
    "       gkfcheck FILE --type KEYS\n"
    "       gkfcheck FILE --unicode [--type KEYS]\n"
    "       gkfcheck --swap FILE\n"
    "       gkfcheck --help\n";

constexpr const char* kHelp =
    "\n"
    "gkfcheck FILE\n"
    "  Loads the key map and then the glyph table of the language file FILE\n"
    "  exactly as Tolvar does (same search path: IPATH, or the default list).\n"
    "  On success prints three lines and exits 0:\n"
    "    language: NAME      the GKMAIN name (empty without one)\n"
    "    keys: N             keys that the KU statements map\n"
    "    glyph rows: M       glyphs that have a row in the glyph table\n"
    "  On failure prints Tolvar's error message to standard error, exits 1.\n"
    "\n"
    "gkfcheck FILE --type KEYS\n"
    "  After loading, types each byte of KEYS as Tolvar would and prints one\n"
    "  line per byte: the byte in single quotes ('k'), or \\xNN when it is not\n"
    "  printable ASCII, then \" ->\" and the keystrokes it sends, each as \" \"\n"
    "  and two uppercase hex digits (08 is a backspace):\n"
    "    'k' -> 6B\n"
    "    'h' -> 08 B0\n"
    "    'a' ->              (the key sends nothing)\n"
    "  Last comes the line of text these keystrokes leave, in the same form:\n"
    "    screen: B0 6B\n"
    "\n"
    "gkfcheck FILE --unicode [--type KEYS]\n"
    "  Also loads the encoding table beside FILE (its name with .tsv) as\n"
    "  Tolvar does for Unicode output and prints its size:\n"
    "    encoding: N glyphs\n"
    "  A missing or malformed table fails (exit 1). With --type each line\n"
    "  shows the Unicode keystrokes instead: 08 for each backspace, then each\n"
    "  code point as U+XXXX; the last line is the text they leave, in UTF-8:\n"
    "    'k' -> U+0915 U+094D\n"
    "    'i' -> 08 U+093F\n"
    "    text: कि\n"
    "\n"
    "gkfcheck --swap FILE\n"
    "  Writes the letter-substituted text of FILE to standard output; this\n"
    "  turns a .gkf text into its .gkl form and back.\n"
    "\n"
    "Exit status: 0 success, 1 the file failed, 2 wrong arguments.\n";

int usage_error() {
  std::fputs(kUsage, stderr);
  return 2;
}

// " 6B 61" for the bytes; nothing for none.
void print_hex(const unsigned char* bytes, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) std::printf(" %02X", bytes[i]);
}

int load_language(const char* file_name, bool unicode) {
  if (!ucode_init()) {
    std::fputs("gkfcheck: the ucode table could not be indexed\n", stderr);
    return 0;
  }
  if (!load_ku_data(file_name, nullptr) || !load_gk_data(file_name, nullptr)) {
    std::fputs(ErrorText, stderr);
    return 0;
  }
  int keys = 0;
  for (unsigned char code : LiveKeyMap) keys += code != 0;
  int rows = 0;
  for (std::int32_t row : LiveGlyphTable.glyphIndex) rows += row >= 0;
  std::printf("language: %s\nkeys: %d\nglyph rows: %d\n", current_language_name(), keys, rows);
  if (!unicode) return 1;
  if (!load_encoding_table(file_name)) {
    std::fputs(ErrorText, stderr);
    return 0;
  }
  if (!encoding_table_loaded()) {
    std::fprintf(stderr, "Error: no encoding table beside %s: it types font codes only\n", file_name);
    return 0;
  }
  std::printf("encoding: %d glyphs\n", static_cast<int>(LiveEncodingTable.entry_count));
  return 1;
}

void print_key(unsigned char character) {
  if (character >= 0x20 && character < 0x7F) {
    std::printf("'%c' ->", character);
  } else {
    std::printf("\\x%02X ->", character);
  }
}

// Each byte goes the way of a posted character in Unicode output.
void type_keys_unicode(const char* keys) {
  std::u16string screen;
  static UnicodeKeystrokes strokes;
  for (const char* p = keys; *p != '\0'; ++p) {
    const auto character = static_cast<unsigned char>(*p);
    translate_key_unicode(&strokes, key_to_ucode(character), character);
    print_key(character);
    for (std::int32_t i = 0; i < strokes.backspaces; ++i) {
      std::printf(" 08");
      if (!screen.empty()) screen.pop_back();
    }
    for (std::int32_t i = 0; i < strokes.count; ++i) {
      std::printf(" U+%04X", static_cast<unsigned>(strokes.text[i]));
      screen += strokes.text[i];
    }
    std::printf("\n");
  }
  std::string text;
  for (char16_t c : screen) append_utf8(text, c);
  std::printf("text: %s\n", text.c_str());
}

// Each byte goes the way of a posted character: key map, then translation.
void type_keys(const char* keys) {
  std::string screen;
  for (const char* p = keys; *p != '\0'; ++p) {
    const auto character = static_cast<unsigned char>(*p);
    KeystrokeString strokes{};
    std::int32_t count = 0;
    translate_key(&strokes, &count, key_to_ucode(character), character);
    if (count < 0 || count >= kKeystrokeStringSize) count = 0;
    strokes.bytes[count] = '\0';

    print_key(character);
    const auto* bytes = reinterpret_cast<const unsigned char*>(strokes.bytes);
    print_hex(bytes, static_cast<std::size_t>(count));
    std::printf("\n");
    for (std::int32_t i = 0; i < count; ++i) {
      if (bytes[i] == 0x08) {
        if (!screen.empty()) screen.pop_back();
      } else {
        screen += static_cast<char>(bytes[i]);
      }
    }
  }
  std::printf("screen:");
  print_hex(reinterpret_cast<const unsigned char*>(screen.data()), screen.size());
  std::printf("\n");
}

// Byte for byte both ways: a text-mode read on Windows would end the text at
// a 0x1A byte and turn line ends, which the exchange must leave as they are.
int swap_file(const char* file_name) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::FILE* file = std::fopen(file_name, "rb");
  if (file == nullptr) {
    std::fprintf(stderr, "Error: could not open %s for reading\n", file_name);
    return 1;
  }
  std::string text;
  char chunk[4096];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, file)) > 0;) {
    text.append(chunk, got);
  }
  std::fclose(file);
  // swap_letters stops at a NUL byte: take the text piece by piece.
  std::string swapped(text.size() + 1, '\0');
  for (std::size_t at = 0; at < text.size(); ++at) {
    at += swap_letters(text.c_str() + at, &swapped[at]);
  }
  std::fwrite(swapped.data(), 1, text.size(), stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage_error();
  const std::string first = argv[1];
  if (first == "--help" || first == "-h") {
    std::fputs(kUsage, stdout);
    std::fputs(kHelp, stdout);
    return 0;
  }
  if (first == "--swap") {
    if (argc != 3) return usage_error();
    return swap_file(argv[2]);
  }
  if (first.empty() || first[0] == '-') return usage_error();
  int next = 2;
  const bool unicode = next < argc && std::strcmp(argv[next], "--unicode") == 0;
  if (unicode) ++next;
  const bool typing = next + 2 == argc && std::strcmp(argv[next], "--type") == 0;
  if (next != argc && !typing) return usage_error();

  const int loaded = load_language(argv[1], unicode);
  if (loaded && typing) {
    if (unicode) {
      type_keys_unicode(argv[next + 1]);
    } else {
      type_keys(argv[next + 1]);
    }
  }
  free_language_tables();
  return loaded ? 0 : 1;
}
