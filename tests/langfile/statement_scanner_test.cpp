#include "langfile/statement_scanner.h"

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "langfile_test_support.h"

namespace {

using langfile_test::all_tokens;
using Tokens = std::vector<std::pair<TokenClass, std::string>>;

TEST(StatementScanner, BlankAndCommentLinesGiveOneEndOfLine) {
  EXPECT_EQ(all_tokens("\n \t \n% note GK 1\n"),
            (Tokens{{TOK_EOL, "\n"}, {TOK_EOL, "\n"}, {TOK_EOL, "%"}, {TOK_END, ""}}));
}

TEST(StatementScanner, CommentAfterTokensEndsTheLine) {
  EXPECT_EQ(all_tokens("KU a A %map a\nGK"),
            (Tokens{{TOK_KU, "KU"},
                    {TOK_WORD, "a"},
                    {TOK_WORD, "A"},
                    {TOK_EOL, "%map"},
                    {TOK_GK, "GK"},
                    {TOK_END, "GK"}}));
  // A percent sign inside a token starts nothing.
  EXPECT_EQ(all_tokens("a%b\n"), (Tokens{{TOK_WORD, "a%b"}, {TOK_EOL, "\n"}, {TOK_END, ""}}));
}

TEST(StatementScanner, LastLineWithoutLineFeedHasNoEndOfLineAndEndKeepsItsLastToken) {
  EXPECT_EQ(all_tokens("GKA 97\tAPPEND"),
            (Tokens{{TOK_GKA, "GKA"}, {TOK_NUMBER, "97"}, {TOK_APPEND, "APPEND"},
                    {TOK_END, "APPEND"}}));
  // Blank last line: its text was emptied; an empty source never had one.
  EXPECT_EQ(all_tokens("GK\n \t"), (Tokens{{TOK_GK, "GK"}, {TOK_EOL, "\n"}, {TOK_END, ""}}));
  EXPECT_EQ(all_tokens(""), (Tokens{{TOK_END, ""}}));
}

TEST(StatementScanner, KeywordsAreWholeAndCaseSensitive) {
  EXPECT_EQ(all_tokens("KU GK GKA GKS INVISIBLE PREPEND APPEND GKMAIN GKALTERNATE GKM"),
            (Tokens{{TOK_KU, "KU"},
                    {TOK_GK, "GK"},
                    {TOK_GKA, "GKA"},
                    {TOK_GKS, "GKS"},
                    {TOK_INVISIBLE, "INVISIBLE"},
                    {TOK_PREPEND, "PREPEND"},
                    {TOK_APPEND, "APPEND"},
                    {TOK_GKMAIN, "GKMAIN"},
                    {TOK_GKALTERNATE, "GKALTERNATE"},
                    {TOK_GKM, "GKM"},
                    {TOK_END, "GKM"}}));
  EXPECT_EQ(all_tokens("Gk ku gkmain GKX"), (Tokens{{TOK_WORD, "Gk"},
                                                   {TOK_WORD, "ku"},
                                                   {TOK_WORD, "gkmain"},
                                                   {TOK_WORD, "GKX"},
                                                   {TOK_END, "GKX"}}));
}

TEST(StatementScanner, NumbersAreJudgedByTheirFirstCharacters) {
  EXPECT_EQ(all_tokens("+7 -3 7up + -x"), (Tokens{{TOK_NUMBER, "+7"},
                                                 {TOK_NUMBER, "-3"},
                                                 {TOK_NUMBER, "7up"},
                                                 {TOK_WORD, "+"},
                                                 {TOK_WORD, "-x"},
                                                 {TOK_END, "-x"}}));
  EXPECT_EQ(number_value("+7"), 7);
  EXPECT_EQ(number_value("-3"), -3);
  EXPECT_EQ(number_value("7up"), 7);
}

TEST(StatementScanner, QuotedStringsKeepTheirBlanks) {
  EXPECT_EQ(all_tokens("GKMAIN \"two  words\" x\n"), (Tokens{{TOK_GKMAIN, "GKMAIN"},
                                                            {TOK_STRING, "two  words"},
                                                            {TOK_WORD, "x"},
                                                            {TOK_EOL, "\n"},
                                                            {TOK_END, ""}}));
  EXPECT_EQ(all_tokens("\" \"\"\n"),
            (Tokens{{TOK_STRING, "\""}, {TOK_STRING, ""}, {TOK_EOL, "\n"}, {TOK_END, ""}}));
}

TEST(StatementScanner, UnclosedQuoteRunsToTheEndOfTheLineAsAWord) {
  EXPECT_EQ(all_tokens("GKMAIN \"open text\nGK\n"), (Tokens{{TOK_GKMAIN, "GKMAIN"},
                                                           {TOK_WORD, "\"open text\n"},
                                                           {TOK_GK, "GK"},
                                                           {TOK_EOL, "\n"},
                                                           {TOK_END, ""}}));
  EXPECT_EQ(all_tokens("\"open"), (Tokens{{TOK_WORD, "\"open"}, {TOK_END, "\"open"}}));
}

TEST(StatementScanner, NumberValueReadsDecimalHexadecimalAndOctal) {
  EXPECT_EQ(number_value("0x41"), 65);
  EXPECT_EQ(number_value("0X41"), 65);
  EXPECT_EQ(number_value("65"), 65);
  EXPECT_EQ(number_value("0101"), 65);
  EXPECT_EQ(number_value("08"), 0);
  EXPECT_EQ(number_value("019"), 1);
  EXPECT_EQ(number_value("-0x10"), -16);
  EXPECT_EQ(number_value(" \t12"), 12);
  EXPECT_EQ(number_value("0x"), 0);
  EXPECT_EQ(number_value("0xg"), 0);
  EXPECT_EQ(number_value("ax"), 0);
  EXPECT_EQ(number_value(""), 0);
}

TEST(StatementScanner, NumberValueSaturatesAtThe32BitLimits) {
  EXPECT_EQ(number_value("2147483647"), INT_MAX);
  EXPECT_EQ(number_value("2147483648"), INT_MAX);
  EXPECT_EQ(number_value("0xFFFFFFFF"), INT_MAX);
  EXPECT_EQ(number_value("99999999999999999999999"), INT_MAX);
  EXPECT_EQ(number_value("-2147483648"), INT_MIN);
  EXPECT_EQ(number_value("-99999999999999999999999"), INT_MIN);
}

TEST(StatementScanner, TokenLongerThanItsBufferIsCutAndNeverANumber) {
  const std::string long_word(300, 'w');
  const std::string long_number = std::string(290, '0') + "107";
  const std::string long_string = "\"" + std::string(300, 's') + "\"";
  const std::string text = long_word + " " + long_number + " " + long_string + " GK\n";
  EXPECT_EQ(all_tokens(text.c_str()), (Tokens{{TOK_WORD, std::string(255, 'w')},
                                              {TOK_WORD, std::string(255, '0')},
                                              {TOK_STRING, std::string(254, 's')},
                                              {TOK_GK, "GK"},
                                              {TOK_EOL, "\n"},
                                              {TOK_END, ""}}));
  // 255 characters still fit whole.
  const std::string fits = std::string(252, '1') + "abc";
  EXPECT_EQ(all_tokens(fits.c_str()), (Tokens{{TOK_NUMBER, fits}, {TOK_END, fits}}));
}

TEST(StatementScanner, ScanTokenReportsTheFullLengthAndMovesPastTheToken) {
  const std::string line = "  " + std::string(400, 'q') + "\tnext";
  const char* cursor = line.c_str();
  char token[kTokenSize];
  EXPECT_EQ(scan_token(&cursor, token), 400);
  EXPECT_EQ(std::string(token), std::string(255, 'q'));
  EXPECT_EQ(scan_token(&cursor, token), 4);
  EXPECT_STREQ(token, "next");
  EXPECT_EQ(scan_token(&cursor, token), 0);

  const char* none = nullptr;
  EXPECT_EQ(scan_token(&none, token), 0);
  // An opened quote takes blanks up to and including the next quote.
  const char* quoted = "\"a b\"c d";
  EXPECT_EQ(scan_token(&quoted, token), 5);
  EXPECT_STREQ(token, "\"a b\"");
  EXPECT_EQ(scan_token(&quoted, token), 1);
  EXPECT_STREQ(token, "c");
}

}  // namespace
