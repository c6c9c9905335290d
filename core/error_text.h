// The one message buffer of the program. A failing operation formats its
// reason here and returns 0; the shell shows the text in a message box.
// A %s argument that may lack its terminator (a fixed field, a token cut
// from a line) is passed with a precision, "%.*s", so that formatting never
// reads past it; the writing is always bounded here.
#pragma once
#include <cstddef>

constexpr std::size_t kErrorTextSize = 1024;
extern char ErrorText[kErrorTextSize];

// Replace the text. Formats with a bounded formatter; the result is cut to
// the buffer and always NUL-terminated.
void set_error_text(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// Append to the text, with the same bound (only the "Loading Language File"
// lines are appended).
void append_error_text(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
