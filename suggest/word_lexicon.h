// A language's word list with how often each word is written, as a trie of
// native letters (children of a node stored together, by letter), so the
// search can follow only spellings that lead to real words.
#pragma once
#include <cstdint>
#include <vector>

constexpr long kMaxLexiconWords = 2000000;

struct TrieNode {
  std::uint32_t first_child;
  std::uint32_t count;        // how often the word ending here is written, plus one; 0: no word ends here
  std::uint8_t letter;
  std::uint8_t child_count;   // at most 128: one per Devanagari letter
};

struct WordLexicon {
  std::vector<TrieNode> nodes;  // [0] is the root
  long word_count;
};

// File: "tolvar-words 1", then one "WORD<tab>COUNT" line per word (WORD in
// Devanagari UTF-8, COUNT 0..999999999), in increasing byte order, each once.
// `lexicon` is replaced only on success. 1 = read; 0 with ErrorText
// "PATH line N: ...\n" naming the line.
int load_word_lexicon(const char* path, WordLexicon* lexicon);
int read_word_lexicon(const char* name, const char* text, std::size_t length, WordLexicon* lexicon);

// The node reached from `node` over `letters`; 0 when there is none (the root
// is never a child).
std::uint32_t trie_walk(const WordLexicon& lexicon, std::uint32_t node, const unsigned char* letters, int count);
