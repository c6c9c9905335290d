// legacyconv: converts text between an 8-bit Devanagari font encoding
// (Vedrokan's unless --font or --table names another) and Unicode UTF-8.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/error_text.h"
#include "encoding/encoding_table.h"
#include "encoding/from_unicode.h"
#include "encoding/to_unicode.h"
#include "tools/legacyconv/builtin_table.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr const char* kUsage =
    "usage: legacyconv --to-unicode [--font NAME | --table FILE] < legacy > utf8\n"
    "       legacyconv --from-unicode [--font NAME | --table FILE] < utf8 > legacy\n"
    "\n"
    "--to-unicode    reads bytes of the font encoding, writes Unicode (UTF-8);\n"
    "                the i sign and the reph go back into logical order, and\n"
    "                bytes the table does not list pass through as their\n"
    "                Windows-1252 characters.\n"
    "--from-unicode  reads UTF-8, writes the bytes that draw it; characters the\n"
    "                font cannot draw are left out and named on standard error.\n"
    "--font NAME     a built-in table: Vedrokan (the default), Kruti Dev 010,\n"
    "                Preeti or Kantipur (case and blanks do not count).\n"
    "--table FILE    the encoding table in FILE.\n"
    "Exit status: 0 success, 1 something could not be drawn or read, 2 wrong arguments.\n";

std::string read_all(std::FILE* f) {
  std::string data;
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) data.append(buffer, n);
  return data;
}

}  // namespace

int main(int argc, char** argv) {
  enum class Mode { kNone, kToUnicode, kFromUnicode } mode = Mode::kNone;
  const char* table_file = nullptr;
  const char* font = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--to-unicode") == 0 && mode == Mode::kNone) {
      mode = Mode::kToUnicode;
    } else if (std::strcmp(argv[i], "--from-unicode") == 0 && mode == Mode::kNone) {
      mode = Mode::kFromUnicode;
    } else if (std::strcmp(argv[i], "--table") == 0 && i + 1 < argc && table_file == nullptr && font == nullptr) {
      table_file = argv[++i];
    } else if (std::strcmp(argv[i], "--font") == 0 && i + 1 < argc && table_file == nullptr && font == nullptr) {
      font = argv[++i];
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  if (mode == Mode::kNone) {
    std::fputs(kUsage, stderr);
    return 2;
  }
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif

  std::string table_text(builtin_encoding_table());
  if (font != nullptr) {
    const BuiltinTable* builtin = builtin_table_named(font);
    if (builtin == nullptr) {
      std::fprintf(stderr, "legacyconv: no built-in table for the font '%s'; the fonts are:", font);
      for (int k = 0; k < builtin_table_count(); ++k) std::fprintf(stderr, " %s", builtin_table(k).name);
      std::fputs("\n", stderr);
      return 2;
    }
    table_text = builtin->text;
  }
  if (table_file != nullptr) {
    std::FILE* f = std::fopen(table_file, "rb");
    if (f == nullptr) {
      std::fprintf(stderr, "legacyconv: could not open %s for reading\n", table_file);
      return 1;
    }
    table_text = read_all(f);
    std::fclose(f);
  }
  static EncodingTable table;
  if (!read_encoding_table(table_text, &table)) {
    std::fprintf(stderr, "legacyconv: %s: %s", table_file ? table_file : font ? font : "built-in table", ErrorText);
    return 1;
  }

  const std::string input = read_all(stdin);
  if (mode == Mode::kToUnicode) {
    const std::string out = legacy_to_unicode(table, input);
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
  }
  std::vector<Undrawable> missing;
  const std::string out = unicode_to_legacy(table, input, missing);
  std::fwrite(out.data(), 1, out.size(), stdout);
  for (const Undrawable& m : missing) {
    std::fprintf(stderr, "legacyconv: line %d: cannot draw U+%04X\n", m.line,
                 static_cast<unsigned>(m.code_point));
  }
  return missing.empty() ? 0 : 1;
}
