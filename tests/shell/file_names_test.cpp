#include "shell/file_names.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "shell/status_text.h"

TEST(FileFilter, LastCharacterSeparatesDescriptionsAndPatterns) {
  char filter[sizeof kFileFilterText];
  ASSERT_EQ(1, prepare_file_filter(filter, sizeof filter, kFileFilterText));
  const char* part = filter;
  for (const char* expected :
       {"Language Files (*.gkl or *.gkf)", "*.gkl;*.gkf", "All Files (*.*)", "*.*"}) {
    EXPECT_STREQ(expected, part);
    part += std::strlen(part) + 1;
  }
  EXPECT_STREQ("", part) << "the filter ends with an empty string";
}

TEST(FileFilter, AnySeparatorAndTooSmallBuffers) {
  char filter[32];
  ASSERT_EQ(1, prepare_file_filter(filter, sizeof filter, "A#*.a#"));
  EXPECT_EQ(0, std::memcmp("A\0*.a\0", filter, 7));
  EXPECT_EQ(0, prepare_file_filter(filter, 6, "A#*.a#")) << "text and terminator need 7 bytes";
}

TEST(ListPattern, DirectoryOfTheCurrentFileAndItsEntryName) {
  char pattern[kNameSize];
  const char* entry = nullptr;
  ASSERT_EQ(1, make_list_pattern("C:\\lang\\hindi.gkf", pattern, &entry));
  EXPECT_STREQ("C:\\lang\\*.gk?", pattern);
  EXPECT_STREQ("hindi.gkf", entry);

  ASSERT_EQ(1, make_list_pattern(kNotLoaded, pattern, &entry));
  EXPECT_STREQ("*.gk?", pattern) << "no backslash: the current directory";
  EXPECT_STREQ(kNotLoaded, entry);
}

TEST(ListPattern, ADirectoryTooLongForThePatternIsRefused) {
  std::string directory = "C:\\" + std::string(250, 'd') + "\\";  // 254 characters
  char pattern[kNameSize];
  const char* entry = nullptr;
  EXPECT_EQ(1, make_list_pattern((directory + "x").c_str(), pattern, &entry))
      << "254 + 5 + terminator fits exactly";
  std::string longer = "C:\\" + std::string(251, 'd') + "\\x";
  EXPECT_EQ(0, make_list_pattern(longer.c_str(), pattern, &entry));
}

TEST(ListChoice, EntryGoesIntoTheDirectoryOfTheCurrentFile) {
  char choice[kNameSize];
  ASSERT_EQ(1, make_list_choice("C:\\lang\\hindi.gkf", "marathi.gkl", choice));
  EXPECT_STREQ("C:\\lang\\marathi.gkl", choice);
  ASSERT_EQ(1, make_list_choice(kNotLoaded, "marathi.gkl", choice));
  EXPECT_STREQ("marathi.gkl", choice) << "a bare name, for the loaders' search path";
  EXPECT_EQ(0, make_list_choice("C:\\lang\\hindi.gkf", "", choice))
      << "an empty entry loads nothing";
}

TEST(ListChoice, ANameThatWouldNotFitIsRefused) {
  std::string directory = "C:\\" + std::string(200, 'd') + "\\";
  std::string entry(kNameSize - 1 - directory.size(), 'e');
  char choice[kNameSize];
  EXPECT_EQ(1, make_list_choice((directory + "x").c_str(), entry.c_str(), choice));
  EXPECT_EQ(directory + entry, std::string(choice));
  EXPECT_EQ(0, make_list_choice((directory + "x").c_str(), (entry + "e").c_str(), choice));
}
