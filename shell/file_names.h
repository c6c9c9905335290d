// The names that file selection builds: the open-file dialog's filter, the
// file list's pattern and the name chosen from the list. Each result fits a
// kNameSize buffer or is refused.
#pragma once
#include <cstddef>

// The filter as written: description and pattern pairs, each part ended by
// the text's last character.
constexpr char kFileFilterText[] =
    "Language Files (*.gkl or *.gkf)|*.gkl;*.gkf|All Files (*.*)|*.*|";
// The file list shows the language files: "*.gkf" and "*.gkl".
constexpr char kListPatternTail[] = "*.gk?";

// Copies `text` into `out` with every occurrence of its last character
// turned into NUL, so the copy ends in an empty string. 0 = `out` too small.
int prepare_file_filter(char* out, std::size_t size, const char* text);

// Directory part of `current_file_name` (up to and including its last
// backslash) followed by "*.gk?", into `pattern` (kNameSize). *entry_name
// points at the part after the last backslash (the whole name without one).
// 0 = the pattern would not fit.
int make_list_pattern(const char* current_file_name, char* pattern, const char** entry_name);

// Directory part of `current_file_name` followed by `entry_text`, into
// `choice` (kNameSize). 0 = empty entry, or the name would not fit.
int make_list_choice(const char* current_file_name, const char* entry_text, char* choice);
