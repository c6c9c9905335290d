// The languages Tolvar ships: every folder of the languages folder beside
// the program that holds a language.txt, each language it describes.
#pragma once
#include "langfile/language_description.h"
#include "langfile/path_walk.h"

constexpr int kShippedLanguagesMax = 24;
constexpr int kShippedFoldersMax = 32;

struct ShippedLanguage {
  char path[kCandidatePathSize];  // FOLDER\file, as load_language_unit takes it
  LanguageDescription description;
};

struct ShippedLanguages {
  ShippedLanguage languages[kShippedLanguagesMax];
  int count;
};

// Lists `languages_folder` (its sub-folders in name order, each folder's
// languages in the order of its language.txt); `separator` joins the paths.
// A folder without language.txt is no language. 1 when every language.txt
// read; else 0 with a line in ErrorText for each that did not (or for the
// languages past kShippedLanguagesMax), the others listed all the same.
int list_shipped_languages(const char* languages_folder, char separator, ShippedLanguages* out);

// The index of the language whose display name is `name`, or -1.
int find_shipped_language(const ShippedLanguages& list, const char* name);
