#include "langfile/language_description.h"

#include <cstdio>
#include <cstring>

#include "core/error_text.h"

namespace {

constexpr int kDescriptionFileMax = 4096;

struct Reader {
  const char* source;
  LanguageFolder* folder;
  int line_number = 0;
  int block_line = 0;  // where the block being read began
  bool has_file = false, has_font = false, has_ships = false, has_words = false;

  int fail(const char* what, std::string_view text) {
    set_error_text("%s line %d: %s '%.*s'\n", source, line_number, what,
                   static_cast<int>(text.size() < kDescriptionLineSize ? text.size() : kDescriptionLineSize),
                   text.data());
    folder->count = 0;
    return 0;
  }

  // The block before a new name= or the end: all of it given.
  int close_block() {
    if (folder->count == 0) return 1;
    const char* missing = !has_file ? "file" : !has_font ? "font" : !has_ships ? "ships-font" : nullptr;
    if (missing == nullptr) return 1;
    set_error_text("%s line %d: the language '%s' has no %s= line\n", source, block_line,
                   folder->languages[folder->count - 1].name, missing);
    folder->count = 0;
    return 0;
  }

  int copy(char* to, int size, std::string_view value, std::string_view line) {
    if (value.empty()) return fail("empty value in", line);
    if (value.size() >= static_cast<std::size_t>(size)) return fail("value too long in", line);
    value.copy(to, value.size());
    to[value.size()] = '\0';
    return 1;
  }

  int line(std::string_view text) {
    ++line_number;
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    if (text.empty() || text.front() == '#') return 1;
    if (text.size() > kDescriptionLineSize) return fail("line too long:", text.substr(0, 40));
    const std::size_t eq = text.find('=');
    if (eq == std::string_view::npos) return fail("expected key=value, got", text);
    const std::string_view key = text.substr(0, eq);
    const std::string_view value = text.substr(eq + 1);
    if (key == "name") {
      if (!close_block()) return 0;
      if (folder->count == kLanguagesPerFolder) return fail("more than 8 languages, at", text);
      LanguageDescription& d = folder->languages[folder->count++];
      d = LanguageDescription{};
      std::memcpy(d.words, "hi", 3);
      has_file = has_font = has_ships = has_words = false;
      block_line = line_number;
      return copy(d.name, kDescriptionNameSize, value, text);
    }
    if (folder->count == 0) return fail("a language begins with name=, not", text);
    LanguageDescription& d = folder->languages[folder->count - 1];
    if (key == "file") {
      if (has_file) return fail("file given twice:", text);
      if (value.find_first_of("/\\:") != std::string_view::npos || value == "." || value == "..")
        return fail("the file must be in the folder:", text);
      has_file = true;
      return copy(d.file, kDescriptionFileSize, value, text);
    }
    if (key == "font") {
      if (has_font) return fail("font given twice:", text);
      has_font = true;
      return copy(d.font, kDescriptionNameSize, value, text);
    }
    if (key == "ships-font") {
      if (has_ships) return fail("ships-font given twice:", text);
      if (value != "yes" && value != "no") return fail("ships-font is yes or no, not", text);
      has_ships = true;
      d.ships_font = value == "yes";
      return 1;
    }
    if (key == "words") {
      if (has_words) return fail("words given twice:", text);
      if (value != "hi" && value != "mr" && value != "ne") return fail("words is hi, mr or ne, not", text);
      has_words = true;
      return copy(d.words, sizeof d.words, value, text);
    }
    return fail("unknown key in", text);
  }
};

}  // namespace

int read_language_descriptions(std::string_view text, const char* source, LanguageFolder* folder) {
  folder->count = 0;
  Reader reader{source, folder};
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (!reader.line(text.substr(0, end))) return 0;
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  if (!reader.close_block()) return 0;
  if (folder->count == 0) {
    set_error_text("%s: no language in it (a language begins with name=)\n", source);
    return 0;
  }
  return 1;
}

int load_language_descriptions(const char* path, LanguageFolder* folder) {
  folder->count = 0;
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) {
    set_error_text("Error: could not open %s for reading\n", path);
    return 0;
  }
  char buffer[kDescriptionFileMax + 1];
  const std::size_t size = std::fread(buffer, 1, sizeof buffer, file);
  std::fclose(file);
  if (size > kDescriptionFileMax) {
    set_error_text("%s: longer than %d bytes\n", path, kDescriptionFileMax);
    return 0;
  }
  return read_language_descriptions(std::string_view(buffer, size), path, folder);
}
