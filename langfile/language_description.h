// A language folder's description file, language.txt: for each language in
// the folder its display name, its language file, the font a document must
// use and whether Tolvar ships that font. Plain key=value lines; a block
// begins with name= (README, "Language descriptions"):
//
//   name=Kruti Dev 010
//   file=KrutiDev010.gkf
//   font=Kruti Dev 010
//   ships-font=no
//   words=hi
//
// words= (optional) names the language whose words Suggest words offers:
// hi (Hindi, the default), mr (Marathi) or ne (Nepali).
#pragma once
#include <string_view>

constexpr int kDescriptionNameSize = 64;   // display and font names, with their NUL
constexpr int kDescriptionFileSize = 64;   // a file name in the folder, with its NUL
constexpr int kDescriptionLineSize = 256;  // a line, without its line feed
constexpr int kLanguagesPerFolder = 8;

struct LanguageDescription {
  char name[kDescriptionNameSize];
  char file[kDescriptionFileSize];
  char font[kDescriptionNameSize];
  bool ships_font;
  char words[3];  // "hi", "mr" or "ne"; "hi" when not given
};

struct LanguageFolder {
  LanguageDescription languages[kLanguagesPerFolder];
  int count;
};

// Reads a description text; `source` names it in messages. 1 = read, every
// block complete; 0 with ErrorText "SOURCE line N: ... 'TEXT'\n" (a line
// without '=', an unknown key, a value too long or empty, a key given twice
// in a block or before name=, a file name with a folder in it, ships-font
// other than yes or no, words other than hi, mr or ne, a block without file, font or ships-font, more than
// kLanguagesPerFolder languages, or none) and `folder` emptied.
int read_language_descriptions(std::string_view text, const char* source, LanguageFolder* folder);

// The same for the file at `path` (at most 4096 bytes); a file that does not
// open is named.
int load_language_descriptions(const char* path, LanguageFolder* folder);
