#include "langfile/ucode_lookup.h"

#include <string>

#include <gtest/gtest.h>

#include "core/ucode_table.h"

namespace {

TEST(RememberedUcodeByName, AgreesWithTheTableForEveryNameAskedTwice) {
  ASSERT_EQ(ucode_init(), 1);
  for (int pass = 0; pass < 2; ++pass) {
    for (const UcodeRow* row = UcodeTable; row->name[0] != '\0'; ++row) {
      unsigned char code = 0;
      ASSERT_EQ(remembered_ucode_by_name(&code, row->name), 1) << row->name;
      EXPECT_EQ(code, row->code) << row->name << " in pass " << pass;
    }
  }
}

TEST(RememberedUcodeByName, RefusesWhatUcodeByNameRefuses) {
  const std::string long_name = std::string("KA") + std::string(40, 'A');
  for (const char* name : {"ka", "KA ", "K", "", "KAA", "CUSTOM10", long_name.c_str()}) {
    for (int pass = 0; pass < 2; ++pass) {
      unsigned char code = 0x55;
      EXPECT_EQ(remembered_ucode_by_name(&code, name), 0) << "\"" << name << "\"";
      EXPECT_EQ(code, 0x55) << "output changed for \"" << name << "\"";
    }
  }
}

}  // namespace
