#include "suggest/word_suggestion.h"

#include <gtest/gtest.h>

#include <string>

#include "core/error_text.h"

namespace {

// The shipped model with a small word list of the test's own.
class WordSuggestionTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(load_romanization_model(TOLVAR_SUGGEST_DATA_DIR "/romanization.model", &data_.model), 1) << ErrorText;
  }
  void use_words(const std::string& text) {
    ASSERT_EQ(read_word_lexicon("test.words", text.data(), text.size(), &data_.lexicon), 1) << ErrorText;
  }
  std::string first(const char* roman, const UserLexicon* user = nullptr) {
    SuggestionList list;
    suggest_words(data_, user, roman, std::char_traits<char>::length(roman), &list);
    return list.count > 0 ? list.items[0].text : "";
  }
  static SuggestData data_;
};

SuggestData WordSuggestionTest::data_;

// "kam" is written for both काम (work) and कम (less).
constexpr const char* kKam = "काम";
constexpr const char* kKm = "कम";

TEST_F(WordSuggestionTest, TheMoreFrequentOfTwoWordsWithTheSameSpellingComesFirst) {
  use_words(std::string("tolvar-words 1\n") + kKm + "\t5\n" + kKam + "\t9000\n");
  EXPECT_EQ(first("kam"), kKam);
  use_words(std::string("tolvar-words 1\n") + kKm + "\t9000\n" + kKam + "\t5\n");
  EXPECT_EQ(first("kam"), kKm);
}

TEST_F(WordSuggestionTest, TheUsersChoiceComesFirstNextTimeForThoseLettersOnly) {
  use_words(std::string("tolvar-words 1\n") + kKm + "\t5\n" + kKam + "\t9000\n");
  static UserLexicon user;
  clear_user_lexicon(&user);
  ASSERT_EQ(remember_user_choice(&user, "kam", 3, kKm, std::char_traits<char>::length(kKm)), 1) << ErrorText;
  EXPECT_EQ(first("kam", &user), kKm);
  EXPECT_EQ(first("KAM", &user), kKm) << "typed in capitals, the same letters";
  EXPECT_NE(first("kaam", &user), kKm) << "other letters";

  SuggestionList list;
  suggest_words(data_, &user, "kam", 3, &list);
  int seen = 0;
  for (int i = 0; i < list.count; ++i) seen += std::string(list.items[i].text) == kKm;
  EXPECT_EQ(seen, 1) << "the chosen word is not listed twice";
}

TEST_F(WordSuggestionTest, AWordOutsideTheLexiconStillGetsItsSpelling) {
  use_words("tolvar-words 1\n");
  EXPECT_EQ(first("bharat"), "भारत");
  EXPECT_EQ(first("ladka"), "लड़का");
  EXPECT_EQ(first("namaste"), "नमस्ते");
}

TEST_F(WordSuggestionTest, NoCandidatesForWhatIsNotAWord) {
  use_words(std::string("tolvar-words 1\n") + kKam + "\t1\n");
  SuggestionList list;
  for (const std::string& roman : {std::string(), std::string("k m"), std::string("\xE0\xA4\x95"),
                                  std::string(33, 'a')}) {
    list.count = 7;
    suggest_words(data_, nullptr, roman.data(), roman.size(), &list);
    EXPECT_EQ(list.count, 0) << "'" << roman << "'";
  }
  suggest_words(data_, nullptr, std::string(32, 'a').data(), 32, &list);
  EXPECT_GT(list.count, 0) << "32 letters are still a word";
  EXPECT_LE(list.count, kMaxSuggestions);
}

}  // namespace
