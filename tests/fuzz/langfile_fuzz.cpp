// Fuzz target: arbitrary bytes as a language, read three ways (an in-memory
// text, a .gkf file and a .gkl file, which the reader passes through the
// letter exchange) through both loaders; keys are then composed with
// whatever language is live afterwards, and its key chart made with the
// Vedrokan encoding table.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "core/error_text.h"
#include "core/keystroke_translation.h"
#include "core/letter_composer.h"
#include "core/ucode_table.h"
#include "encoding/encoding_loading.h"
#include "keychart/key_chart.h"
#include "langfile/language_loading.h"
#include "langfile/source_reader.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using fuzz::require;

void check_after_load() {
  require(std::memchr(ErrorText, '\0', kErrorTextSize) != nullptr);
  // A failure's message ends with a line feed.
  const std::size_t length = std::strlen(ErrorText);
  require(length == 0 || ErrorText[length - 1] == '\n');
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

// The input's own bytes as keys make letters grow along its statements; a
// sweep of every posted character follows.
void type_with_live_language(const std::uint8_t* data, std::size_t size) {
  for (std::size_t i = 0; i < size && i < 256; ++i) type(data[i]);
  for (unsigned character = 1; character < 0x80; ++character)
    type(static_cast<unsigned char>(character));
  letter_reset();
}

void check_key_chart() {
  static KeyChart chart;
  if (!make_key_chart(&chart)) return;
  require(chart.count >= 0 && chart.count <= kChartEntriesMax);
  for (int i = 0; i < chart.count; ++i) {
    const ChartEntry& entry = chart.entries[i];
    require(entry.text_length <= kChartTextMax && entry.spelling_count <= kChartSpellingsMax);
    for (int s = 0; s < entry.spelling_count; ++s) {
      require(std::memchr(entry.spellings[s], '\0', kChartKeysMax + 1) != nullptr && entry.spellings[s][0] != '\0');
    }
  }
  require(typed_count == 0);
}

// Loads through both operations, each as the shell calls it.
void load_both_ways(const char* file_name, const char* text) {
  ErrorText[0] = '\0';
  load_ku_data(file_name, text);
  check_after_load();
  load_gk_data(file_name, text);
  check_after_load();
  ErrorText[0] = '\0';
  load_language(file_name, text);
  check_after_load();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const int ready = ucode_init();
  static const fuzz::Folder folder;
  static const int table = load_encoding_table(TOLVAR_VEDROKAN_GKF);
  require(ready == 1 && table == 1);

  std::vector<char> text(data, data + size);
  text.push_back('\0');
  load_both_ways(nullptr, text.data());
  type_with_live_language(data, size);
  check_key_chart();

  // As files the bytes arrive whole, NUL bytes and a byte-order mark included.
  for (const char* name : {"fuzz.gkf", "fuzz.gkl"}) {
    const std::string path = folder.write(name, data, size);
    load_both_ways(path.c_str(), nullptr);
    type_with_live_language(data, size);
  }
  return 0;
}
