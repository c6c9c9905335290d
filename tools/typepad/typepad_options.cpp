#include "tools/typepad/typepad_options.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace typepad {

namespace {

int copy_value(char *field, std::size_t field_size, const char *option, const char *value,
               char *error, std::size_t error_size) {
  const std::size_t length = std::strlen(value);
  if (length >= field_size) {
    std::snprintf(error, error_size, "%s: value longer than %u characters\n", option,
                  static_cast<unsigned>(field_size - 1));
    return 0;
  }
  std::memcpy(field, value, length + 1);
  return 1;
}

}  // namespace

int typepad_parse_options(int argc, const char *const *argv, TypepadOptions &options, char *error,
                          std::size_t error_size) {
  options = TypepadOptions{};
  std::strcpy(options.title, "TypePad");
  std::strcpy(options.font_name, "Arial");
  options.font_size = 28;
  for (int i = 1; i < argc; i += 2) {
    const char *option = argv[i];
    if (std::strcmp(option, "--unicode") == 0) {
      options.unicode = 1;
      --i;  // a flag without a value
      continue;
    }
    if (i + 1 >= argc) {
      std::snprintf(error, error_size, "%s: missing value\n", option);
      return 0;
    }
    const char *value = argv[i + 1];
    int ok = 1;
    if (std::strcmp(option, "--title") == 0) {
      ok = copy_value(options.title, sizeof options.title, option, value, error, error_size);
    } else if (std::strcmp(option, "--font") == 0) {
      ok =
          copy_value(options.font_name, sizeof options.font_name, option, value, error, error_size);
    } else if (std::strcmp(option, "--fontfile") == 0) {
      ok =
          copy_value(options.font_file, sizeof options.font_file, option, value, error, error_size);
    } else if (std::strcmp(option, "--text") == 0) {
      ok =
          copy_value(options.text_path, sizeof options.text_path, option, value, error, error_size);
    } else if (std::strcmp(option, "--log") == 0) {
      ok = copy_value(options.log_path, sizeof options.log_path, option, value, error, error_size);
    } else if (std::strcmp(option, "--modules") == 0) {
      ok = copy_value(options.modules_path, sizeof options.modules_path, option, value, error, error_size);
    } else if (std::strcmp(option, "--size") == 0) {
      char *end = nullptr;
      const long size = std::strtol(value, &end, 10);
      if (*value == '\0' || *end != '\0' || size < 6 || size > 400) {
        std::snprintf(error, error_size, "--size: expected 6 to 400 pixels, got %s\n", value);
        return 0;
      }
      options.font_size = static_cast<int>(size);
    } else if (std::strcmp(option, "--slow") == 0) {
      char *end = nullptr;
      const long delay = std::strtol(value, &end, 10);
      if (*value == '\0' || *end != '\0' || delay < 0 || delay > 1000) {
        std::snprintf(error, error_size, "--slow: expected 0 to 1000 milliseconds, got %s\n", value);
        return 0;
      }
      options.slow_ms = static_cast<int>(delay);
    } else {
      std::snprintf(error, error_size, "%s: unknown option\n", option);
      return 0;
    }
    if (!ok) return 0;
  }
  return 1;
}

}  // namespace typepad
