// Fuzz target: arbitrary bytes as an encoding table, loaded from the file
// beside a language (as Tolvar loads it) and read from memory; then glyph
// bytes are converted with it both ways and keys of the Vedrokan language
// typed with Unicode output.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "core/error_text.h"
#include "core/keystroke_translation.h"
#include "core/letter_composer.h"
#include "core/ucode_table.h"
#include "encoding/encoding_loading.h"
#include "encoding/encoding_table.h"
#include "encoding/from_unicode.h"
#include "encoding/to_unicode.h"
#include "encoding/unicode_keystrokes.h"
#include "langfile/language_loading.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using fuzz::require;

void check_message() {
  require(std::memchr(ErrorText, '\0', kErrorTextSize) != nullptr);
  const std::size_t length = std::strlen(ErrorText);
  require(length == 0 || ErrorText[length - 1] == '\n');
}

void check_table(const EncodingTable& table) {
  int present = 0;
  for (const EncodingEntry& entry : table.entries) {
    present += entry.present;
    require(entry.composition_count <= kCompositionsMax);
    require(entry.text.length <= kGlyphTextMax);
    require(std::memchr(entry.name, '\0', sizeof entry.name) != nullptr);
    require(std::memchr(entry.i_length, '\0', sizeof entry.i_length) != nullptr);
  }
  require(present == table.entry_count);
}

void type_unicode(unsigned char character) {
  static UnicodeKeystrokes strokes;
  translate_key_unicode(&strokes, key_to_ucode(character), character);
  require(strokes.backspaces >= 0 && strokes.backspaces <= kLetterTextSize);
  require(strokes.count >= 0 && strokes.count <= kLetterTextSize &&
          strokes.text[strokes.count] == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const int ready = ucode_init();
  static const fuzz::Folder folder;
  // The real language, so typed keys give the glyph codes a table must serve.
  static const int language = load_language(TOLVAR_VEDROKAN_GKF, nullptr);
  static const std::string language_path = folder.write("fuzz.gkf", nullptr, 0);
  require(ready == 1 && language == 1);

  clear_encoding_table(&LiveEncodingTable);
  folder.write("fuzz.tsv", data, size);
  ErrorText[0] = '\0';
  load_encoding_table(language_path.c_str());
  check_message();
  check_table(LiveEncodingTable);

  // A table that failed keeps the lines read before the bad one: convert
  // with that too. Each glyph adds at most kGlyphTextMax units.
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ErrorText[0] = '\0';
  read_encoding_table(bytes, &LiveEncodingTable);
  check_message();
  check_table(LiveEncodingTable);
  std::vector<char16_t> units(size * kGlyphTextMax + 1);
  require(glyphs_to_text(LiveEncodingTable, data, static_cast<int>(size), units.data(),
                         static_cast<int>(size * kGlyphTextMax)) >= 0);
  std::vector<Undrawable> missing;
  unicode_to_legacy(LiveEncodingTable, bytes, missing);

  for (std::size_t i = 0; i < size && i < 256; ++i) type_unicode(data[i]);
  for (unsigned character = 1; character < 0x80; ++character)
    type_unicode(static_cast<unsigned char>(character));
  letter_reset();
  return 0;
}
