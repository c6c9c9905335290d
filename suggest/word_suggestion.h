// Candidates for a romanized word: a beam search over the romanization
// model's graphones, once along the lexicon's trie (real words only) and
// once unconstrained (so a word the lexicon lacks still gets a sensible
// spelling), ranked by the model's cost, how much the spelling looks like the
// language's words and how often each word is written; the user's own
// earlier choices for the same letters come first.
// The search uses fixed buffers: no allocation per word.
#pragma once
#include <cstddef>

#include "suggest/letter_model.h"
#include "suggest/native_letters.h"
#include "suggest/romanization_model.h"
#include "suggest/user_lexicon.h"
#include "suggest/word_lexicon.h"

constexpr int kMaxSuggestions = 10;

// How the search and the ranking are weighed (set once, tuned on the
// development split of the romanized pairs).
struct SuggestTuning {
  int lexicon_beam;         // hypotheses kept per Latin letter along the lexicon, at most 32
  int free_beam;            // the same for unconstrained spelling, at most 32
  int graphones_per_chunk;  // the likeliest readings of each Latin chunk tried
  float lexicon_bonus;      // added to the score of a word the lexicon has
  float frequency_weight;   // times ln(count + 1) of the word
  float letter_weight;      // times the letter model's cost of the spelling
};
extern SuggestTuning SuggestParameters;

// A language's suggestion data: the shared model and the language's words.
struct SuggestData {
  RomanizationModel model;
  WordLexicon lexicon;
  LetterModel letters;  // counted from the lexicon at load
};

struct Suggestion {
  char text[kNativeUtf8Size];  // UTF-8, terminated
  float score;                 // higher is better
};

struct SuggestionList {
  int count;
  Suggestion items[kMaxSuggestions];
};

// Loads the model file and the word file into `data`, replaced only when both
// read. 1 = loaded; 0 with ErrorText naming the file and line.
int load_suggest_data(const char* model_path, const char* words_path, SuggestData* data);

// The memory the loaded data takes, in bytes.
std::size_t suggest_data_bytes(const SuggestData& data);

// Fills `list` with up to kMaxSuggestions candidates for `roman`, best first;
// `user` may be null. A word that is not 1-32 ASCII letters gets none
// (list->count 0). Not re-entrant: the search keeps its beams in static
// buffers, as the shell types one word at a time.
void suggest_words(const SuggestData& data, const UserLexicon* user, const char* roman, std::size_t length,
                   SuggestionList* list);
