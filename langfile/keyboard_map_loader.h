// Reads the KU statements of a language file into a key map.
#pragma once
#include "core/language_tables.h"

// Fills `map` from `file_name` or `text` (exactly one is given).
// Non-zero = success; 0 with ErrorText, `map` holding what was read so far.
int fillup_k_u_map(KeyMap* map, const char* file_name, const char* text);
