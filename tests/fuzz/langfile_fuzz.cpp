// Fuzz target: arbitrary bytes as an in-memory language text through both
// loaders, then keys composed with whatever language is live afterwards.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/error_text.h"
#include "core/keystroke_translation.h"
#include "core/letter_composer.h"
#include "core/ucode_table.h"
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
  return 0;
}
