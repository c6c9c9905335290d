#include "suggest/user_lexicon.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

#include "core/error_text.h"
#include "suggest/data_file.h"

namespace {

constexpr const char* kHeader = "tolvar-user-words 1";
// A full lexicon is about 256 lines of at most 260 bytes; anything much
// larger is not a user lexicon.
constexpr std::size_t kMaxUserFileBytes = 1u << 20;
constexpr int kPathRoom = 1024;
constexpr int kShownText = 60;
constexpr std::uint32_t kMaxClock = 999999999u;

UserWord* find_word(UserLexicon* lexicon, const char* roman, const unsigned char* letters, int length) {
  for (int i = 0; i < lexicon->count; ++i) {
    UserWord& w = lexicon->words[i];
    if (std::strcmp(w.roman, roman) == 0 && w.length == length && std::memcmp(w.letters, letters, length) == 0)
      return &w;
  }
  return nullptr;
}

// The slot for a new choice: a free one, or the one used longest ago.
UserWord* free_slot(UserLexicon* lexicon) {
  if (lexicon->count < kUserLexiconEntries) return &lexicon->words[lexicon->count++];
  UserWord* oldest = &lexicon->words[0];
  for (int i = 1; i < lexicon->count; ++i)
    if (lexicon->words[i].last_use < oldest->last_use) oldest = &lexicon->words[i];
  return oldest;
}

// The clock is written as a count below 10^9: when it gets there, the
// choices are numbered again from 1 in the order they were last used.
void renumber_uses(UserLexicon* lexicon) {
  UserWord* order[kUserLexiconEntries];
  for (int i = 0; i < lexicon->count; ++i) order[i] = &lexicon->words[i];
  std::sort(order, order + lexicon->count, [](const UserWord* a, const UserWord* b) { return a->last_use < b->last_use; });
  for (int i = 0; i < lexicon->count; ++i) order[i]->last_use = static_cast<std::uint32_t>(i + 1);
  lexicon->clock = static_cast<std::uint32_t>(lexicon->count);
}

// One line into `w`; 0 when it is not a choice.
int read_choice(std::string_view line, UserWord* w) {
  std::string_view roman, word, uses;
  long u, t;
  if (!split_tab(&line, &roman) || !split_tab(&line, &word) || !split_tab(&line, &uses) ||
      !parse_number(uses, &u) || !parse_number(line, &t) || u < 1 || t < 0 || t > static_cast<long>(kMaxClock)) {
    return 0;
  }
  const int n = native_from_utf8(word.data(), word.size(), w->letters, kMaxNativeLetters);
  if (roman_letters(roman.data(), roman.size(), w->roman) < 0 || n <= 0) return 0;
  w->length = static_cast<std::uint8_t>(n);
  w->uses = static_cast<std::uint32_t>(u);
  w->last_use = static_cast<std::uint32_t>(t);
  return 1;
}

// Moves a damaged file aside, to the first of PATH.damaged, PATH.damaged-2
// ... PATH.damaged-9 that does not exist yet, so an earlier one stays too.
// 1 = moved, with its new name in `kept`.
int keep_damaged(const char* path, char* kept, std::size_t room) {
  for (int i = 1; i <= 9; ++i) {
    const int n = i == 1 ? std::snprintf(kept, room, "%s.damaged", path)
                         : std::snprintf(kept, room, "%s.damaged-%d", path, i);
    if (n < 0 || n >= static_cast<int>(room)) return 0;
    std::FILE* existing = std::fopen(kept, "rb");
    if (existing != nullptr) {
      std::fclose(existing);
      continue;
    }
    return std::rename(path, kept) == 0 ? 1 : 0;
  }
  return 0;
}

}  // namespace

void clear_user_lexicon(UserLexicon* lexicon) {
  lexicon->count = 0;
  lexicon->clock = 0;
}

