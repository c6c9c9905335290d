#include "suggest/romanization_model.h"

#include <algorithm>
#include <string_view>

#include "core/error_text.h"
#include "suggest/data_file.h"
#include "suggest/native_letters.h"

namespace {

// A graphone that the model never saw in any context costs this much.
constexpr float kUnseenCost = 30.0f;
constexpr int kShownText = 60;

std::uint64_t slot_key(std::uint32_t history, std::uint16_t g) {
  return (static_cast<std::uint64_t>(history) << 16 | g) + 1;
}

std::size_t slot_of(std::uint64_t key, std::size_t mask) {
  key ^= key >> 29;
  key *= 0xBF58476D1CE4E5B9ull;
  key ^= key >> 32;
  return static_cast<std::size_t>(key) & mask;
}

// The n-gram `history` + `g`; 0 when the model has none.
std::uint32_t find_ngram(const RomanizationModel& model, std::uint32_t history, std::uint16_t g) {
  const std::uint64_t key = slot_key(history, g);
  const std::size_t mask = model.slots.size() - 1;
  for (std::size_t i = slot_of(key, mask);; i = (i + 1) & mask) {
    const NgramSlot& e = model.slots[i];
    if (e.key == key) return e.ngram;
    if (e.key == 0) return 0;
  }
}

int fail(const char* name, int line_number, std::string_view line, const char* what) {
  set_error_text("%s line %d: %s: \"%.*s\"\n", name, line_number, what,
                 static_cast<int>(std::min<std::size_t>(line.size(), kShownText)), line.data());
  return 0;
}

// "WORD N" with N up to `limit`, and no more than the rest of the text can
// hold at `min_line` bytes a line (so that no count makes a large
// allocation that the text never fills).
int read_count_line(const char* name, LineCursor* cursor, const char* word, long limit, std::size_t min_line,
                    long* count) {
  std::string_view line;
  if (!next_line(cursor, &line)) {
    set_error_text("%s line %d: expected \"%s N\", found the end of the file\n", name, cursor->number + 1, word);
    return 0;
  }
  const std::string_view w(word);
  if (line.size() <= w.size() || line.substr(0, w.size()) != w || line[w.size()] != ' ' ||
      !parse_number(line.substr(w.size() + 1), count) || *count < 0 || *count > limit) {
    return fail(name, cursor->number, line, word);
  }
  if (static_cast<std::size_t>(*count) > cursor->rest.size() / min_line) {
    return fail(name, cursor->number, line, "the file is too short for so many lines");
  }
  return 1;
}

int read_graphone(std::string_view line, Graphone* g) {
  std::string_view latin;
  if (!split_tab(&line, &latin) || latin.empty() || latin.size() > kGraphoneLatinMax) return 0;
  for (char c : latin)
    if (c < 'a' || c > 'z') return 0;
  std::copy(latin.begin(), latin.end(), g->latin);
  g->latin_length = static_cast<std::uint8_t>(latin.size());
  const int n = native_from_utf8(line.data(), line.size(), g->native, kGraphoneNativeMax);
  if (n <= 0) return 0;
  g->native_length = static_cast<std::uint8_t>(n);
  return 1;
}

// "ID [ID ...]\tCOST\tBACKOFF" with ids up to `graphones`.
int read_ngram(std::string_view line, long graphones, std::uint16_t* ids, int* order, long* cost, long* backoff) {
  std::string_view id_text, cost_text;
  if (!split_tab(&line, &id_text) || !split_tab(&line, &cost_text)) return 0;
  *order = 0;
  while (!id_text.empty()) {
    if (*order == kMaxNgramOrder) return 0;
    const std::size_t blank = id_text.find(' ');
    long id;
    if (!parse_number(id_text.substr(0, blank), &id) || id < 0 || id > graphones) return 0;
    ids[(*order)++] = static_cast<std::uint16_t>(id);
    id_text = blank == std::string_view::npos ? std::string_view() : id_text.substr(blank + 1);
  }
  return *order > 0 && parse_number(cost_text, cost) && parse_number(line, backoff) && *cost >= 0 && *backoff >= 0;
}

// The n-gram of `ids`, walked from the empty history; 0 when one is missing.
std::uint32_t walk(const RomanizationModel& m, const std::uint16_t* ids, int count) {
  std::uint32_t n = 0;
  for (int i = 0; i < count; ++i) {
    n = find_ngram(m, n, ids[i]);
    if (n == 0) return 0;
  }
  return n;
}

}  // namespace

