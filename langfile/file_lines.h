// Lines of a file read through a buffer of our own rather than fgets, so a
// line's length is known exactly: fgets hides what follows a NUL byte, and a
// reader cannot tell such a line from a short one.
#pragma once
#include <cstdio>
#include <string_view>

// What a UTF-8 editor (Notepad among them) may put before the first line.
// A .gkl file keeps it as it is: the letter exchange leaves bytes above 0x7F
// alone, so the mark looks the same in both forms of a language file.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

constexpr int kFileChunkSize = 4096;

struct FileLines {
  std::FILE* file;
  unsigned char chunk[kFileChunkSize];
  int next;  // first unread byte of `chunk`
  int end;   // bytes held in `chunk`
};

// Reads `file` from its start, past a byte-order mark at the very start.
void file_lines_start(FileLines* lines, std::FILE* file);

// The next line (at most size - 1 bytes, its line feed kept) into `buffer`,
// NUL-terminated, with a CR LF pair made a single LF as a text-mode read does
// (a CR just before the bound takes the LF that follows it). Returns the
// line's length, NUL bytes included; -1 at the end of the file.
int file_lines_next(FileLines* lines, char* buffer, int size);

// 1 when no byte of the file is left.
int file_lines_at_end(FileLines* lines);
