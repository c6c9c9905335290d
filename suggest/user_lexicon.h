// The words a user chose, remembered for next time: for a romanized word,
// the Devanagari word picked for it ranks first when it is typed again.
// Bounded: it keeps the kUserLexiconEntries most recently used choices.
//
// File (UTF-8 text): "tolvar-user-words 1", then one line per choice:
// ROMAN<tab>WORD<tab>USES<tab>LAST-USE, with ROMAN 1-32 letters a-z, WORD
// 1-64 Devanagari letters, USES and LAST-USE counts below 10^9.
#pragma once
#include <cstddef>
#include <cstdint>

#include "suggest/native_letters.h"

constexpr int kUserLexiconEntries = 256;

struct UserWord {
  char roman[kMaxRomanLetters + 1];
  unsigned char letters[kMaxNativeLetters];
  std::uint8_t length;
  std::uint32_t uses;
  std::uint32_t last_use;  // the lexicon's clock at the last choice
};

struct UserLexicon {
  int count;
  std::uint32_t clock;
  UserWord words[kUserLexiconEntries];
};

void clear_user_lexicon(UserLexicon* lexicon);

// Remembers that `word` (UTF-8) was chosen for `roman`. When the lexicon is
// full, the choice used longest ago gives way. 1 = remembered; 0 with
// ErrorText when either word is not one the engine can hold.
int remember_user_choice(UserLexicon* lexicon, const char* roman, std::size_t roman_length, const char* word,
                         std::size_t word_length);

// Reads `path` into `lexicon`. A missing file is an empty lexicon (1). A
// damaged file gives every good line it has and 0 with ErrorText naming the
// file, the first bad line and its text; the file as it was is moved to
// PATH.damaged (or PATH.damaged-2 ... -9 when that is taken), so that saving
// the good lines later loses nothing. A file that does not read or is larger
// than 1 MB is moved aside the same way.
int load_user_lexicon(const char* path, UserLexicon* lexicon);

// The same from text in memory (`name` stands for the file in messages),
// without moving it aside: 0 with ErrorText when any line is bad, the good ones kept.
int read_user_lexicon(const char* name, const char* text, std::size_t length, UserLexicon* lexicon);

// Writes the lexicon to `path` (through PATH.new, then renamed over it).
// 1 = written; 0 with ErrorText naming the file.
int save_user_lexicon(const char* path, const UserLexicon* lexicon);
