#include "langfile/source_reader.h"

#include <cstdlib>
#include <cstring>

#include "core/error_text.h"
#include "langfile/letter_swap.h"
#include "langfile/path_walk.h"

SourceReaderState SourceReader;

namespace {

// HOME as it was the first time a tilde needed it; "." when not defined. A
// value too long for any candidate is kept just long enough to be refused.
const char* cached_home_directory() {
  static char home[kCandidatePathSize + 1];
  static bool looked_up = false;
  if (!looked_up) {
    looked_up = true;
    const char* value = std::getenv("HOME");
    if (value == nullptr) value = ".";
    std::strncpy(home, value, kCandidatePathSize);
    home[kCandidatePathSize] = '\0';
  }
  return home;
}

char lower_ascii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Names ending in "gkl" (any case) after at least one other character.
int names_swapped_file(const char* file_name) {
  const std::size_t length = std::strlen(file_name);
  if (length <= 3) return 0;
  const char* tail = file_name + length - 3;
  return lower_ascii(tail[0]) == 'g' && lower_ascii(tail[1]) == 'k' && lower_ascii(tail[2]) == 'l';
}

void close_file() {
  if (SourceReader.file != nullptr) {
    std::fclose(SourceReader.file);
    SourceReader.file = nullptr;
  }
}

// A file line, read in binary mode on every build with CR LF made LF as a
// text-mode read does: a stray CR before it stays in the line. (Letting the
// Windows C library translate as well would fold CR CR LF into one line end
// there only.) A NUL byte is refused: the statement scanner would see the
// line end there and take the next line for the rest of the statement.
int fetch_file_line(char* buffer, int size) {
  if (SourceReader.fault[0] != '\0') return 0;
  const int length = file_lines_next(&SourceReader.file_lines, buffer, size);
  if (length < 0) return 0;
  const void* nul = std::memchr(buffer, '\0', static_cast<std::size_t>(length));
  if (nul != nullptr) {
    std::snprintf(SourceReader.fault, sizeof SourceReader.fault,
                  "Error in language file - NUL byte in column %d (line %d)\n",
                  static_cast<int>(static_cast<const char*>(nul) - buffer) + 1,
                  SourceReader.line_number);
    buffer[0] = '\0';
    return 0;
  }
  return 1;
}

// A line of the in-memory text: ends after LF, after CR (stored as LF, with
// a directly following LF consumed) or at the end of the text; at most
// size - 1 characters, the rest coming as the next line.
int fetch_text_line(char* buffer, int size) {
  const char* cursor = SourceReader.text;
  if (cursor == nullptr || *cursor == '\0') return 0;
  int length = 0;
  while (length < size - 1 && *cursor != '\0') {
    const char c = *cursor++;
    if (c == '\r') {
      buffer[length++] = '\n';
      if (*cursor == '\n') ++cursor;
      break;
    }
    buffer[length++] = c;
    if (c == '\n') break;
  }
  buffer[length] = '\0';
  SourceReader.text = cursor;
  return 1;
}

// The first candidate along `path_list` that opens, with its path in
// `found`; null when none does.
std::FILE* search_open_path(const char* path_list, const char* file_name, const char* mode,
                            char (&found)[kCandidatePathSize]) {
  PathWalk walk;
  path_walk_start(&walk, platform_path_rules(), path_list, file_name, cached_home_directory);
  while (path_walk_next(&walk, found)) {
    std::FILE* file = std::fopen(found, mode);
    if (file != nullptr) return file;
  }
  return nullptr;
}

const char* source_path_list() {
  const char* path_list = std::getenv("IPATH");
  return path_list != nullptr ? path_list : platform_path_rules().default_path_list;
}

}  // namespace

std::FILE* search_open(const char* path_list, const char* file_name, const char* mode) {
  char found[kCandidatePathSize];
  return search_open_path(path_list, file_name, mode, found);
}

int locate_source(const char* file_name, char (&path)[kCandidatePathSize]) {
  std::FILE* file = search_open_path(source_path_list(), file_name, "rb", path);
  if (file == nullptr) return 0;
  std::fclose(file);
  return 1;
}

int open_source(const char* file_name, const char* text) {
  if (file_name != nullptr || text != nullptr) SourceReader.fault[0] = '\0';
  const std::size_t mark = kUtf8ByteOrderMark.size();
  if (text != nullptr && std::strncmp(text, kUtf8ByteOrderMark.data(), mark) == 0) text += mark;
  SourceReader.text = text;
  SourceReader.line_number = 0;
  SourceReader.line[0] = '\0';
  SourceReader.token_cursor = SourceReader.line;
  SourceReader.swap_letters_on = 0;
  close_file();

  if (file_name != nullptr) {
    SourceReader.file = search_open(source_path_list(), file_name, "rb");
    if (SourceReader.file == nullptr) {
      SourceReader.text = nullptr;
      set_error_text("Error: could not open %s for reading\n", file_name);
      return 0;
    }
    file_lines_start(&SourceReader.file_lines, SourceReader.file);
    if (names_swapped_file(file_name)) SourceReader.swap_letters_on = 1;
  }
  if (SourceReader.file != nullptr && text != nullptr) {
    close_file();
    SourceReader.text = nullptr;
    SourceReader.swap_letters_on = 0;
    set_error_text("Error: program error, got file name (%s) + string\n", file_name);
    return 0;
  }
  return 1;
}

int fetch_line(char* buffer, int size) {
  ++SourceReader.line_number;
  if (size < 2) {
    if (size == 1) buffer[0] = '\0';
    return 0;
  }
  buffer[0] = '\0';
  int got_line = 0;
  if (SourceReader.file != nullptr) {
    got_line = fetch_file_line(buffer, size);
  } else {
    got_line = fetch_text_line(buffer, size);
  }
  if (!got_line) return 0;
  if (SourceReader.swap_letters_on) swap_letters(buffer, buffer);
  return 1;
}

int source_fault_reported() {
  if (SourceReader.fault[0] == '\0') return 0;
  set_error_text("%s", SourceReader.fault);
  return 1;
}
