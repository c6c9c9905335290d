#include <cstring>
#include <set>

#include "tests/core/core_test_support.h"

using UcodeTableTest = CoreTest;

TEST_F(UcodeTableTest, TableHoldsTheListedCodesInOrderThenTheEndRow) {
  const std::set<unsigned> missing = {0x04, 0x3A, 0x4E, 0x4F, 0x55, 0x56, 0x57};
  int row = 0;
  for (unsigned code = 0x01; code <= 0x79; ++code) {
    if (missing.count(code) != 0) continue;
    EXPECT_EQ(UcodeTable[row].code, code) << "row " << row;
    ++row;
  }
  EXPECT_EQ(row, 114);
  const UcodeRow end = UcodeTable[114];
  EXPECT_EQ(end.code, 0) << "end row code";
  for (char c : end.name) EXPECT_EQ(c, '\0') << "end row name must be all zero";
}

TEST_F(UcodeTableTest, NameAcceptsEveryListedCodeAndRejectsTheRest) {
  for (unsigned code = 0; code <= 0xFF; ++code) {
    const bool listed = code >= 0x01 && code <= 0x79 && code != 0x04 && code != 0x3A &&
                        code != 0x4E && code != 0x4F && (code < 0x55 || code > 0x57);
    EXPECT_EQ(ucode_name(nullptr, code), listed ? 1 : 0) << "code 0x" << std::hex << code;
  }
}

TEST_F(UcodeTableTest, NameGivesTheRowNameAndCountsOnlyTheLowByte) {
  char name[kUcodeNameBufferSize];
  ASSERT_EQ(ucode_name(name, 0x3B), 1);
  EXPECT_STREQ(name, "NON_JOINER");
  ASSERT_EQ(ucode_name(name, 0x79), 1);
  EXPECT_STREQ(name, "CUSTOM9");
  ASSERT_EQ(ucode_name(name, 0x115), 1) << "0x115 is KA by its low byte";
  EXPECT_STREQ(name, "KA");
}

TEST_F(UcodeTableTest, NameLeavesTheBufferAloneForCodesOutsideTheIndexButClearsItForGaps) {
  char name[kUcodeNameBufferSize] = "keep";
  EXPECT_EQ(ucode_name(name, 0x80), 0);
  EXPECT_STREQ(name, "keep") << "0x80 and above never touch the buffer";
  EXPECT_EQ(ucode_name(name, 0x04), 0);
  EXPECT_STREQ(name, "") << "a gap below 0x80 empties the buffer";
}

TEST_F(UcodeTableTest, ByNameMatchesWholeExactNamesOnly) {
  unsigned char code = 0xEE;
  ASSERT_EQ(ucode_by_name(&code, "KA"), 1);
  EXPECT_EQ(code, 0x15);
  ASSERT_EQ(ucode_by_name(&code, "DOUBLE_DANDA"), 1);
  EXPECT_EQ(code, 0x65);
  code = 0xEE;
  for (const char* wrong : {"ka", "KA ", "K", "", "DOUBLE_DANDAX"}) {
    EXPECT_EQ(ucode_by_name(&code, wrong), 0) << "'" << wrong << "' must not match";
    EXPECT_EQ(code, 0xEE) << "a miss must leave the code untouched";
  }
}

TEST_F(UcodeTableTest, InitAgainClearsTheLetterAndKeepsTheIndex) {
  std::int32_t before[kUcodeIndexSize];
  std::memcpy(before, UcodeIndex, sizeof before);
  letter_count = 5;
  typed_count = 3;
  EXPECT_EQ(ucode_init(), 1);
  EXPECT_EQ(letter_count, 0);
  EXPECT_EQ(typed_count, 0);
  EXPECT_EQ(std::memcmp(before, UcodeIndex, sizeof before), 0) << "index changed on re-init";
  EXPECT_EQ(UcodeIndex[0x15], 19) << "KA is row 19";
  EXPECT_EQ(UcodeIndex[0x04], -1);
}

TEST_F(UcodeTableTest, IndexBuildRefusesRepeatedAndHighCodes) {
  std::int32_t index[kUcodeIndexSize];
  const UcodeRow repeated[] = {{0x15, "KA"}, {0x16, "KHA"}, {0x15, "KA2"}, {0, ""}};
  EXPECT_EQ(ucode_build_index(repeated, index), 0) << "repeated code 0x15";
  const UcodeRow high[] = {{0x15, "KA"}, {0x80, "HIGH"}, {0, ""}};
  EXPECT_EQ(ucode_build_index(high, index), 0) << "code 0x80";
  const UcodeRow empty[] = {{0, ""}};
  EXPECT_EQ(ucode_build_index(empty, index), 1) << "an empty table indexes";
  EXPECT_EQ(index[0x15], -1);
  EXPECT_EQ(ucode_build_index(UcodeTable, index), 1);
}
