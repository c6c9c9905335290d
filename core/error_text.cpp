#include "core/error_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

char ErrorText[kErrorTextSize];

namespace {

// Length of the text, never more than the buffer holds even when some writer
// left it unterminated.
std::size_t error_text_length() {
  const void* end = std::memchr(ErrorText, '\0', kErrorTextSize);
  if (end == nullptr) return kErrorTextSize - 1;
  return static_cast<std::size_t>(static_cast<const char*>(end) - ErrorText);
}

// Formats into ErrorText from `start` on. vsnprintf cuts at the bound; the
// explicit terminator also covers runtimes whose formatter leaves a cut
// string unterminated.
void format_error_text_at(std::size_t start, const char* format, va_list args) {
  if (format == nullptr) {
    ErrorText[start] = '\0';
    return;
  }
  if (std::vsnprintf(ErrorText + start, kErrorTextSize - start, format, args) < 0) {
    ErrorText[start] = '\0';
  }
  ErrorText[kErrorTextSize - 1] = '\0';
}

}  // namespace

void set_error_text(const char* format, ...) {
  va_list args;
  va_start(args, format);
  format_error_text_at(0, format, args);
  va_end(args);
}

void append_error_text(const char* format, ...) {
  va_list args;
  va_start(args, format);
  format_error_text_at(error_text_length(), format, args);
  va_end(args);
}
