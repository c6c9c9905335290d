#include "shell/suggest_mode.h"

#include <cstring>
#include <string>
#include <vector>

#include "encoding/from_unicode.h"

int SuggestMode = 0;

namespace {

bool is_letter(unsigned int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// UTF-8 to UTF-16 units; -1 when it does not fit `size` (terminator
// included) or is not UTF-8 of the Basic Multilingual Plane.
int utf16_from_utf8(const char* utf8, char16_t* out, int size) {
  int count = 0;
  const unsigned char* at = reinterpret_cast<const unsigned char*>(utf8);
  while (*at != 0) {
    unsigned int unit;
    if (*at < 0x80) {
      unit = *at++;
    } else if ((*at & 0xE0) == 0xC0 && (at[1] & 0xC0) == 0x80) {
      unit = (at[0] & 0x1Fu) << 6 | (at[1] & 0x3Fu);
      at += 2;
    } else if ((*at & 0xF0) == 0xE0 && (at[1] & 0xC0) == 0x80 && (at[2] & 0xC0) == 0x80) {
      unit = (at[0] & 0x0Fu) << 12 | (at[1] & 0x3Fu) << 6 | (at[2] & 0x3Fu);
      at += 3;
    } else {
      return -1;
    }
    if (count + 1 >= size) return -1;
    out[count++] = static_cast<char16_t>(unit);
  }
  out[count] = 0;
  return count;
}

}  // namespace

SuggestKey suggest_key_action(const SuggestWord& word, unsigned int character, int candidates) {
  if (is_letter(character))
    return word.roman_length < kMaxRomanLetters ? SuggestKey::kLetter : SuggestKey::kPass;
  if (word.roman_length == 0) return SuggestKey::kPass;
  const int shown = candidates < kShownSuggestions ? candidates : kShownSuggestions;
  if (character >= '1' && character < '1' + static_cast<unsigned int>(shown))
    return SuggestKey::kChoose;
  if (character == kCharacterEscape) return SuggestKey::kCancel;
  if (character == kCharacterBackspace) return SuggestKey::kEdit;
  // Space, Enter and every printable character that is not a letter (other
  // digits too): the word is finished.
  if (character == ' ' || character == kCharacterEnter || (character > ' ' && character < 0x7F))
    return SuggestKey::kCommit;
  return SuggestKey::kPass;
}

int follow_screen(SuggestWord* word, int backspaces, const char16_t* text, int count) {
  word->screen_length = backspaces < word->screen_length ? word->screen_length - backspaces : 0;
  if (word->screen_length + count > kWordScreenSize) return 0;
  std::memcpy(word->screen + word->screen_length, text,
              sizeof(char16_t) * static_cast<std::size_t>(count));
  word->screen_length += count;
  return 1;
}

int follow_screen_bytes(SuggestWord* word, const char* keys) {
  int backspaces = 0;
  while (keys[backspaces] == '\b') ++backspaces;
  char16_t units[kWordScreenSize];
  int count = 0;
  for (const char* at = keys + backspaces; *at != '\0'; ++at) {
    if (count == kWordScreenSize) return 0;
    units[count++] = static_cast<unsigned char>(*at);
  }
  return follow_screen(word, backspaces, units, count);
}

int commit_text_unicode(const SuggestWord& word, const char* choice, char16_t* text, int size,
                        int* backspaces) {
  if (utf16_from_utf8(choice, text, size) < 0) return 0;
  *backspaces = word.screen_length;
  return 1;
}

int commit_keys_font(const EncodingTable& table, const SuggestWord& word, const char* choice,
                     char* keys, int size) {
  std::vector<Undrawable> missing;
  const std::string bytes = unicode_to_legacy(table, choice, missing);
  if (!missing.empty() || bytes.empty()) return 0;
  const std::size_t needed = static_cast<std::size_t>(word.screen_length) + bytes.size() + 1;
  if (needed > static_cast<std::size_t>(size)) return 0;
  std::memset(keys, '\b', static_cast<std::size_t>(word.screen_length));
  std::memcpy(keys + word.screen_length, bytes.data(), bytes.size());
  keys[needed - 1] = '\0';
  return 1;
}

ScreenRect place_candidates(const ScreenRect& caret, int width, int height,
                            const ScreenRect& work) {
  // A small gap, so the window does not hide the line being typed.
  constexpr int kGap = 2;
  int left = caret.left;
  int top = caret.bottom + kGap;
  if (top + height > work.bottom) top = caret.top - kGap - height;
  if (top < work.top) top = work.top;
  if (left + width > work.right) left = work.right - width;
  if (left < work.left) left = work.left;
  return {left, top, left + width, top + height};
}

void keep_drawable(const EncodingTable& table, SuggestionList* list, int wanted) {
  int kept = 0;
  std::vector<Undrawable> missing;
  for (int i = 0; i < list->count && kept < wanted; ++i) {
    missing.clear();
    if (unicode_to_legacy(table, list->items[i].text, missing).empty() || !missing.empty())
      continue;
    if (kept != i) list->items[kept] = list->items[i];
    ++kept;
  }
  list->count = kept;
}
