#include "suggest/letter_model.h"

#include <cmath>
#include <algorithm>

#include "suggest/native_letters.h"

namespace {

constexpr double kDiscount = 0.75;
constexpr std::uint64_t kWordStart = 1;
constexpr std::uint64_t kWordEnd = 2;
constexpr float kUnseenCost = 15.0f;
// 4 MB of n-grams.
constexpr std::size_t kLetterSlotsWanted = 1u << 18;

// The n-gram of `n` symbols ending at symbols[end - 1].
std::uint64_t ngram_key(const std::uint64_t* symbols, int end, int n) {
  std::uint64_t key = static_cast<std::uint64_t>(n) << 56;
  for (int i = end - n; i < end; ++i) key |= symbols[i] << (8 * (end - 1 - i));
  return key;
}

// The same n-gram without its first symbol, or without its last.
std::uint64_t shorter_key(std::uint64_t key) {
  const int n = static_cast<int>(key >> 56);
  return (static_cast<std::uint64_t>(n - 1) << 56) | (key & ((1ull << (8 * (n - 1))) - 1));
}
std::uint64_t history_key(std::uint64_t key) {
  const int n = static_cast<int>(key >> 56);
  return (static_cast<std::uint64_t>(n - 1) << 56) | ((key & ((1ull << 56) - 1)) >> 8);
}

std::size_t slot_of(std::uint64_t key, std::size_t mask) {
  key ^= key >> 31;
  key *= 0x9E3779B97F4A7C15ull;
  key ^= key >> 29;
  return static_cast<std::size_t>(key) & mask;
}

const LetterSlot* find(const LetterModel& model, std::uint64_t key) {
  const std::size_t mask = model.slots.size() - 1;
  for (std::size_t i = slot_of(key, mask);; i = (i + 1) & mask) {
    if (model.slots[i].key == key) return &model.slots[i];
    if (model.slots[i].key == 0) return nullptr;
  }
}

// The table the counting fills: every n-gram of the words with its count,
// and as a history the total count and the number of letters after it.
struct CountSlot {
  std::uint64_t key;
  float count;
  float total;
  float types;
  float p;
};

struct CountTable {
  std::vector<CountSlot> slots;
  std::size_t used;

  CountSlot* find(std::uint64_t key) {
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = slot_of(key, mask);; i = (i + 1) & mask) {
      if (slots[i].key == key) return &slots[i];
      if (slots[i].key == 0) return nullptr;
    }
  }
  CountSlot* add(std::uint64_t key) {
    if (4 * (used + 1) > 3 * slots.size()) grow();
    const std::size_t mask = slots.size() - 1;
    std::size_t i = slot_of(key, mask);
    while (slots[i].key != 0 && slots[i].key != key) i = (i + 1) & mask;
    if (slots[i].key == 0) {
      slots[i] = CountSlot{key, 0, 0, 0, 0};
      ++used;
    }
    return &slots[i];
  }
  void grow() {
    std::vector<CountSlot> old;
    old.swap(slots);
    slots.assign(old.empty() ? 1u << 18 : old.size() * 2, CountSlot{0, 0, 0, 0, 0});
    used = 0;
    for (const CountSlot& s : old)
      if (s.key != 0) *add(s.key) = s;
  }
};

// Counts each word of the trie once. The n-grams that end at a node are
// those of every word below it, so they are added once per node with that
// many words, not once per word.
struct Walker {
  const WordLexicon& lexicon;
  CountTable& counts;
  std::uint64_t symbols[kMaxNativeLetters + 2];

  float visit(std::uint32_t node, int depth) {
    const TrieNode& n = lexicon.nodes[node];
    float words = 0;
    if (n.count > 0) {
      words = 1;
      symbols[depth + 1] = kWordEnd;
      for (int k = 1; k <= kLetterModelOrder && k <= depth + 2; ++k) counts.add(ngram_key(symbols, depth + 2, k))->count += 1;
    }
    if (depth < kMaxNativeLetters) {
      for (std::uint32_t c = n.first_child; c < n.first_child + n.child_count; ++c) {
        symbols[depth + 1] = lexicon.nodes[c].letter;
        words += visit(c, depth + 1);
      }
    }
    for (int k = 1; k <= kLetterModelOrder && k <= depth + 1; ++k) counts.add(ngram_key(symbols, depth + 1, k))->count += words;
    return words;
  }
};

