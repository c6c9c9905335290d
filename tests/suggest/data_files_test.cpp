// The model and word-list readers on files that are not what they should be:
// each is refused with the line and its text named, and nothing is replaced.
#include <gtest/gtest.h>

#include <string>

#include "core/error_text.h"
#include "suggest/romanization_model.h"
#include "suggest/word_lexicon.h"

namespace {

struct BadFile {
  const char* text;
  const char* message;
};

TEST(SuggestDataFiles, BadWordListsAreRefusedWithTheirLine) {
  const BadFile cases[] = {
      {"tolvar-words 2\n", "test.words line 1: not a word list"},
      {"tolvar-words 1\nकम\t1\nकाम\n", "test.words line 3: expected WORD, a tab and a count: \"काम\""},
      {"tolvar-words 1\nकम\t-1\n", "line 2: expected WORD"},
      {"tolvar-words 1\nkam\t1\n", "line 2: the word is not 1-64 Devanagari letters"},
      {"tolvar-words 1\nकाम\t1\nकम\t1\n", "line 3: words must be in increasing byte order"},
      {"tolvar-words 1\nकम\t1\nकम\t1\n", "line 3: words must be in increasing byte order"},
  };
  for (const BadFile& c : cases) {
    static WordLexicon lexicon;
    const std::string kept = "tolvar-words 1\nक\t1\n";
    ASSERT_EQ(read_word_lexicon("test.words", kept.data(), kept.size(), &lexicon), 1) << ErrorText;
    EXPECT_EQ(read_word_lexicon("test.words", c.text, std::char_traits<char>::length(c.text), &lexicon), 0) << c.text;
    EXPECT_NE(std::string(ErrorText).find(c.message), std::string::npos) << ErrorText;
    EXPECT_EQ(lexicon.word_count, 1) << "the list in force stays";
  }
  static WordLexicon lexicon;
  const std::string long_word = "tolvar-words 1\n" + std::string(65 * 3, 'x') + "\t1\n";
  EXPECT_EQ(read_word_lexicon("w", long_word.data(), long_word.size(), &lexicon), 0);
  EXPECT_NE(std::string(ErrorText).find("\"xxx"), std::string::npos) << "shown cut short: " << ErrorText;
  EXPECT_LT(std::string(ErrorText).size(), 200u);
}

TEST(SuggestDataFiles, BadModelsAreRefusedWithTheirLine) {
  const std::string head = "tolvar-romanization 1\ngraphones 2\nk\tक\nka\tक\nngrams ";
  const BadFile cases[] = {
      {"tolvar-romanization 1\ngraphones 70000\n", "line 2: graphones: \"graphones 70000\""},
      {"tolvar-romanization 1\ngraphones 2\nk\tक\n", "line 2: the file is too short for so many lines"},
      {"tolvar-romanization 1\ngraphones 2\nk\tक\n\n\n\n", "line 4: expected LATIN"},
      {"ngrams 3999999\n0\t10\t0\n", "line 5: the file is too short for so many lines"},
      {"tolvar-romanization 1\ngraphones 1\nkaaa\tक\n", "line 3: expected LATIN"},
      {"tolvar-romanization 1\ngraphones 1\nK\tक\n", "line 3: expected LATIN"},
      {"tolvar-romanization 1\ngraphones 1\nk\tकाकी\n", "line 3: expected LATIN"},
      {"ngrams 3\n0\t10\t0\n1\t10\t0\n3\t10\t0\n", "line 8: expected 1-6 graphone ids"},
      {"ngrams 3\n0\t10\t0\n1\t10\t0\n0 2\t10\t0\n", "line 8: the n-gram's shorter parts are not given before it"},
      {"ngrams 4\n0\t10\t0\n1\t10\t0\n0 1\t10\t0\n2\t10\t0\n", "line 9: a shorter n-gram after longer ones"},
      {"ngrams 2\n0\t10\t0\n0\t10\t0\n", "line 7: this n-gram was given before"},
      {"ngrams 1\n1\t10\t0\n", "the model has no unigram of graphone 0"},
      {"ngrams 1\n0\t10\t0\nmore\n", "line 7: text after the last n-gram"},
      {"ngrams 1\n0 1 1 1 1 1 1\t10\t0\n", "line 6: expected 1-6 graphone ids"},
  };
  for (const BadFile& c : cases) {
    const std::string text = std::string(c.text).rfind("ngrams", 0) == 0 ? head + (c.text + 7) : c.text;
    static RomanizationModel model;
    EXPECT_EQ(read_romanization_model("test.model", text.data(), text.size(), &model), 0) << text;
    EXPECT_NE(std::string(ErrorText).find(c.message), std::string::npos) << ErrorText;
  }
}

}  // namespace
