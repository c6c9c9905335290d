#include "shell/settings_values.h"

#include <cstdio>
#include <cstring>

int parse_setting_value(const SettingRule& rule, std::string_view text, int* value) {
  if (text.size() != 1 || text[0] < '0' || text[0] > '0' + rule.highest) return 0;
  *value = text[0] - '0';
  return 1;
}

namespace {

// `text` as a message shows it: control characters as '?', cut at
// kSettingTextMax with "...".
void show_setting_text(std::string_view text, char (&shown)[kSettingTextMax + 4]) {
  std::size_t length = 0;
  for (; length < text.size() && length < kSettingTextMax; ++length) {
    const unsigned char c = static_cast<unsigned char>(text[length]);
    shown[length] = c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);
  }
  if (text.size() > kSettingTextMax) {
    std::memcpy(shown + length, "...", 3);
    length += 3;
  }
  shown[length] = '\0';
}

// Where a line appended to `out` (`size` bytes) begins; nullptr when the
// buffer is full.
char* free_end(char* out, std::size_t size) {
  if (size == 0) return nullptr;
  const std::size_t used = std::strlen(out);
  return used + 1 >= size ? nullptr : out + used;
}

}  // namespace

void describe_refused_setting(char* out, std::size_t size, const char* file, const SettingRule& rule,
                              std::string_view text) {
  char shown[kSettingTextMax + 4];
  show_setting_text(text, shown);
  char* end = free_end(out, size);
  if (!end) return;
  std::snprintf(end, size - static_cast<std::size_t>(end - out),
                "%s: %s=%s is not a value Tolvar knows (0 to %d); it uses %d (%s) and saves that at exit.\n", file,
                rule.key, shown, rule.highest, rule.fallback, rule.what);
}

void describe_refused_language(char* out, std::size_t size, const char* file, std::string_view text,
                               const char* default_name) {
  char shown[kSettingTextMax + 4];
  show_setting_text(text, shown);
  char* end = free_end(out, size);
  if (!end) return;
  std::snprintf(end, size - static_cast<std::size_t>(end - out),
                "%s: %s=%s is not a language Tolvar ships; it uses %s (the default) and saves that at exit.\n",
                file, kLanguageKey, shown, default_name);
}
