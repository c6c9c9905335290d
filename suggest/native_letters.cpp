#include "suggest/native_letters.h"

namespace {

enum class LetterClass { kVowel, kConsonant, kSign, kVirama, kNukta, kNasal, kOther };

LetterClass letter_class(unsigned char letter) {
  const unsigned cp = letter - 0x80u + 0x900u;
  if (cp <= 0x903) return LetterClass::kNasal;
  if ((cp >= 0x904 && cp <= 0x914) || cp == 0x960 || cp == 0x961 || (cp >= 0x972 && cp <= 0x977)) return LetterClass::kVowel;
  if ((cp >= 0x915 && cp <= 0x939) || (cp >= 0x958 && cp <= 0x95F) || cp >= 0x978) return LetterClass::kConsonant;
  if (cp == 0x93C) return LetterClass::kNukta;
  if (cp == 0x94D) return LetterClass::kVirama;
  if ((cp >= 0x93A && cp <= 0x94F) || cp == 0x962 || cp == 0x963) return LetterClass::kSign;
  return LetterClass::kOther;
}

}  // namespace

int native_from_utf8(const char* text, std::size_t length, unsigned char* out, int room) {
  int count = 0;
  for (std::size_t i = 0; i < length; i += 3) {
    if (length - i < 3 || count >= room) return -1;
    const unsigned char b0 = static_cast<unsigned char>(text[i]);
    const unsigned char b1 = static_cast<unsigned char>(text[i + 1]);
    const unsigned char b2 = static_cast<unsigned char>(text[i + 2]);
    // U+0900..U+097F is E0 A4 80..E0 A5 BF.
    if (b0 != 0xE0 || (b1 != 0xA4 && b1 != 0xA5) || (b2 & 0xC0) != 0x80) return -1;
    out[count++] = static_cast<unsigned char>(0x80 | ((b1 & 1) << 6) | (b2 & 0x3F));
  }
  return count;
}

int native_to_utf8(const unsigned char* letters, int count, char* out) {
  int n = 0;
  for (int i = 0; i < count && i < kMaxNativeLetters; ++i) {
    out[n++] = static_cast<char>(0xE0);
    out[n++] = static_cast<char>(0xA4 | ((letters[i] >> 6) & 1));
    out[n++] = static_cast<char>(0x80 | (letters[i] & 0x3F));
  }
  out[n] = '\0';
  return n;
}

int roman_letters(const char* text, std::size_t length, char* out) {
  if (length == 0 || length > static_cast<std::size_t>(kMaxRomanLetters)) return -1;
  for (std::size_t i = 0; i < length; ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c < 'a' || c > 'z') return -1;
    out[i] = c;
  }
  out[length] = '\0';
  return static_cast<int>(length);
}

bool native_may_follow(unsigned char before, unsigned char letter) {
  const LetterClass b = before == 0 ? LetterClass::kOther : letter_class(before);
  switch (letter_class(letter)) {
    case LetterClass::kVowel:
    case LetterClass::kConsonant:
      return b != LetterClass::kNukta || letter_class(letter) == LetterClass::kConsonant;
    case LetterClass::kSign:
    case LetterClass::kVirama:
      return b == LetterClass::kConsonant || b == LetterClass::kNukta;
    case LetterClass::kNukta:
      return b == LetterClass::kConsonant;
    case LetterClass::kNasal:
      return b == LetterClass::kVowel || b == LetterClass::kConsonant || b == LetterClass::kNukta ||
             b == LetterClass::kSign;
    case LetterClass::kOther:
      break;
  }
  return false;
}
