#include "suggest/word_lexicon.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "core/error_text.h"
#include "suggest/data_file.h"
#include "suggest/native_letters.h"

namespace {

constexpr int kShownText = 60;

int fail(const char* name, int line_number, std::string_view line, const char* what) {
  set_error_text("%s line %d: %s: \"%.*s\"\n", name, line_number, what,
                 static_cast<int>(std::min<std::size_t>(line.size(), kShownText)), line.data());
  return 0;
}

struct Word {
  unsigned char letters[kMaxNativeLetters];
  int length;
  std::uint32_t count;
};

struct Span {
  std::uint32_t node;
  std::uint32_t first, last;  // words [first, last) below the node
  int depth;
};

}  // namespace

int read_word_lexicon(const char* name, const char* text, std::size_t length, WordLexicon* lexicon) {
  LineCursor cursor{std::string_view(text, length), 0};
  std::string_view line;
  if (!next_line(&cursor, &line) || line != "tolvar-words 1") {
    return fail(name, 1, line, "not a word list (expected \"tolvar-words 1\")");
  }
  std::vector<Word> words;
  words.reserve(static_cast<std::size_t>(std::count(text, text + length, '\n')) + 1);
  while (next_line(&cursor, &line)) {
    const std::string_view whole = line;
    std::string_view native;
    Word w;
    long count;
    if (!split_tab(&line, &native) || !parse_number(line, &count) || count < 0 || count >= 999999999) {
      return fail(name, cursor.number, whole, "expected WORD, a tab and a count");
    }
    w.length = native_from_utf8(native.data(), native.size(), w.letters, kMaxNativeLetters);
    if (w.length <= 0) return fail(name, cursor.number, whole, "the word is not 1-64 Devanagari letters");
    w.count = static_cast<std::uint32_t>(count) + 1;
    if (!words.empty()) {
      const Word& p = words.back();
      const int c = std::memcmp(p.letters, w.letters, static_cast<std::size_t>(std::min(p.length, w.length)));
      if (c > 0 || (c == 0 && p.length >= w.length)) {
        return fail(name, cursor.number, whole, "words must be in increasing byte order, each once");
      }
    }
    if (static_cast<long>(words.size()) >= kMaxLexiconWords) return fail(name, cursor.number, whole, "too many words");
    words.push_back(w);
  }

  // Breadth first, so each node's children sit together in letter order.
  WordLexicon lex;
  lex.word_count = static_cast<long>(words.size());
  lex.nodes.push_back(TrieNode{0, 0, 0, 0});
  std::vector<Span> queue{{0, 0, static_cast<std::uint32_t>(words.size()), 0}};
  for (std::size_t q = 0; q < queue.size(); ++q) {
    const Span s = queue[q];
    std::uint32_t i = s.first;
    if (i < s.last && words[i].length == s.depth) lex.nodes[s.node].count = words[i++].count;
    const std::uint32_t first_child = static_cast<std::uint32_t>(lex.nodes.size());
    while (i < s.last) {
      const unsigned char letter = words[i].letters[s.depth];
      std::uint32_t j = i;
      while (j < s.last && words[j].letters[s.depth] == letter) ++j;
      queue.push_back(Span{static_cast<std::uint32_t>(lex.nodes.size()), i, j, s.depth + 1});
      lex.nodes.push_back(TrieNode{0, 0, letter, 0});
      i = j;
    }
    const std::uint32_t children = static_cast<std::uint32_t>(lex.nodes.size()) - first_child;
    lex.nodes[s.node].first_child = first_child;
    lex.nodes[s.node].child_count = static_cast<std::uint8_t>(children);
  }
  lex.nodes.shrink_to_fit();
  *lexicon = std::move(lex);
  return 1;
}

int load_word_lexicon(const char* path, WordLexicon* lexicon) {
  std::vector<char> text;
  if (!read_data_file(path, kMaxDataFileBytes, &text)) return 0;
  return read_word_lexicon(path, text.data(), text.size(), lexicon);
}

std::uint32_t trie_walk(const WordLexicon& lexicon, std::uint32_t node, const unsigned char* letters, int count) {
  for (int i = 0; i < count; ++i) {
    const TrieNode& n = lexicon.nodes[node];
    const TrieNode* lo = &lexicon.nodes[n.first_child];
    const TrieNode* hi = lo + n.child_count;
    const TrieNode* found = std::lower_bound(lo, hi, letters[i],
                                             [](const TrieNode& t, unsigned char c) { return t.letter < c; });
    if (found == hi || found->letter != letters[i]) return 0;
    node = static_cast<std::uint32_t>(found - lexicon.nodes.data());
  }
  return node;
}
