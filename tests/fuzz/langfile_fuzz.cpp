// Fuzz target: arbitrary bytes as an in-memory language text through both
// loaders and as an encoding table, then keys composed with whatever language
// is live afterwards, in font and in Unicode output.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/error_text.h"
#include "core/keystroke_translation.h"
#include "core/letter_composer.h"
#include "core/ucode_table.h"
#include "encoding/encoding_table.h"
#include "encoding/to_unicode.h"
#include "encoding/unicode_keystrokes.h"
#include "langfile/language_loading.h"
#include "langfile/source_reader.h"

namespace {

void require(bool condition) {
  if (!condition) std::abort();
}

void check_after_load() {
  require(std::memchr(ErrorText, '\0', kErrorTextSize) != nullptr);
  // The loader closed its source and keeps no pointer into the input.
  require(SourceReader.file == nullptr && SourceReader.text == nullptr);
}

void type(unsigned char character) {
  KeystrokeString strokes;
  std::int32_t count = 0;
  translate_key(&strokes, &count, key_to_ucode(character), character);
  require(count >= 0 && count < kKeystrokeStringSize);
  require(typed_count >= 0 && typed_count <= kLetterMaxGlyphs);
}

void type_unicode(unsigned char character) {
  static UnicodeKeystrokes strokes;
  translate_key_unicode(&strokes, key_to_ucode(character), character);
  require(strokes.backspaces >= 0 && strokes.backspaces <= kLetterTextSize);
  require(strokes.count >= 0 && strokes.count <= kLetterTextSize && strokes.text[strokes.count] == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const int ready = ucode_init();
  require(ready == 1);

  std::vector<char> text(data, data + size);
  text.push_back('\0');
  load_ku_data(nullptr, text.data());
  check_after_load();
  load_gk_data(nullptr, text.data());
  check_after_load();

  // The input's own bytes as keys make letters grow along its statements;
  // a sweep of every posted character follows.
  for (std::size_t i = 0; i < size && i < 256; ++i) type(data[i]);
  for (unsigned character = 1; character < 0x80; ++character) type(static_cast<unsigned char>(character));
  letter_reset();

  // A table that failed keeps the lines read before the bad one: convert
  // with that too. Each glyph adds at most kGlyphTextMax units.
  read_encoding_table(std::string_view(reinterpret_cast<const char*>(data), size), &LiveEncodingTable);
  require(std::memchr(ErrorText, '\0', kErrorTextSize) != nullptr);
  std::vector<char16_t> units(size * kGlyphTextMax + 1);
  require(glyphs_to_text(LiveEncodingTable, data, static_cast<int>(size), units.data(),
                         static_cast<int>(size * kGlyphTextMax)) >= 0);
  for (std::size_t i = 0; i < size && i < 256; ++i) type_unicode(data[i]);
  for (unsigned character = 1; character < 0x80; ++character) type_unicode(static_cast<unsigned char>(character));
  letter_reset();
  return 0;
}
