// The romanization model: "graphones" (a chunk of 1-3 Latin letters written
// for a chunk of 1-3 Devanagari letters) and an n-gram model over graphone
// sequences (up to 6-grams; the shipped one has trigrams), learned by
// tools/suggest_data/suggest_train from romanized word pairs. Costs are
// -ln p. Loading allocates; the lookups do not.
#pragma once
#include <cstdint>
#include <vector>

constexpr int kGraphoneLatinMax = 3;
constexpr int kGraphoneNativeMax = 3;
constexpr int kMaxGraphones = 65000;
constexpr int kMaxNgramOrder = 6;
constexpr long kMaxNgrams = 4000000;
// Graphone id 0 stands for a word's edges: its start as a history, its end
// as the last graphone.
constexpr std::uint16_t kEdgeGraphone = 0;
// The Latin chunks of up to three letters, as numbers (a-z as 1-26).
constexpr int kLatinChunkKeys = 27 * 27 * 27;

struct Graphone {
  char latin[kGraphoneLatinMax];
  std::uint8_t latin_length;
  unsigned char native[kGraphoneNativeMax];
  std::uint8_t native_length;
};

// One n-gram of graphones. Its number (its place in `ngrams`) also names it
// as a history: the state of the search after those graphones.
struct Ngram {
  float cost;            // of its last graphone after the others
  float backoff;         // of falling back to a shorter history when it is the history
  std::uint32_t suffix;  // the n-gram without its first graphone (0: none, the empty history)
  std::uint8_t order;
};

struct NgramSlot {
  std::uint64_t key;     // history number << 16 | graphone; 0: an empty slot
  std::uint32_t ngram;
};

struct RomanizationModel {
  std::vector<Graphone> graphones;            // by id; [0] is the edge
  std::vector<Ngram> ngrams;                  // [0]: the empty history
  std::vector<NgramSlot> slots;               // (history, graphone) to n-gram; a power of two long
  int order;                                  // the longest n-gram
  std::uint32_t start;                        // the history at a word's start
  std::vector<std::uint32_t> chunk_start;     // kLatinChunkKeys + 1 offsets into chunk_graphones
  std::vector<std::uint16_t> chunk_graphones; // per Latin chunk, likeliest first
};

// Reads a model file into `model`, replaced only on success. 1 = read; 0 with
// ErrorText "PATH line N: ...\n" naming the line and its text.
int load_romanization_model(const char* path, RomanizationModel* model);

// The same from text in memory; `name` stands for the file in messages.
int read_romanization_model(const char* name, const char* text, std::size_t length,
                            RomanizationModel* model);

// The number of a Latin chunk of 1-3 lowercase letters.
inline int latin_chunk_key(const char* letters, int length) {
  int key = 0;
  for (int i = 0; i < length; ++i) key = key * 27 + (letters[i] - 'a' + 1);
  return key;
}

// The cost of graphone `g` after the history `state`; `next` becomes the
// history after it.
float graphone_cost(const RomanizationModel& model, std::uint32_t state, std::uint16_t g, std::uint32_t* next);
