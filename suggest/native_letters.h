// Devanagari words inside the suggestion engine: one byte per character
// (U+0900..U+097F as 0x80..0xFF), so a word is a short byte string that a
// trie and the model can walk one letter at a time, and romanized words as
// lowercase ASCII letters.
#pragma once
#include <cstddef>

// Longest romanized word the engine takes, and the longest Devanagari word it
// can hold (each graphone writes at most two characters per Latin letter).
constexpr int kMaxRomanLetters = 32;
constexpr int kMaxNativeLetters = 2 * kMaxRomanLetters;
// A native word in UTF-8 with its terminator.
constexpr int kNativeUtf8Size = 3 * kMaxNativeLetters + 1;

// UTF-8 Devanagari to native letters. Returns the count, or -1 when `text`
// holds a character outside U+0900..U+097F, broken UTF-8, or more than `room`.
int native_from_utf8(const char* text, std::size_t length, unsigned char* out, int room);

// Native letters to UTF-8 in `out` (kNativeUtf8Size bytes), terminated.
// Returns the byte count.
int native_to_utf8(const unsigned char* letters, int count, char* out);

// A romanized word as lowercase letters in `out` (kMaxRomanLetters + 1 bytes,
// terminated). Returns the count; -1 for an empty word, a byte that is not an
// ASCII letter, or more than kMaxRomanLetters letters.
int roman_letters(const char* text, std::size_t length, char* out);

// Whether `letter` may follow `before` in a Devanagari word (`before` 0: at
// its start): a vowel sign, virama or nukta follows a consonant (a sign also
// a nukta), an anusvara, candrabindu or visarga a letter or a vowel sign, and
// after a virama comes a consonant. Keeps spellings such as अा or ्क out of
// the candidates.
bool native_may_follow(unsigned char before, unsigned char letter);
