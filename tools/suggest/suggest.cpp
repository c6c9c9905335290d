// suggest: Devanagari candidates for romanized words, one word per line on
// standard input, one line of up to 10 tab-separated candidates (UTF-8, best
// first) per word on standard output; an empty line when there are none.
#include <cstdio>
#include <cstring>
#include <string>

#include "core/error_text.h"
#include "suggest/word_suggestion.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr const char* kUsage =
    "usage: suggest --lang hi|mr|ne [--data DIR]\n"
    "\n"
    "Reads one romanized word per line (letters a-z) and prints for each a line\n"
    "of up to 10 Devanagari candidates in UTF-8, best first, separated by tabs;\n"
    "an empty line for a word it has none for (other characters, more than 32\n"
    "letters). DIR holds romanization.model and LANG.words (default: " TOLVAR_SUGGEST_DATA_DIR ").\n"
    "Exit status: 0 success, 1 the data does not load, 2 wrong arguments.\n";

// A line longer than this is no word: it is read to its end and answered
// with an empty line.
constexpr int kLineRoom = 256;

// Reads the next line into `line` (terminated, without CR LF). Returns its
// length, -2 when it did not fit, -1 at the end of the input.
int read_line(std::FILE* in, char* line) {
  int length = 0, c;
  bool overflow = false;
  while ((c = std::getc(in)) != EOF && c != '\n') {
    if (length < kLineRoom - 1) {
      line[length++] = static_cast<char>(c);
    } else {
      overflow = true;
    }
  }
  if (c == EOF && length == 0 && !overflow) return -1;
  if (length > 0 && line[length - 1] == '\r') --length;
  line[length] = '\0';
  return overflow ? -2 : length;
}

}  // namespace

int main(int argc, char** argv) {
  const char* lang = nullptr;
  const char* dir = TOLVAR_SUGGEST_DATA_DIR;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--lang") == 0 && i + 1 < argc && lang == nullptr) {
      lang = argv[++i];
    } else if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc) {
      dir = argv[++i];
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  if (lang == nullptr || (std::strcmp(lang, "hi") != 0 && std::strcmp(lang, "mr") != 0 && std::strcmp(lang, "ne") != 0)) {
    std::fputs(kUsage, stderr);
    return 2;
  }
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  const std::string model = std::string(dir) + "/romanization.model";
  const std::string words = std::string(dir) + "/" + lang + ".words";
  static SuggestData data;
  if (!load_suggest_data(model.c_str(), words.c_str(), &data)) {
    std::fputs(ErrorText, stderr);
    return 1;
  }
  char line[kLineRoom];
  int length;
  SuggestionList list;
  while ((length = read_line(stdin, line)) != -1) {
    list.count = 0;
    if (length > 0) suggest_words(data, nullptr, line, static_cast<std::size_t>(length), &list);
    for (int i = 0; i < list.count; ++i) std::printf("%s%s", i ? "\t" : "", list.items[i].text);
    std::putchar('\n');
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
