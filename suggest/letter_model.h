// A model of how a language spells its words, letter by letter: an n-gram
// model over the native letters of the word list, counted when the list is
// loaded. It weighs freely spelled candidates by how much they look like the
// language's words.
#pragma once
#include <cstdint>
#include <vector>

#include "suggest/word_lexicon.h"

constexpr int kLetterModelOrder = 5;

struct LetterSlot {
  std::uint64_t key;  // 0: an empty slot
  float cost;         // -ln p of the n-gram's last letter after the others
  float backoff;      // of falling back to a shorter history when it is the history
};

struct LetterModel {
  std::vector<LetterSlot> slots;  // a power of two long; empty: no model
};

// Counts the words of `lexicon` (each once) into `model`.
void build_letter_model(const WordLexicon& lexicon, LetterModel* model);

// The cost of spelling `letters` as a whole word (its end included); 0 when
// there is no model.
float letter_cost(const LetterModel& model, const unsigned char* letters, int count);