int read_romanization_model(const char* name, const char* text, std::size_t length,
                            RomanizationModel* model) {
  LineCursor cursor{std::string_view(text, length), 0};
  std::string_view line;
  if (!next_line(&cursor, &line) || line != "tolvar-romanization 1") {
    return fail(name, 1, line, "not a romanization model (expected \"tolvar-romanization 1\")");
  }
  long graphone_count, ngram_count;
  if (!read_count_line(name, &cursor, "graphones", kMaxGraphones, 4, &graphone_count)) return 0;

  RomanizationModel m;
  m.graphones.resize(static_cast<std::size_t>(graphone_count) + 1);
  for (long i = 1; i <= graphone_count; ++i) {
    if (!next_line(&cursor, &line)) return fail(name, cursor.number + 1, "", "the file ends among the graphones");
    if (!read_graphone(line, &m.graphones[i])) {
      return fail(name, cursor.number, line, "expected LATIN (1-3 letters a-z), a tab, DEVANAGARI (1-3 letters)");
    }
  }
  if (!read_count_line(name, &cursor, "ngrams", kMaxNgrams, 6, &ngram_count)) return 0;
  std::size_t size = 1024;
  while (size < static_cast<std::size_t>(ngram_count) * 2) size *= 2;
  m.slots.assign(size, NgramSlot{0, 0});
  m.ngrams.reserve(static_cast<std::size_t>(ngram_count) + 1);
  m.ngrams.push_back(Ngram{0, 0, 0, 0});
  m.order = 0;
  for (long i = 0; i < ngram_count; ++i) {
    if (!next_line(&cursor, &line)) return fail(name, cursor.number + 1, "", "the file ends among the n-grams");
    std::uint16_t ids[kMaxNgramOrder];
    int order;
    long cost, backoff;
    if (!read_ngram(line, graphone_count, ids, &order, &cost, &backoff)) {
      return fail(name, cursor.number, line, "expected 1-6 graphone ids, a tab, a cost, a tab, a backoff");
    }
    if (order < m.order) return fail(name, cursor.number, line, "a shorter n-gram after longer ones");
    const std::uint32_t history = walk(m, ids, order - 1);
    const std::uint32_t suffix = walk(m, ids + 1, order - 1);
    if (order > 1 && (history == 0 || suffix == 0)) {
      return fail(name, cursor.number, line, "the n-gram's shorter parts are not given before it");
    }
    const std::uint64_t key = slot_key(history, ids[order - 1]);
    const std::size_t mask = size - 1;
    std::size_t slot = slot_of(key, mask);
    while (m.slots[slot].key != 0 && m.slots[slot].key != key) slot = (slot + 1) & mask;
    if (m.slots[slot].key == key) return fail(name, cursor.number, line, "this n-gram was given before");
    m.slots[slot] = NgramSlot{key, static_cast<std::uint32_t>(m.ngrams.size())};
    m.ngrams.push_back(Ngram{static_cast<float>(cost) / 1000.0f, static_cast<float>(backoff) / 1000.0f, suffix,
                             static_cast<std::uint8_t>(order)});
    m.order = order;
  }
  if (next_line(&cursor, &line)) return fail(name, cursor.number, line, "text after the last n-gram");
  m.start = find_ngram(m, 0, kEdgeGraphone);
  if (m.start == 0) return fail(name, cursor.number, "", "the model has no unigram of graphone 0, the word's edge");

  auto unigram = [&](std::uint16_t g) {
    const std::uint32_t n = find_ngram(m, 0, g);
    return n == 0 ? kUnseenCost : m.ngrams[n].cost;
  };
  // Per Latin chunk, its graphones, the commonest first.
  std::vector<std::uint16_t> order;
  for (long i = 1; i <= graphone_count; ++i) order.push_back(static_cast<std::uint16_t>(i));
  std::stable_sort(order.begin(), order.end(), [&](std::uint16_t a, std::uint16_t b) {
    const int ka = latin_chunk_key(m.graphones[a].latin, m.graphones[a].latin_length);
    const int kb = latin_chunk_key(m.graphones[b].latin, m.graphones[b].latin_length);
    return ka != kb ? ka < kb : unigram(a) < unigram(b);
  });
  m.chunk_start.assign(kLatinChunkKeys + 1, 0);
  for (std::uint16_t g : order) ++m.chunk_start[latin_chunk_key(m.graphones[g].latin, m.graphones[g].latin_length) + 1];
  for (int k = 0; k < kLatinChunkKeys; ++k) m.chunk_start[k + 1] += m.chunk_start[k];
  m.chunk_graphones = order;
  *model = std::move(m);
  return 1;
}

int load_romanization_model(const char* path, RomanizationModel* model) {
  std::vector<char> text;
  if (!read_data_file(path, kMaxDataFileBytes, &text)) return 0;
  return read_romanization_model(path, text.data(), text.size(), model);
}

float graphone_cost(const RomanizationModel& model, std::uint32_t state, std::uint16_t g, std::uint32_t* next) {
  float backoff = 0;
  for (;;) {
    const std::uint32_t n = find_ngram(model, state, g);
    if (n != 0) {
      const Ngram& found = model.ngrams[n];
      // The longest n-gram has no continuations: its suffix is the history.
      *next = found.order == model.order ? found.suffix : n;
      return backoff + found.cost;
    }
    if (state == 0) {
      *next = 0;
      return backoff + kUnseenCost;
    }
    backoff += model.ngrams[state].backoff;
    state = model.ngrams[state].suffix;
  }
}
