#include "langfile/language_loading.h"

#include <cstdio>
#include <cstring>

#include "core/error_text.h"
#include "core/language_tables.h"
#include "core/letter_composer.h"
#include "langfile/glyph_map_loader.h"
#include "langfile/keyboard_map_loader.h"

namespace {

// A file name in the appended line keeps at most this many characters, so
// the line itself is never longer than kAppendedLineSize - 1.
constexpr int kNameInLineMax = 255;
constexpr int kAppendedLineSize = 320;

// Appends the "Loading Language File" line behind the loader's message. The
// line always arrives whole: when both do not fit in ErrorText, the
// loader's message is shortened and ended with a line feed to make room.
void append_loading_failed(const char* part, const char* file_name) {
  char line[kAppendedLineSize];
  std::snprintf(line, sizeof line, "Loading Language File (%s) from %.*s failed\n", part,
                kNameInLineMax, file_name != nullptr ? file_name : "(text)");
  const std::size_t room = kErrorTextSize - 1 - std::strlen(line);
  const std::size_t length = std::strlen(ErrorText);
  if (length > room) {
    ErrorText[room] = '\0';
    if (room > 0) ErrorText[room - 1] = '\n';
  }
  append_error_text("%s", line);
}

void commit_key_map() {
  for (int key = 0; key < 256; ++key) {
    LiveKeyMap[key] = StagingKeyMap[key];
    StagingKeyMap[key] = 0;
  }
}

void commit_glyph_table() {
  free_glyph_rows(&LiveGlyphTable);
  LiveGlyphTable = StagingGlyphTable;
  StagingGlyphTable = GlyphTable{};
}

void drop_staged_glyph_table() {
  free_glyph_rows(&StagingGlyphTable);
  StagingGlyphTable = GlyphTable{};
}

}  // namespace

int load_ku_data(const char* file_name, const char* text) {
  letter_reset();
  if (!fillup_k_u_map(&StagingKeyMap, file_name, text)) {
    append_loading_failed("KU Data", file_name);
    return 0;
  }
  commit_key_map();
  return 1;
}

int load_gk_data(const char* file_name, const char* text) {
  if (!fillup_ifont(&StagingGlyphTable, file_name, text)) {
    drop_staged_glyph_table();
    append_loading_failed("GK Data", file_name);
    return 0;
  }
  commit_glyph_table();
  return 1;
}

int stage_language(const char* file_name, const char* text) {
  letter_reset();
  if (!fillup_ifont(&StagingGlyphTable, file_name, text)) {
    drop_staged_glyph_table();
    append_loading_failed("GK Data", file_name);
    return 0;
  }
  if (!fillup_k_u_map(&StagingKeyMap, file_name, text)) {
    drop_staged_glyph_table();
    append_loading_failed("KU Data", file_name);
    return 0;
  }
  return 1;
}

void commit_staged_language() {
  commit_glyph_table();
  commit_key_map();
}

void drop_staged_language() {
  drop_staged_glyph_table();
  StagingKeyMap.fill(0);
}

int load_language(const char* file_name, const char* text) {
  if (!stage_language(file_name, text)) return 0;
  commit_staged_language();
  return 1;
}