bool is_word_start(std::uint64_t key) { return key >> 56 == 1 && (key & 0xFF) == kWordStart; }

// The n-gram's probability, its shorter n-grams' first (p 0: not yet known).
float probability(CountTable* counts, CountSlot* s, double unigram_total) {
  if (s->p > 0) return s->p;
  if (s->key >> 56 == 1) {
    s->p = static_cast<float>(s->count / unigram_total);
  } else {
    const CountSlot* h = counts->find(history_key(s->key));
    const float lower = probability(counts, counts->find(shorter_key(s->key)), unigram_total);
    s->p = static_cast<float>(std::max(s->count - kDiscount, 0.0) / h->total + kDiscount * h->types / h->total * lower);
  }
  return s->p;
}

}  // namespace

void build_letter_model(const WordLexicon& lexicon, LetterModel* model) {
  model->slots.clear();
  if (lexicon.nodes.empty()) return;
  CountTable counts{{}, 0};
  counts.grow();
  Walker walker{lexicon, counts, {}};
  walker.symbols[0] = kWordStart;
  walker.visit(0, 0);

  // Absolute discounting, interpolated, as the romanization model. The start
  // symbol is never predicted: its unigram stands only as a history.
  double unigram_total = 0;
  for (CountSlot& s : counts.slots) {
    if (s.key == 0 || is_word_start(s.key)) continue;
    if (s.key >> 56 == 1) {
      unigram_total += s.count;
    } else {
      CountSlot* h = counts.find(history_key(s.key));
      h->total += s.count;
      h->types += 1;
    }
  }
  for (CountSlot& s : counts.slots)
    if (s.key != 0 && !is_word_start(s.key)) probability(&counts, &s, unigram_total);
  // A list whose n-grams would not fit kLetterSlotsWanted leaves out the
  // longest n-grams seen once (about half of them): their shorter history
  // predicts them almost as well (Hindi top-1 0.4% lower).
  const bool prune = counts.used + counts.used / 4 > kLetterSlotsWanted;
  auto kept = [prune](const CountSlot& s) {
    return s.key != 0 && (!prune || static_cast<int>(s.key >> 56) < kLetterModelOrder || s.count > 1);
  };
  std::size_t kept_count = 0;
  for (const CountSlot& s : counts.slots) kept_count += kept(s);
  std::size_t size = 1024;
  while (size < kept_count + kept_count / 4) size *= 2;
  model->slots.assign(size, LetterSlot{0, 0, 0});
  const std::size_t mask = size - 1;
  for (const CountSlot& s : counts.slots) {
    if (!kept(s)) continue;
    const double backoff = s.total > 0 ? kDiscount * s.types / s.total : 1.0;
    std::size_t slot = slot_of(s.key, mask);
    while (model->slots[slot].key != 0) slot = (slot + 1) & mask;
    model->slots[slot] = LetterSlot{s.key, is_word_start(s.key) ? 0.0f : -std::log(s.p),
                                    static_cast<float>(-std::log(backoff))};
  }
}

float letter_cost(const LetterModel& model, const unsigned char* letters, int count) {
  if (model.slots.empty()) return 0;
  std::uint64_t symbols[kMaxNativeLetters + 2];
  symbols[0] = kWordStart;
  for (int i = 0; i < count && i < kMaxNativeLetters; ++i) symbols[i + 1] = letters[i];
  const int length = (count < kMaxNativeLetters ? count : kMaxNativeLetters) + 2;
  symbols[length - 1] = kWordEnd;
  float cost = 0;
  for (int end = 2; end <= length; ++end) {
    int n = end < kLetterModelOrder ? end : kLetterModelOrder;
    float backoff = 0;
    for (;; --n) {
      const std::uint64_t key = ngram_key(symbols, end, n);
      if (const LetterSlot* s = find(model, key)) {
        cost += backoff + s->cost;
        break;
      }
      if (n == 1) {
        cost += backoff + kUnseenCost;
        break;
      }
      if (const LetterSlot* h = find(model, history_key(key))) backoff += h->backoff;
    }
  }
  return cost;
}
