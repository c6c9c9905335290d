// keychart: prints the key chart of a language file, and writes (or checks)
// the key charts of every shipped language in the help page.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "core/error_text.h"
#include "core/ucode_table.h"
#include "keychart/key_chart.h"
#include "keychart/key_chart_html.h"
#include "langunit/language_unit.h"
#include "langunit/shipped_languages.h"

namespace {

constexpr const char* kUsage =
    "usage: keychart FILE\n"
    "       keychart --help-page PAGE LANGUAGES_FOLDER [--check]\n";

KeyChart Chart;

int print_chart(const char* file) {
  if (!load_language_unit(file) || !make_key_chart(&Chart)) {
    std::fputs(ErrorText, stderr);
    return 1;
  }
  std::printf("%s\n", language_display_name());
  for (int i = 0; i < Chart.count; ++i) {
    const ChartEntry& entry = Chart.entries[i];
    if (i == 0 || entry.section != Chart.entries[i - 1].section) {
      std::printf("\n%s\n", chart_section_title(entry.section));
    }
    char text[3 * kChartTextMax + 1];
    chart_text_utf8(entry, text);
    std::printf("%s", entry.section == ChartSection::kKeys ? entry.ucode : text);
    for (int s = 0; s < entry.spelling_count; ++s) std::printf("%s%s", s == 0 ? "\t" : " ", entry.spellings[s]);
    std::printf("\n");
  }
  return 0;
}

bool read_file(const char* path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  *text = buffer.str();
  return true;
}

// The charts of every shipped language, in the Language menu's order.
int help_page(const char* page_path, const char* folder, bool check) {
  static ShippedLanguages languages;
#ifdef _WIN32
  const char separator = '\\';
#else
  const char separator = '/';
#endif
  if (!list_shipped_languages(folder, separator, &languages)) {
    std::fputs(ErrorText, stderr);
    return 1;
  }
  std::string charts;
  for (int i = 0; i < languages.count; ++i) {
    const ShippedLanguage& language = languages.languages[i];
    if (!load_language_unit(language.path) || !make_key_chart(&Chart)) {
      std::fputs(ErrorText, stderr);
      return 1;
    }
    append_key_chart_html(Chart, language.description.name, language.description.font, &charts);
  }
  std::string page;
  if (!read_file(page_path, &page)) {
    std::fprintf(stderr, "keychart: cannot read %s\n", page_path);
    return 1;
  }
  std::string updated;
  if (!replace_key_charts(page, charts, &updated)) {
    std::fprintf(stderr, "keychart: %s: %s", page_path, ErrorText);
    return 1;
  }
  if (check) {
    if (updated == page) return 0;
    std::fprintf(stderr,
                 "keychart: the key charts in %s are not those of the languages in %s; "
                 "write them with: keychart --help-page %s %s\n",
                 page_path, folder, page_path, folder);
    return 1;
  }
  if (updated == page) return 0;
  std::ofstream out(page_path, std::ios::binary | std::ios::trunc);
  out << updated;
  if (!out.flush()) {
    std::fprintf(stderr, "keychart: cannot write %s\n", page_path);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (!ucode_init()) {
    std::fputs("keychart: the ucode table does not index\n", stderr);
    return 1;
  }
  if (argc == 2 && std::strcmp(argv[1], "--help-page") != 0) return print_chart(argv[1]);
  if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "--help-page") == 0) {
    const bool check = argc == 5 && std::strcmp(argv[4], "--check") == 0;
    if (argc == 5 && !check) {
      std::fputs(kUsage, stderr);
      return 2;
    }
    return help_page(argv[2], argv[3], check);
  }
  std::fputs(kUsage, stderr);
  return 2;
}
