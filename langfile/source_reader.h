// The one language source open at a time (a file found along the search
// path, or an in-memory text) and the line reader over it.
#pragma once
#include <cstdio>

#include "langfile/file_lines.h"
#include "langfile/path_walk.h"

constexpr int kLineBufferSize = 1024;
constexpr int kSourceFaultSize = 128;

struct SourceReaderState {
  std::FILE* file;
  FileLines file_lines;
  // Next unread character of an in-memory text; null when reading no text.
  const char* text;
  // On while the open file is a .gkl file.
  int swap_letters_on;
  // Number of the current line, counted from 1 since the last open.
  int line_number;
  char line[kLineBufferSize];
  // Where the statement scanner resumes in `line`.
  const char* token_cursor;
  // Why the source ended early (a line the reader refuses), or empty; kept
  // when the source is closed, until the next one is opened.
  char fault[kSourceFaultSize];
};

extern SourceReaderState SourceReader;

// Resets the reader, closes the open file and opens `file_name` along the
// search path (IPATH, or the platform's default list) or takes `text`; a
// UTF-8 byte-order mark at the start of either is read as nothing.
// With neither it only closes. 1 = open; 0 with ErrorText.
int open_source(const char* file_name, const char* text);

// Opens `file_name` along `path_list` with the platform's path rules and
// fopen `mode`; null when no candidate opens.
std::FILE* search_open(const char* path_list, const char* file_name, const char* mode);

// The path that open_source would open for `file_name` (along IPATH or the
// platform's default list): 1 with it in `path`; 0 when no candidate opens.
int locate_source(const char* file_name, char (&path)[kCandidatePathSize]);

// Reads the next line (at most size - 1 characters, its line feed kept) into
// `buffer`. Advances the line number even at the end. 1 = a line; 0 = end.
// A file line holding a NUL byte ends the source there, with the reason
// kept as the source's fault.
int fetch_line(char* buffer, int size);

// 1 when the last source ended on a line the reader refused, with that
// reason now in ErrorText (a loader reports it in place of what the early
// end made of its statement); 0 otherwise.
int source_fault_reported();

// Closes the source when a loader leaves, on whatever path.
struct SourceCloser {
  SourceCloser() = default;
  SourceCloser(const SourceCloser&) = delete;
  SourceCloser& operator=(const SourceCloser&) = delete;
  ~SourceCloser() { open_source(nullptr, nullptr); }
};
