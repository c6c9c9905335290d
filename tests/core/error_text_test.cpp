#include "core/error_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class ErrorTextTest : public ::testing::Test {
 protected:
  void SetUp() override { std::memset(ErrorText, 'z', kErrorTextSize); }
  void TearDown() override { ErrorText[0] = '\0'; }
};

}  // namespace

TEST_F(ErrorTextTest, SetReplacesAndAppendAddsBehind) {
  set_error_text("line %d\n", 7);
  EXPECT_STREQ(ErrorText, "line 7\n");
  append_error_text("Loading Language File (KU Data) from %s failed\n", "a.gkf");
  EXPECT_STREQ(ErrorText, "line 7\nLoading Language File (KU Data) from a.gkf failed\n");
}

TEST_F(ErrorTextTest, LongTextIsCutToTheBufferAndTerminated) {
  const std::string huge(5000, 'h');
  set_error_text("%s", huge.c_str());
  EXPECT_EQ(std::strlen(ErrorText), kErrorTextSize - 1);
  set_error_text("%s", std::string(1000, 'a').c_str());
  append_error_text("%s", huge.c_str());
  EXPECT_EQ(std::strlen(ErrorText), kErrorTextSize - 1);
  EXPECT_EQ(std::string(ErrorText, 1000), std::string(1000, 'a')) << "appending cut the front";
}

TEST_F(ErrorTextTest, AppendToAnUnterminatedBufferStaysInside) {
  append_error_text("more");
  EXPECT_EQ(ErrorText[kErrorTextSize - 1], '\0');
  EXPECT_EQ(ErrorText[kErrorTextSize - 2], 'z') << "the old text is kept, nothing appended";
}
