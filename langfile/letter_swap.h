// The letter substitution of .gkl files: letters and digits exchanged in
// fixed pairs. It is its own inverse, so one routine writes and reads them.
#pragma once
#include <cstddef>

// Writes the substituted text of `source` (NUL-terminated) into
// `destination`, which may be `source` itself and must hold as many bytes.
// Returns the length of the text.
std::size_t swap_letters(const char* source, char* destination);
