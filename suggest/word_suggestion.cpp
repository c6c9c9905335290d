#include "suggest/word_suggestion.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Beam of hypotheses that have spelled the first `pos` Latin letters.
constexpr int kBeamWidth = 32;
constexpr int kPoolSize = 2 * kBeamWidth;

struct Hypothesis {
  float cost;
  std::uint32_t state;   // the model's history
  std::uint32_t node;    // in the lexicon's trie (constrained search)
  std::uint8_t length;
  unsigned char letters[kMaxNativeLetters];
};

struct Beam {
  int count;
  int worst;  // when full: the costliest
  Hypothesis items[kBeamWidth];
};

constexpr float kNoMass = -1e30f;

struct Candidate {
  float mass[2];  // ln of the summed likelihood, per search
  float score;
  std::uint8_t length;
  unsigned char letters[kMaxNativeLetters];
};

Beam beams[kMaxRomanLetters + 1];
Candidate pool[kPoolSize];
int pool_count;

// Whether a hypothesis of this cost can still enter `beam`.
bool beam_takes(const Beam& beam, int width, float cost) {
  return beam.count < width || cost < beam.items[beam.worst].cost;
}

// Adds `h` to `beam` (holding at most `width`) unless the same spelling with
// the same history is there already at a lower cost, or the beam is full
// of better ones.
void beam_add(Beam* beam, int width, const Hypothesis& h) {
  Hypothesis* slot = nullptr;
  for (int i = 0; i < beam->count && slot == nullptr; ++i) {
    Hypothesis& o = beam->items[i];
    if (o.state == h.state && o.length == h.length && std::memcmp(o.letters, h.letters, h.length) == 0) {
      if (h.cost >= o.cost) return;
      slot = &o;
    }
  }
  if (slot == nullptr) slot = beam->count < width ? &beam->items[beam->count++] : &beam->items[beam->worst];
  *slot = h;
  if (beam->count == width) {
    int worst = 0;
    for (int i = 1; i < beam->count; ++i)
      if (beam->items[i].cost > beam->items[worst].cost) worst = i;
    beam->worst = worst;
  }
}

// The count a word has in the lexicon plus one; 0 when it is not there.
std::uint32_t lexicon_count(const WordLexicon& lexicon, const unsigned char* letters, int length) {
  if (lexicon.nodes.empty()) return 0;
  const std::uint32_t node = trie_walk(lexicon, 0, letters, length);
  return node == 0 ? 0 : lexicon.nodes[node].count;
}

// Adds a finished spelling to the candidates. The likelihoods of the paths
// that spell the same word within one search add up (the word's likelihood
// sums over its cuts into graphones); the two searches each see the same
// paths, so a word takes the better of the two sums.
void pool_add(const Hypothesis& h, float cost, int which) {
  Candidate* c = nullptr;
  for (int i = 0; i < pool_count && c == nullptr; ++i)
    if (pool[i].length == h.length && std::memcmp(pool[i].letters, h.letters, h.length) == 0) c = &pool[i];
  if (c == nullptr) {
    if (pool_count == kPoolSize) return;
    c = &pool[pool_count++];
    c->mass[0] = c->mass[1] = kNoMass;
    c->length = h.length;
    std::memcpy(c->letters, h.letters, h.length);
  }
  float& m = c->mass[which];
  const float x = -cost;
  m = m == kNoMass ? x : std::max(m, x) + std::log1p(std::exp(-std::fabs(m - x)));
}

// Scores the candidates: the likelier of the two sums, and for a word of the
// lexicon a bonus that grows with how often it is written.
void score_pool(const SuggestData& data) {
  for (int i = 0; i < pool_count; ++i) {
    Candidate& c = pool[i];
    c.score = std::max(c.mass[0], c.mass[1]) - SuggestParameters.letter_weight * letter_cost(data.letters, c.letters, c.length);
    const std::uint32_t count = lexicon_count(data.lexicon, c.letters, c.length);
    if (count > 0) {
      c.score += SuggestParameters.lexicon_bonus + SuggestParameters.frequency_weight * std::log(static_cast<float>(count));
    }
  }
}

// Whether the graphone's letters may follow the hypothesis's (the lexicon's
// words are taken as they are written).
bool spelling_may_go_on(const Hypothesis& h, const Graphone& g) {
  unsigned char before = h.length == 0 ? 0 : h.letters[h.length - 1];
  for (int i = 0; i < g.native_length; ++i) {
    if (!native_may_follow(before, g.native[i])) return false;
    before = g.native[i];
  }
  return true;
}