int remember_user_choice(UserLexicon* lexicon, const char* roman, std::size_t roman_length, const char* word,
                         std::size_t word_length) {
  char r[kMaxRomanLetters + 1];
  unsigned char letters[kMaxNativeLetters];
  if (roman_letters(roman, roman_length, r) < 0) {
    set_error_text("Cannot remember a choice for \"%.*s\": not 1-32 letters a-z\n",
                   static_cast<int>(std::min<std::size_t>(roman_length, kShownText)), roman);
    return 0;
  }
  const int n = native_from_utf8(word, word_length, letters, kMaxNativeLetters);
  if (n <= 0) {
    set_error_text("Cannot remember \"%.*s\" for \"%s\": not 1-64 Devanagari letters\n",
                   static_cast<int>(std::min<std::size_t>(word_length, 3 * kShownText)), word, r);
    return 0;
  }
  if (lexicon->clock >= kMaxClock) renumber_uses(lexicon);
  ++lexicon->clock;
  UserWord* w = find_word(lexicon, r, letters, n);
  if (w != nullptr) {
    if (w->uses < 999999999u) ++w->uses;
  } else {
    w = free_slot(lexicon);
    std::memcpy(w->roman, r, sizeof r);
    std::memcpy(w->letters, letters, static_cast<std::size_t>(n));
    w->length = static_cast<std::uint8_t>(n);
    w->uses = 1;
  }
  w->last_use = lexicon->clock;
  return 1;
}

int read_user_lexicon(const char* name, const char* text, std::size_t length, UserLexicon* lexicon) {
  clear_user_lexicon(lexicon);
  LineCursor cursor{std::string_view(text, length), 0};
  std::string_view line, bad_line;
  int bad_number = 0;
  const char* bad_what = nullptr;
  if (!next_line(&cursor, &line) || line != kHeader) {
    bad_number = 1;
    bad_line = line;
    bad_what = "not a user word list (expected \"tolvar-user-words 1\")";
    // A file without the header may still hold choices: read it from its top.
    cursor = LineCursor{std::string_view(text, length), 0};
  }
  while (next_line(&cursor, &line)) {
    UserWord w;
    if (!read_choice(line, &w)) {
      if (bad_what == nullptr) {
        bad_number = cursor.number;
        bad_line = line;
        bad_what = "expected ROMAN, WORD, USES and LAST-USE separated by tabs";
      }
      continue;
    }
    UserWord* same = find_word(lexicon, w.roman, w.letters, w.length);
    if (same == nullptr) {
      *free_slot(lexicon) = w;
    } else if (w.last_use > same->last_use) {
      *same = w;
    }
    lexicon->clock = std::max(lexicon->clock, w.last_use);
  }
  if (bad_what == nullptr) return 1;
  set_error_text("%s line %d: %s: \"%.*s\"\nThe %d good choices in it are kept.\n", name, bad_number, bad_what,
                 static_cast<int>(std::min<std::size_t>(bad_line.size(), kShownText)), bad_line.data(),
                 lexicon->count);
  return 0;
}

int load_user_lexicon(const char* path, UserLexicon* lexicon) {
  clear_user_lexicon(lexicon);
  std::FILE* probe = std::fopen(path, "rb");
  if (probe == nullptr && errno == ENOENT) return 1;
  if (probe != nullptr) std::fclose(probe);
  std::vector<char> text;
  if (read_data_file(path, kMaxUserFileBytes, &text) &&
      read_user_lexicon(path, text.data(), text.size(), lexicon)) {
    return 1;
  }
  // Unreadable, too large or damaged: out of the way of the next save.
  char kept[kPathRoom];
  if (keep_damaged(path, kept, sizeof kept)) {
    append_error_text("The file as it was is now %s.\n", kept);
  } else {
    append_error_text("It could not be moved to %s.damaged: look at it before Tolvar saves over it.\n", path);
  }
  return 0;
}

int save_user_lexicon(const char* path, const UserLexicon* lexicon) {
  char temporary[kPathRoom];
  if (std::snprintf(temporary, sizeof temporary, "%s.new", path) >= static_cast<int>(sizeof temporary)) {
    set_error_text("Cannot save the user word list: the path %.200s... is too long\n", path);
    return 0;
  }
  std::FILE* f = std::fopen(temporary, "wb");
  if (f == nullptr) {
    set_error_text("Cannot write %s\n", temporary);
    return 0;
  }
  bool ok = std::fprintf(f, "%s\n", kHeader) > 0;
  for (int i = 0; i < lexicon->count && ok; ++i) {
    const UserWord& w = lexicon->words[i];
    char utf8[kNativeUtf8Size];
    native_to_utf8(w.letters, w.length, utf8);
    ok = std::fprintf(f, "%s\t%s\t%u\t%u\n", w.roman, utf8, static_cast<unsigned>(w.uses),
                      static_cast<unsigned>(w.last_use)) > 0;
  }
  if (std::fclose(f) != 0) ok = false;
#ifdef _WIN32
  // rename() does not replace an existing file on Windows.
  if (ok) std::remove(path);
#endif
  if (!ok || std::rename(temporary, path) != 0) {
    std::remove(temporary);
    set_error_text("Cannot write %s\n", path);
    return 0;
  }
  return 1;
}
