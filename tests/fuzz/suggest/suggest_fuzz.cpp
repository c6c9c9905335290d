// Arbitrary text through the suggestion engine's readers. The first byte
// picks the reader; the rest is the file. What reads is then used: the user
// list is searched with a small model and saved nowhere, a word list and a
// model are searched with each other's counterpart from the seeds below.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "suggest/word_suggestion.h"

namespace {

constexpr const char* kModel =
    "tolvar-romanization 1\ngraphones 3\na\tआ\nk\tक\nka\tक\nngrams 5\n0\t100\t50\n1\t900\t0\n2\t800\t0\n"
    "3\t700\t0\n0 3\t300\t0\n";
constexpr const char* kWords = "tolvar-words 1\nक\t4\nकआ\t0\n";
constexpr const char* kRoman[] = {"ka", "kaa", "k", "akak", "kakakakakakakakakakakakakakakakaa"};

void search_all(const SuggestData& data, const UserLexicon* user) {
  SuggestionList list;
  for (const char* roman : kRoman) suggest_words(data, user, roman, std::strlen(roman), &list);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size == 0) return 0;
  const char* text = reinterpret_cast<const char*>(bytes + 1);
  const std::size_t length = size - 1;
  static SuggestData data;
  static UserLexicon user;
  read_romanization_model("model", kModel, std::strlen(kModel), &data.model);
  read_word_lexicon("words", kWords, std::strlen(kWords), &data.lexicon);
  clear_user_lexicon(&user);
  switch (bytes[0] % 3) {
    case 0:
      read_user_lexicon("user", text, length, &user);
      search_all(data, &user);
      break;
    case 1:
      if (read_word_lexicon("words", text, length, &data.lexicon)) search_all(data, nullptr);
      break;
    default:
      if (read_romanization_model("model", text, length, &data.model)) search_all(data, nullptr);
      break;
  }
  return 0;
}
