#include "encoding/encoding_loading.h"

#include <cstdio>
#include <cstring>

#include "core/error_text.h"
#include "encoding/encoding_table.h"
#include "langfile/file_lines.h"
#include "langfile/source_reader.h"

namespace {

constexpr char kTableExtension[] = ".tsv";
constexpr int kTableLineSize = 1024;

// `path` with its extension (a dot after the last directory separator and
// what follows) replaced by .tsv, or .tsv appended; 0 when it does not fit.
int table_path(const char* language_path, char (&path)[kCandidatePathSize]) {
  std::size_t base = std::strlen(language_path);
  for (std::size_t i = base; i > 0; --i) {
    const char c = language_path[i - 1];
    if (c == '/' || c == '\\' || c == ':') break;
    if (c == '.') {
      base = i - 1;
      break;
    }
  }
  if (base + sizeof kTableExtension > sizeof path) return 0;
  std::memcpy(path, language_path, base);
  std::memcpy(path + base, kTableExtension, sizeof kTableExtension);
  return 1;
}

// The table of the font a second key layout types (KrutiDev010-Remington.tsv:
// KrutiDev010.tsv): `path` cut at the last '-' of its file name; 0 without one.
int font_table_path(char (&path)[kCandidatePathSize]) {
  char* dash = nullptr;
  for (char* c = path; *c != '\0'; ++c) {
    if (*c == '/' || *c == '\\' || *c == ':') dash = nullptr;
    else if (*c == '-') dash = c;
  }
  if (dash == nullptr) return 0;
  std::memcpy(dash, kTableExtension, sizeof kTableExtension);
  return 1;
}

int read_table_file(std::FILE* file, EncodingTable* table) {
  clear_encoding_table(table);
  FileLines lines;
  file_lines_start(&lines, file);
  char line[kTableLineSize];
  for (int line_number = 1;; ++line_number) {
    int length = file_lines_next(&lines, line, sizeof line);
    if (length < 0) return 1;
    if (line[length - 1] == '\n') {
      --length;
    } else if (!file_lines_at_end(&lines)) {
      set_error_text("line %d: longer than %d characters\n", line_number, kTableLineSize - 2);
      return 0;
    }
    if (!read_encoding_line(table, std::string_view(line, static_cast<std::size_t>(length)),
                            line_number))
      return 0;
  }
}

}  // namespace

int stage_encoding_table(const char* language_path) {
  clear_encoding_table(&StagingEncodingTable);
  char path[kCandidatePathSize];
  if (!table_path(language_path, path)) {
    set_error_text("Error: the encoding table's path for %.*s is too long\n", kCandidatePathSize,
                   language_path);
    return 0;
  }
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr && font_table_path(path)) file = std::fopen(path, "rb");
  // Without a table the language types font codes only.
  if (file == nullptr) return 1;
  const int loaded = read_table_file(file, &StagingEncodingTable);
  std::fclose(file);
  if (!loaded) {
    clear_encoding_table(&StagingEncodingTable);
    append_error_text("Loading Encoding Table from %.*s failed\n", kCandidatePathSize, path);
  }
  return loaded;
}

void commit_encoding_table() {
  LiveEncodingTable = StagingEncodingTable;
  clear_encoding_table(&StagingEncodingTable);
}

int load_encoding_table(const char* language_file_name) {
  char language_path[kCandidatePathSize];
  if (language_file_name == nullptr || !locate_source(language_file_name, language_path)) {
    set_error_text("Error: could not open %s for reading\n",
                   language_file_name != nullptr ? language_file_name : "(no file)");
    return 0;
  }
  if (!stage_encoding_table(language_path)) return 0;
  commit_encoding_table();
  return 1;
}

int encoding_table_loaded() { return LiveEncodingTable.entry_count > 0; }
