// A program of its own: HOME is looked up once per run, so this test must be
// the first in its process to need it.
#include "langfile/source_reader.h"

#include <string>

#include <gtest/gtest.h>

#include "langfile/path_rules.h"
#include "langfile_test_support.h"

namespace {

using langfile_test::ScopedIpath;
using langfile_test::TempDir;
using langfile_test::set_env;
using langfile_test::write_file;

TEST(SourceReaderHome, TildeStandsForHomeAsItWasAtItsFirstUse) {
  TempDir home;
  TempDir later_home;
  write_file(home.path() / "fonts" / "lang.gkf", "from home\n");
  write_file(later_home.path() / "fonts" / "lang.gkf", "from later home\n");
  const std::string list = std::string("~") + platform_path_rules().separator + "fonts";
  ScopedIpath ipath(list.c_str());

  set_env("HOME", home.str().c_str());
  ASSERT_EQ(open_source("lang.gkf", nullptr), 1) << ErrorText;
  char line[32];
  ASSERT_EQ(fetch_line(line, sizeof line), 1);
  EXPECT_STREQ(line, "from home\n");

  set_env("HOME", later_home.str().c_str());
  ASSERT_EQ(open_source("lang.gkf", nullptr), 1) << ErrorText;
  ASSERT_EQ(fetch_line(line, sizeof line), 1);
  EXPECT_STREQ(line, "from home\n");
  open_source(nullptr, nullptr);
}

}  // namespace
