#include "suggest/user_lexicon.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/error_text.h"
#include "tests/langfile/langfile_test_support.h"

namespace {

using langfile_test::TempDir;
using langfile_test::write_file;

constexpr const char* kKm = "कम";

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

int remember(UserLexicon* lexicon, const std::string& roman, const std::string& word) {
  return remember_user_choice(lexicon, roman.data(), roman.size(), word.data(), word.size());
}

// "a", "b", ... "z", "aa", "ab", ...: a distinct romanized word per number.
std::string roman_of(int i) {
  std::string r;
  for (++i; i > 0; i = (i - 1) / 26) r.insert(r.begin(), static_cast<char>('a' + (i - 1) % 26));
  return r;
}

TEST(UserLexicon, KeepsTheMostRecentlyUsedChoicesUpToItsBound) {
  static UserLexicon lexicon;
  clear_user_lexicon(&lexicon);
  for (int i = 0; i < kUserLexiconEntries; ++i) ASSERT_EQ(remember(&lexicon, roman_of(i), kKm), 1) << ErrorText;
  ASSERT_EQ(remember(&lexicon, roman_of(0), kKm), 1) << "the first choice, used again";
  for (int i = kUserLexiconEntries; i < kUserLexiconEntries + 10; ++i) ASSERT_EQ(remember(&lexicon, roman_of(i), kKm), 1);

  EXPECT_EQ(lexicon.count, kUserLexiconEntries);
  auto has = [&](const std::string& roman) {
    for (int i = 0; i < lexicon.count; ++i)
      if (roman == lexicon.words[i].roman) return true;
    return false;
  };
  EXPECT_TRUE(has(roman_of(0))) << "used again, so not the oldest";
  EXPECT_EQ(lexicon.words[0].uses, 2u);
  for (int i = 1; i <= 10; ++i) EXPECT_FALSE(has(roman_of(i))) << roman_of(i) << " was the oldest";
  EXPECT_TRUE(has(roman_of(11)));
  EXPECT_TRUE(has(roman_of(kUserLexiconEntries + 9)));
}

TEST(UserLexicon, RefusesWhatItCannotHold) {
  static UserLexicon lexicon;
  clear_user_lexicon(&lexicon);
  EXPECT_EQ(remember(&lexicon, std::string(33, 'a'), kKm), 0);
  EXPECT_NE(std::string(ErrorText).find("not 1-32 letters a-z"), std::string::npos) << ErrorText;
  EXPECT_EQ(remember(&lexicon, "kam", "kam"), 0);
  EXPECT_NE(std::string(ErrorText).find("not 1-64 Devanagari letters"), std::string::npos) << ErrorText;
  EXPECT_EQ(lexicon.count, 0);
}

TEST(UserLexicon, SavedAndLoadedAgainAsItWas) {
  TempDir dir;
  const std::string path = (dir.path() / "user-words.txt").string();
  static UserLexicon saved, loaded;
  clear_user_lexicon(&saved);
  ASSERT_EQ(load_user_lexicon(path.c_str(), &loaded), 1) << "a missing file is an empty list: " << ErrorText;
  EXPECT_EQ(loaded.count, 0);
  remember(&saved, "kam", kKm);
  remember(&saved, "kam", kKm);
  remember(&saved, "mera", "मेरा");
  ASSERT_EQ(save_user_lexicon(path.c_str(), &saved), 1) << ErrorText;
  EXPECT_EQ(read_file(path), "tolvar-user-words 1\nkam\tकम\t2\t2\nmera\tमेरा\t1\t3\n");
  ASSERT_EQ(load_user_lexicon(path.c_str(), &loaded), 1) << ErrorText;
  ASSERT_EQ(loaded.count, 2);
  EXPECT_EQ(loaded.words[0].uses, 2u);
  EXPECT_EQ(loaded.clock, 3u);
}

TEST(UserLexicon, DamagedFileIsNamedMovedAsideAndItsGoodLinesKept) {
  TempDir dir;
  const std::filesystem::path path = dir.path() / "user-words.txt";
  const std::string damaged = "tolvar-user-words 1\nkam\tकम\t2\t2\nmera\tmer\xC3\t1\t3\nhai\tहै\t1\t4\n";
  write_file(path, damaged);
  write_file(dir.path() / "user-words.txt.damaged", "an earlier one");
  static UserLexicon lexicon;
  EXPECT_EQ(load_user_lexicon(path.string().c_str(), &lexicon), 0);
  const std::string message = ErrorText;
  EXPECT_NE(message.find(path.string() + " line 3: "), std::string::npos) << message;
  EXPECT_NE(message.find("\"mera\tmer"), std::string::npos) << "the offending text: " << message;
  EXPECT_NE(message.find("2 good choices"), std::string::npos) << message;
  EXPECT_NE(message.find("user-words.txt.damaged-2"), std::string::npos) << message;
  EXPECT_EQ(message.back(), '\n');
  EXPECT_EQ(lexicon.count, 2);

  EXPECT_EQ(read_file(dir.path() / "user-words.txt.damaged-2"), damaged) << "kept as it was";
  EXPECT_EQ(read_file(dir.path() / "user-words.txt.damaged"), "an earlier one") << "not overwritten";
  EXPECT_FALSE(std::filesystem::exists(path));
  ASSERT_EQ(save_user_lexicon(path.string().c_str(), &lexicon), 1) << ErrorText;
  EXPECT_EQ(load_user_lexicon(path.string().c_str(), &lexicon), 1) << ErrorText;
  EXPECT_EQ(lexicon.count, 2);
}

TEST(UserLexicon, TooLargeFileIsMovedAsideUnread) {
  TempDir dir;
  const std::filesystem::path path = dir.path() / "user-words.txt";
  write_file(path, "tolvar-user-words 1\n" + std::string(2 << 20, 'a'));
  static UserLexicon lexicon;
  EXPECT_EQ(load_user_lexicon(path.string().c_str(), &lexicon), 0);
  EXPECT_NE(std::string(ErrorText).find("is larger than"), std::string::npos) << ErrorText;
  EXPECT_TRUE(std::filesystem::exists(dir.path() / "user-words.txt.damaged"));
  EXPECT_EQ(lexicon.count, 0);
}

}  // namespace
