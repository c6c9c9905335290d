// A language as one unit: its language file (key map and glyph table), the
// encoding table beside it and its description from the folder's
// language.txt, loaded together and put in force together.
#pragma once
#include "langfile/language_description.h"
#include "langfile/path_walk.h"

struct LanguageUnit {
  // Where the language file was found, as it was opened; empty while none.
  char path[kCandidatePathSize];
  // From language.txt beside the file; name empty when the folder has no
  // description of this file.
  LanguageDescription description;
};

// The language in force.
extern LanguageUnit CurrentLanguage;

// Finds `file_name` once along the search path and stages, from that path,
// its glyph table and key map, the encoding table beside it and its
// description; commits all of them only when every one read. Resets the
// letter. 1 = in force; 0 with ErrorText naming the file and the line, and
// everything in force as it was.
int load_language_unit(const char* file_name);

// The language's display name: its description's, else its glyph table's
// own name (GKMAIN).
const char* language_display_name();
