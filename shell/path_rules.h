// The rules of GetCurDirSlash and CompletePath, apart from reading the
// process's current directory. Names live in kNameSize buffers; a result
// that would not fit is refused and the buffer is left as it was.
#pragma once
#include <cstddef>

// Appends the trailing backslash to a directory of at least two characters
// that lacks one (a drive root such as "C:\" keeps its single backslash).
// 1 = done or nothing to do; 0 = no room, `dir` unchanged.
int add_directory_slash(char* dir, std::size_t size);

// Makes `name` (a kNameSize buffer) absolute against `current_dir`, which ends
// in a backslash: "C:x" and "\\server\x" stay as they are, "\x" gets the
// drive of the current directory, anything else the whole directory.
// 1 = done or nothing to do; 0 = the result would not fit, `name` unchanged.
int complete_path_against(char* name, const char* current_dir);