void search(const SuggestData& data, const char* roman, int n, bool constrained) {
  const RomanizationModel& model = data.model;
  if (constrained && data.lexicon.nodes.empty()) return;
  for (int i = 0; i <= n; ++i) beams[i].count = beams[i].worst = 0;
  Hypothesis start;
  start.cost = 0;
  start.state = model.start;
  start.node = 0;
  start.length = 0;
  beams[0].items[0] = start;
  beams[0].count = 1;
  const int per_chunk = SuggestParameters.graphones_per_chunk;
  const int width =
      std::max(1, std::min(kBeamWidth, constrained ? SuggestParameters.lexicon_beam : SuggestParameters.free_beam));
  for (int pos = 0; pos < n; ++pos) {
    Beam& beam = beams[pos];
    for (int b = 0; b < beam.count; ++b) {
      const Hypothesis& h = beam.items[b];
      for (int k = 1; k <= kGraphoneLatinMax && pos + k <= n; ++k) {
        const int key = latin_chunk_key(roman + pos, k);
        const std::uint32_t first = model.chunk_start[key];
        const std::uint32_t last = std::min<std::uint32_t>(model.chunk_start[key + 1], first + per_chunk);
        for (std::uint32_t i = first; i < last; ++i) {
          const std::uint16_t g = model.chunk_graphones[i];
          const Graphone& gr = model.graphones[g];
          if (h.length + gr.native_length > kMaxNativeLetters) continue;
          if (!constrained && !spelling_may_go_on(h, gr)) continue;
          Hypothesis next;
          next.node = 0;
          if (constrained) {
            next.node = trie_walk(data.lexicon, h.node, gr.native, gr.native_length);
            if (next.node == 0) continue;
          }
          next.cost = h.cost + graphone_cost(model, h.state, g, &next.state);
          if (!beam_takes(beams[pos + k], width, next.cost)) continue;
          next.length = static_cast<std::uint8_t>(h.length + gr.native_length);
          std::memcpy(next.letters, h.letters, h.length);
          std::memcpy(next.letters + h.length, gr.native, gr.native_length);
          beam_add(&beams[pos + k], width, next);
        }
      }
    }
  }
  for (int b = 0; b < beams[n].count; ++b) {
    const Hypothesis& h = beams[n].items[b];
    if (constrained && data.lexicon.nodes[h.node].count == 0) continue;
    std::uint32_t end;
    pool_add(h, h.cost + graphone_cost(model, h.state, kEdgeGraphone, &end), constrained ? 1 : 0);
  }
}

}  // namespace

SuggestTuning SuggestParameters = {16, 16, 8, 3.0f, 0.5f, 0.3f};

int load_suggest_data(const char* model_path, const char* words_path, SuggestData* data) {
  SuggestData staging;
  if (!load_romanization_model(model_path, &staging.model)) return 0;
  if (!load_word_lexicon(words_path, &staging.lexicon)) return 0;
  build_letter_model(staging.lexicon, &staging.letters);
  *data = std::move(staging);
  return 1;
}

std::size_t suggest_data_bytes(const SuggestData& data) {
  const RomanizationModel& m = data.model;
  return sizeof data + m.graphones.capacity() * sizeof(Graphone) + m.ngrams.capacity() * sizeof(Ngram) +
         m.slots.capacity() * sizeof(NgramSlot) + m.chunk_start.capacity() * sizeof(std::uint32_t) +
         m.chunk_graphones.capacity() * sizeof(std::uint16_t) + data.lexicon.nodes.capacity() * sizeof(TrieNode) +
         data.letters.slots.capacity() * sizeof(LetterSlot);
}

void suggest_words(const SuggestData& data, const UserLexicon* user, const char* roman, std::size_t length,
                   SuggestionList* list) {
  list->count = 0;
  char letters[kMaxRomanLetters + 1];
  const int n = roman_letters(roman, length, letters);
  if (n < 0 || data.model.graphones.empty()) return;

  pool_count = 0;
  search(data, letters, n, true);
  search(data, letters, n, false);
  score_pool(data);
  std::sort(pool, pool + pool_count, [](const Candidate& a, const Candidate& b) { return a.score > b.score; });

  // The user's choices for these letters first, most used first.
  const UserWord* chosen[kUserLexiconEntries];
  int chosen_count = 0;
  for (int i = 0; user != nullptr && i < user->count; ++i)
    if (std::strcmp(user->words[i].roman, letters) == 0) chosen[chosen_count++] = &user->words[i];
  std::sort(chosen, chosen + chosen_count, [](const UserWord* a, const UserWord* b) {
    return a->uses != b->uses ? a->uses > b->uses : a->last_use > b->last_use;
  });
  chosen_count = std::min(chosen_count, kMaxSuggestions);
  for (int i = 0; i < chosen_count; ++i) {
    Suggestion& s = list->items[list->count++];
    native_to_utf8(chosen[i]->letters, chosen[i]->length, s.text);
    s.score = 0;
  }
  for (int i = 0; i < pool_count && list->count < kMaxSuggestions; ++i) {
    const Candidate& c = pool[i];
    bool taken = false;
    for (int j = 0; j < chosen_count && !taken; ++j)
      taken = chosen[j]->length == c.length && std::memcmp(chosen[j]->letters, c.letters, c.length) == 0;
    if (taken) continue;
    Suggestion& s = list->items[list->count++];
    native_to_utf8(c.letters, c.length, s.text);
    s.score = c.score;
  }
}
