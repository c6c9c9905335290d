#include "langfile/file_lines.h"

#include <cstring>

namespace {

// 1 when unread bytes are in the chunk, reading the next chunk if needed.
int has_bytes(FileLines* lines) {
  if (lines->next < lines->end) return 1;
  lines->next = 0;
  lines->end = static_cast<int>(std::fread(lines->chunk, 1, sizeof lines->chunk, lines->file));
  return lines->end > 0;
}

}  // namespace

void file_lines_start(FileLines* lines, std::FILE* file) {
  lines->file = file;
  lines->next = 0;
  lines->end = static_cast<int>(std::fread(lines->chunk, 1, sizeof lines->chunk, file));
  const std::size_t mark = kUtf8ByteOrderMark.size();
  if (static_cast<std::size_t>(lines->end) >= mark &&
      std::memcmp(lines->chunk, kUtf8ByteOrderMark.data(), mark) == 0) {
    lines->next = static_cast<int>(mark);
  }
}

int file_lines_next(FileLines* lines, char* buffer, int size) {
  int length = 0;
  while (length < size - 1 && has_bytes(lines)) {
    const unsigned char* start = lines->chunk + lines->next;
    const int room = size - 1 - length;
    const int held = lines->end - lines->next;
    const int span = held < room ? held : room;
    const void* line_feed = std::memchr(start, '\n', static_cast<std::size_t>(span));
    const int take =
        line_feed != nullptr
            ? static_cast<int>(static_cast<const unsigned char*>(line_feed) - start) + 1
            : span;
    std::memcpy(buffer + length, start, static_cast<std::size_t>(take));
    length += take;
    lines->next += take;
    if (line_feed != nullptr) break;
  }
  buffer[length] = '\0';
  if (length == 0) return -1;
  if (length >= 2 && buffer[length - 2] == '\r' && buffer[length - 1] == '\n') {
    buffer[length - 2] = '\n';
    buffer[--length] = '\0';
  } else if (buffer[length - 1] == '\r' && has_bytes(lines) && lines->chunk[lines->next] == '\n') {
    ++lines->next;
    buffer[length - 1] = '\n';
  }
  return length;
}

int file_lines_at_end(FileLines* lines) { return !has_bytes(lines); }
