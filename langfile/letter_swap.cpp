#include "langfile/letter_swap.h"

#include <array>

namespace {

// The 31 pairs: each half of the alphabet with the other half, in both
// cases, and the digits 0-4 with 5-9. Every letter and digit appears once.
constexpr const char kPairs[31][2] = {
    {'A', 'N'}, {'B', 'O'}, {'C', 'P'}, {'D', 'Q'}, {'E', 'R'}, {'F', 'S'}, {'G', 'T'},
    {'H', 'U'}, {'I', 'V'}, {'J', 'W'}, {'K', 'X'}, {'L', 'Y'}, {'M', 'Z'}, {'a', 'n'},
    {'b', 'o'}, {'c', 'p'}, {'d', 'q'}, {'e', 'r'}, {'f', 's'}, {'g', 't'}, {'h', 'u'},
    {'i', 'v'}, {'j', 'w'}, {'k', 'x'}, {'l', 'y'}, {'m', 'z'}, {'0', '5'}, {'1', '6'},
    {'2', '7'}, {'3', '8'}, {'4', '9'}};

// Entry 0 means the byte passes unchanged.
constexpr std::array<unsigned char, 256> build_swap_table() {
  std::array<unsigned char, 256> table{};
  for (const auto& pair : kPairs) {
    const auto a = static_cast<unsigned char>(pair[0]);
    const auto b = static_cast<unsigned char>(pair[1]);
    table[a] = b;
    table[b] = a;
  }
  return table;
}

constexpr std::array<unsigned char, 256> kSwapTable = build_swap_table();

}  // namespace

std::size_t swap_letters(const char* source, char* destination) {
  std::size_t length = 0;
  for (; source[length] != '\0'; ++length) {
    const auto byte = static_cast<unsigned char>(source[length]);
    const unsigned char swapped = kSwapTable[byte];
    destination[length] = static_cast<char>(swapped != 0 ? swapped : byte);
  }
  destination[length] = '\0';
  return length;
}
