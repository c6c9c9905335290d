#include "langfile/language_description.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/error_text.h"

namespace {

TEST(LanguageDescriptionTest, EveryShippedFolderDescribesLanguagesItHolds) {
  int folders = 0;
  for (const auto& entry : std::filesystem::directory_iterator(TOLVAR_LANGUAGES_DIR)) {
    if (!entry.is_directory()) continue;
    ++folders;
    const std::string path = (entry.path() / "language.txt").string();
    LanguageFolder folder;
    ASSERT_EQ(load_language_descriptions(path.c_str(), &folder), 1) << ErrorText;
    for (int i = 0; i < folder.count; ++i) {
      const LanguageDescription& d = folder.languages[i];
      EXPECT_TRUE(std::filesystem::exists(entry.path() / d.file)) << path << ": " << d.file;
      EXPECT_EQ(d.ships_font, std::filesystem::exists(entry.path() / (std::string(d.font) + ".ttf")))
          << path << ": " << d.name << " ships its font exactly when the folder has it";
    }
  }
  EXPECT_GE(folders, 3);
}

TEST(LanguageDescriptionTest, BlocksCommentsAndCrLfLines) {
  LanguageFolder folder;
  ASSERT_EQ(read_language_descriptions("# two\r\nname=A b\r\nfile=a.gkf\r\nfont=F\r\nships-font=yes\r\n\r\n"
                                       "name=C\nships-font=no\nfont=G=H\nfile=c.gkl",
                                       "language.txt", &folder), 1) << ErrorText;
  ASSERT_EQ(folder.count, 2);
  EXPECT_STREQ(folder.languages[0].name, "A b");
  EXPECT_STREQ(folder.languages[0].file, "a.gkf");
  EXPECT_TRUE(folder.languages[0].ships_font);
  EXPECT_STREQ(folder.languages[1].font, "G=H") << "only the first = separates";
  EXPECT_FALSE(folder.languages[1].ships_font);
  EXPECT_STREQ(folder.languages[1].words, "hi") << "Hindi unless words= says otherwise";

  ASSERT_EQ(read_language_descriptions("name=N\nwords=ne\nfile=n.gkf\nfont=F\nships-font=no\n", "l.txt", &folder), 1)
      << ErrorText;
  EXPECT_STREQ(folder.languages[0].words, "ne");
}

TEST(LanguageDescriptionTest, BadLinesAreNamedWithFileLineAndText) {
  const std::string full = "file=a.gkf\nfont=F\nships-font=no\n";
  const std::string many = [&] {
    std::string s;
    for (int i = 0; i < 9; ++i) s += "name=L\n" + full;
    return s;
  }();
  struct Case {
    std::string text;
    const char* message;
  } cases[] = {
      {"name=A\n" + full + "colour=red\n", "t.txt line 5: unknown key in 'colour=red'\n"},
      {"name=A\nfile a.gkf\n", "t.txt line 2: expected key=value, got 'file a.gkf'\n"},
      {"file=a.gkf\n", "t.txt line 1: a language begins with name=, not 'file=a.gkf'\n"},
      {"name=A\nfile=../a.gkf\n", "t.txt line 2: the file must be in the folder: 'file=../a.gkf'\n"},
      {"name=A\nfile=a.gkf\nfile=b.gkf\n", "t.txt line 3: file given twice: 'file=b.gkf'\n"},
      {"name=A\nships-font=maybe\n", "t.txt line 2: ships-font is yes or no, not 'ships-font=maybe'\n"},
      {"name=A\nwords=bn\n", "t.txt line 2: words is hi, mr or ne, not 'words=bn'\n"},
      {"name=A\nwords=ne\nwords=mr\n", "t.txt line 3: words given twice: 'words=mr'\n"},
      {"name=\n", "t.txt line 1: empty value in 'name='\n"},
      {"name=" + std::string(64, 'x') + "\n", nullptr},
      {"name=A\nfile=a.gkf\nships-font=no\nname=B\n", "t.txt line 1: the language 'A' has no font= line\n"},
      {"name=A\n" + full + "name=B\nfont=F\n", "t.txt line 5: the language 'B' has no file= line\n"},
      {many, "t.txt line 33: more than 8 languages, at 'name=L'\n"},
      {"# nothing\n", "t.txt: no language in it (a language begins with name=)\n"},
  };
  for (const Case& c : cases) {
    LanguageFolder folder;
    EXPECT_EQ(read_language_descriptions(c.text, "t.txt", &folder), 0) << c.text;
    EXPECT_EQ(folder.count, 0) << c.text;
    if (c.message != nullptr) EXPECT_STREQ(ErrorText, c.message) << c.text;
    else EXPECT_NE(std::string(ErrorText).find("value too long"), std::string::npos) << ErrorText;
  }
  LanguageFolder folder;
  EXPECT_EQ(load_language_descriptions("/nonexistent/language.txt", &folder), 0);
  EXPECT_STREQ(ErrorText, "Error: could not open /nonexistent/language.txt for reading\n");
}

}  // namespace
