// typepad's command line:
//   typepad.exe [--title TEXT] [--font NAME] [--fontfile PATH] [--size PIXELS]
//               [--text PATH] [--log PATH] [--modules PATH] [--slow MS] [--unicode]
// --text and --log name the files that receive the typed bytes and the key
// event log on every dump, --modules the one that receives the file names
// of the modules typepad has loaded, one a line. --slow takes each key
// message MS milliseconds late, as a busy program does. --unicode makes a Unicode window: its WM_CHAR
// messages carry UTF-16 and the text file receives UTF-8.
#pragma once

#include <cstddef>

namespace typepad {

constexpr std::size_t option_path_size = 260;
constexpr std::size_t option_face_size = 32;  // LF_FACESIZE
constexpr std::size_t option_title_size = 128;

struct TypepadOptions {
  char title[option_title_size];
  char font_name[option_face_size];
  char font_file[option_path_size];
  char text_path[option_path_size];
  char log_path[option_path_size];
  char modules_path[option_path_size];
  int font_size;  // character height in pixels
  int slow_ms;    // delay before each key message is taken
  int unicode;    // non-zero: a Unicode window
};

// Fills the options from argv[1..argc-1] over the defaults (title "TypePad",
// font "Arial", size 28, no files). Returns 0 with the reason in error for an
// unknown option, a missing value, a value too long for its field, a size
// outside 6..400 or a delay outside 0..1000.
int typepad_parse_options(int argc, const char *const *argv, TypepadOptions &options, char *error,
                          std::size_t error_size);

}  // namespace typepad
