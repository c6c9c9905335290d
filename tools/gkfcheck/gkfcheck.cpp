// gkfcheck: checks a language file the way the program loads it, shows what
// typed keys produce with it, and converts between .gkf and .gkl text.
#include <cstdio>
#include <cstring>
#include <string>

#include "core/error_text.h"
#include "core/keystroke_translation.h"
#include "core/language_tables.h"
#include "core/ucode_table.h"
#include "langfile/language_loading.h"
#include "langfile/letter_swap.h"

namespace {

constexpr const char* kUsage =
    "usage: gkfcheck FILE\n"
    "       gkfcheck FILE --type KEYS\n"
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

int load_language(const char* file_name) {
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
  return 1;
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

    if (character >= 0x20 && character < 0x7F) {
      std::printf("'%c' ->", character);
    } else {
      std::printf("\\x%02X ->", character);
    }
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

int swap_file(const char* file_name) {
  std::FILE* file = std::fopen(file_name, "r");
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
  const bool typing = argc == 4 && std::strcmp(argv[2], "--type") == 0;
  if (argc != 2 && !typing) return usage_error();

  const int loaded = load_language(argv[1]);
  if (loaded && typing) type_keys(argv[3]);
  free_language_tables();
  return loaded ? 0 : 1;
}
