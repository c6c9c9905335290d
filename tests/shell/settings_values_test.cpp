#include "shell/settings_values.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const SettingRule& send_method() { return kSettingRules[kSendMethodRule]; }
const SettingRule& output() { return kSettingRules[kOutputRule]; }

}  // namespace

TEST(SettingsValues, EachSettingTakesExactlyItsOwnValues) {
  int value = -1;
  for (int v = 0; v <= 2; ++v) {
    ASSERT_EQ(1, parse_setting_value(send_method(), std::string(1, static_cast<char>('0' + v)), &value));
    EXPECT_EQ(v, value);
  }
  EXPECT_EQ(1, parse_setting_value(output(), "1", &value));
  EXPECT_EQ(1, value);
  EXPECT_EQ(0, parse_setting_value(output(), "2", &value)) << "Output has two values only";
  EXPECT_EQ(1, value) << "a refused value leaves the old one";
}

TEST(SettingsValues, JunkThatStrtolWouldHaveTakenIsRefused) {
  // Each of these was once read as some send method: wrapped, signed, hex or half-read.
  const std::string long_value(41, '1');
  const char* junk[] = {"99999999999999999999", "-2", "0x2", "2abc", "+1", "01", " 1", "", "3",
                        "4294967298", long_value.c_str()};
  for (const char* text : junk) {
    int value = 7;
    EXPECT_EQ(0, parse_setting_value(send_method(), text, &value)) << "[" << text << "]";
    EXPECT_EQ(7, value) << "[" << text << "]";
  }
  int value = 7;
  EXPECT_EQ(0, parse_setting_value(send_method(), std::string_view("1\0", 2), &value)) << "an embedded NUL";
}

TEST(SettingsValues, TheReportNamesFileKeyAndValueAndWhatIsUsed) {
  char out[512] = "";
  describe_refused_setting(out, sizeof out, "C:\\u\\tolvar.ini", send_method(), "-2");
  EXPECT_STREQ(
      "C:\\u\\tolvar.ini: UseJournalPBH=-2 is not a value Tolvar knows (0 to 2); it uses 2 (Unicode input) and "
      "saves that at exit.\n",
      out);
  describe_refused_setting(out, sizeof out, "f.ini", output(), std::string(50, 'x') + "\x08");
  const std::string text = out;
  EXPECT_NE(std::string::npos, text.find("\nf.ini: Output=" + std::string(40, 'x') + "... is not"))
      << "the second line appended, a long value cut: " << text;
  describe_refused_setting(out, sizeof out, "f.ini", output(), "a\tb\x7f");
  EXPECT_NE(std::string::npos, std::string(out).find("Output=a?b? is not")) << "control characters shown as ?";
}

TEST(SettingsValues, TheReportNeverOverrunsItsBuffer) {
  char out[24] = "";
  describe_refused_setting(out, sizeof out, "C:\\a\\very\\long\\path\\tolvar.ini", output(), "junk");
  EXPECT_EQ(23u, std::string(out).size());
  describe_refused_setting(out, sizeof out, "again.ini", output(), "junk");
  EXPECT_EQ(23u, std::string(out).size()) << "a full buffer takes nothing more";
}
