// Reading the suggestion engine's files: a whole file into memory (loading
// may allocate; typing does not), then line by line with numbers for
// messages. Every file is untrusted: its size is bounded on entry.
#pragma once
#include <cstddef>
#include <string_view>
#include <vector>

// Largest file the engine reads (the shipped Hindi lexicon is about 1 MB).
constexpr std::size_t kMaxDataFileBytes = 32u << 20;

// Reads `path` into `text`. 1 = read; 0 with ErrorText naming the file when it
// does not open, does not read or is larger than `limit`.
int read_data_file(const char* path, std::size_t limit, std::vector<char>* text);

struct LineCursor {
  std::string_view rest;
  int number;  // of the line last taken, from 1
};

// Takes the next line (without its line feed; a CR before it is dropped).
// 0 at the end of the text.
int next_line(LineCursor* cursor, std::string_view* line);

// Splits `line` at its first tab: `head` before, `line` keeps the rest.
// 0 when there is no tab.
int split_tab(std::string_view* line, std::string_view* head);

// A decimal number of at most 9 digits (an optional leading '-'), the whole
// of `text`. 0 when `text` is not one.
int parse_number(std::string_view text, long* value);
