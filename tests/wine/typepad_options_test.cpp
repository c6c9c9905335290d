#include "tools/typepad/typepad_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Parsed {
  int ok;
  typepad::TypepadOptions options;
  std::string error;
};

Parsed parse(std::vector<const char *> arguments) {
  arguments.insert(arguments.begin(), "typepad.exe");
  Parsed parsed;
  char error[256] = "";
  parsed.ok = typepad::typepad_parse_options(static_cast<int>(arguments.size()), arguments.data(),
                                             parsed.options, error, sizeof error);
  parsed.error = error;
  return parsed;
}

TEST(TypepadOptions, DefaultsWithoutArguments) {
  const Parsed parsed = parse({});
  ASSERT_EQ(parsed.ok, 1) << parsed.error;
  EXPECT_STREQ(parsed.options.title, "TypePad");
  EXPECT_STREQ(parsed.options.font_name, "Arial");
  EXPECT_EQ(parsed.options.font_size, 28);
  EXPECT_STREQ(parsed.options.text_path, "");
  EXPECT_STREQ(parsed.options.log_path, "");
}

TEST(TypepadOptions, EveryOptionFillsItsField) {
  const Parsed parsed =
      parse({"--font", "Vedrokan", "--fontfile", "C:\\fonts\\vedrokan.ttf", "--size", "40",
             "--title", "Pad 2", "--text", "Z:\\tmp\\t", "--log", "Z:\\tmp\\l", "--modules", "Z:\\tmp\\m",
             "--slow", "25"});
  ASSERT_EQ(parsed.ok, 1) << parsed.error;
  EXPECT_STREQ(parsed.options.font_name, "Vedrokan");
  EXPECT_STREQ(parsed.options.font_file, "C:\\fonts\\vedrokan.ttf");
  EXPECT_EQ(parsed.options.font_size, 40);
  EXPECT_STREQ(parsed.options.title, "Pad 2");
  EXPECT_STREQ(parsed.options.text_path, "Z:\\tmp\\t");
  EXPECT_STREQ(parsed.options.log_path, "Z:\\tmp\\l");
  EXPECT_STREQ(parsed.options.modules_path, "Z:\\tmp\\m");
  EXPECT_EQ(parsed.options.slow_ms, 25);
}

TEST(TypepadOptions, UnicodeIsAFlagAnywhereAmongTheOptions) {
  EXPECT_EQ(parse({}).options.unicode, 0);
  const Parsed parsed = parse({"--size", "30", "--unicode", "--title", "U"});
  ASSERT_EQ(parsed.ok, 1) << parsed.error;
  EXPECT_EQ(parsed.options.unicode, 1);
  EXPECT_EQ(parsed.options.font_size, 30);
  EXPECT_STREQ(parsed.options.title, "U");
}

TEST(TypepadOptions, RefusesWhatDoesNotFit) {
  const std::string face_31(31, 'f');
  const std::string face_32(32, 'f');
  EXPECT_EQ(parse({"--font", face_31.c_str()}).ok, 1);
  const Parsed too_long = parse({"--font", face_32.c_str()});
  EXPECT_EQ(too_long.ok, 0) << "a 32-character face name does not fit LF_FACESIZE";
  EXPECT_EQ(too_long.error, "--font: value longer than 31 characters\n");
  const std::string path_260(260, 'p');
  EXPECT_EQ(parse({"--text", path_260.c_str()}).ok, 0);
}

TEST(TypepadOptions, RefusesUnknownOptionsMissingValuesAndBadSizes) {
  EXPECT_EQ(parse({"--colour", "red"}).error, "--colour: unknown option\n");
  EXPECT_EQ(parse({"--log"}).error, "--log: missing value\n");
  EXPECT_EQ(parse({"--size", "5"}).ok, 0);
  EXPECT_EQ(parse({"--size", "401"}).ok, 0);
  EXPECT_EQ(parse({"--size", "12px"}).ok, 0);
  EXPECT_EQ(parse({"--size", ""}).ok, 0);
  EXPECT_EQ(parse({"--size", "400"}).ok, 1);
  EXPECT_EQ(parse({"--slow", "1001"}).error, "--slow: expected 0 to 1000 milliseconds, got 1001\n");
  EXPECT_EQ(parse({"--slow", "-1"}).ok, 0);
}

}  // namespace
