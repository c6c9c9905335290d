#include "langfile/letter_swap.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace {

bool is_letter_or_digit(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

TEST(SwapLetters, ExchangesEveryLetterAndDigitWithAnotherAndLeavesTheRest) {
  int changed = 0;
  for (int byte = 1; byte < 256; ++byte) {
    const char source[2] = {static_cast<char>(byte), '\0'};
    char swapped[2];
    ASSERT_EQ(swap_letters(source, swapped), 1u);
    const auto result = static_cast<unsigned char>(swapped[0]);
    if (is_letter_or_digit(static_cast<unsigned char>(byte))) {
      EXPECT_NE(result, byte) << "byte " << byte << " is not substituted";
      EXPECT_TRUE(is_letter_or_digit(result)) << byte << " -> " << int{result};
      ++changed;
    } else {
      EXPECT_EQ(result, byte) << "byte " << byte << " must pass unchanged";
    }
  }
  EXPECT_EQ(changed, 62);
}

TEST(SwapLetters, AppliedTwiceGivesBackTheTextInPlace) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte) all += static_cast<char>(byte);
  std::string text = "GKMAIN Sample\nGK 107 AA 0x6B 0141\t% note\r\n" + all;
  char buffer[1024];
  std::strcpy(buffer, text.c_str());
  EXPECT_EQ(swap_letters(buffer, buffer), text.size());
  EXPECT_NE(std::string(buffer), text);
  swap_letters(buffer, buffer);
  EXPECT_EQ(std::string(buffer), text);
}

TEST(SwapLetters, EmptyTextStaysEmpty) {
  char out[4] = "xyz";
  EXPECT_EQ(swap_letters("", out), 0u);
  EXPECT_EQ(out[0], '\0');
}

}  // namespace
