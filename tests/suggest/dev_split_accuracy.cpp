// Measures the suggestions on the development split of the romanized Hindi
// pairs: for each row (native word, romanization, annotators), is the native
// word the first candidate, or among the first five? Prints both shares and
// fails below the floors given.
//
// usage: dev_split_accuracy MODEL WORDS DEV.tsv TOP1-FLOOR TOP5-FLOOR
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "core/error_text.h"
#include "suggest/word_suggestion.h"

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fputs("usage: dev_split_accuracy MODEL WORDS DEV.tsv TOP1-FLOOR TOP5-FLOOR\n", stderr);
    return 2;
  }
  static SuggestData data;
  if (!load_suggest_data(argv[1], argv[2], &data)) {
    std::fputs(ErrorText, stderr);
    return 1;
  }
  std::ifstream dev(argv[3]);
  if (!dev) {
    std::fprintf(stderr, "cannot open %s\n", argv[3]);
    return 1;
  }
  std::string line;
  int rows = 0, top1 = 0, top5 = 0;
  SuggestionList list;
  while (std::getline(dev, line)) {
    const std::size_t t1 = line.find('\t'), t2 = line.find('\t', t1 + 1);
    if (t1 == std::string::npos || t2 == std::string::npos) continue;
    const std::string native = line.substr(0, t1), roman = line.substr(t1 + 1, t2 - t1 - 1);
    suggest_words(data, nullptr, roman.data(), roman.size(), &list);
    ++rows;
    for (int i = 0; i < list.count && i < 5; ++i) {
      if (native == list.items[i].text) {
        top1 += i == 0;
        ++top5;
        break;
      }
    }
  }
  const double p1 = rows ? 100.0 * top1 / rows : 0, p5 = rows ? 100.0 * top5 / rows : 0;
  std::printf("dev split: %d romanizations, top-1 %.1f%% (%d), top-5 %.1f%% (%d)\n", rows, p1, top1, p5, top5);
  const double floor1 = std::atof(argv[4]), floor5 = std::atof(argv[5]);
  if (p1 < floor1 || p5 < floor5) {
    std::printf("below the floor: top-1 must be at least %.1f%%, top-5 at least %.1f%%\n", floor1, floor5);
    return 1;
  }
  return 0;
}
