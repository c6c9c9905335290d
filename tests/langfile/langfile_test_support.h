// Helpers shared by the language file tests: environment variables, a
// temporary directory, files, and a clean language state per test.
#pragma once
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/error_text.h"
#include "core/global_memory.h"
#include "core/language_tables.h"
#include "core/letter_composer.h"
#include "core/ucode_table.h"
#include "langfile/source_reader.h"
#include "langfile/statement_scanner.h"

namespace langfile_test {

inline void set_env(const char* name, const char* value) {
#if defined(_WIN32)
  _putenv_s(name, value);
#else
  setenv(name, value, 1);
#endif
}

inline void unset_env(const char* name) {
#if defined(_WIN32)
  _putenv_s(name, "");
#else
  unsetenv(name);
#endif
}

// A fresh directory under the system's temporary directory, removed again.
class TempDir {
 public:
  TempDir() {
    const auto base = std::filesystem::temp_directory_path();
    for (int i = 0;; ++i) {
      path_ = base / ("tolvar_langfile_" + std::to_string(std::rand()) + "_" + std::to_string(i));
      if (std::filesystem::create_directory(path_)) break;
    }
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string str() const { return path_.string(); }

 private:
  std::filesystem::path path_;
};

// Writes `content` byte for byte (binary, so CR LF stays as written).
inline void write_file(const std::filesystem::path& path, const std::string& content) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << content;
}

// Makes `dir` the current directory for the life of the object.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::filesystem::path& dir)
      : saved_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~CurrentDirectory() { std::filesystem::current_path(saved_); }
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;

 private:
  std::filesystem::path saved_;
};

// IPATH set (or unset with a null value) for the life of the object.
class ScopedIpath {
 public:
  explicit ScopedIpath(const char* value) {
    const char* old = std::getenv("IPATH");
    had_ = old != nullptr;
    if (had_) saved_ = old;
    if (value != nullptr) {
      set_env("IPATH", value);
    } else {
      unset_env("IPATH");
    }
  }
  ~ScopedIpath() {
    if (had_) {
      set_env("IPATH", saved_.c_str());
    } else {
      unset_env("IPATH");
    }
  }
  ScopedIpath(const ScopedIpath&) = delete;
  ScopedIpath& operator=(const ScopedIpath&) = delete;

 private:
  bool had_ = false;
  std::string saved_;
};

// Every token of `text` up to and including TOK_END.
inline std::vector<std::pair<TokenClass, std::string>> all_tokens(const char* text) {
  std::vector<std::pair<TokenClass, std::string>> tokens;
  open_source(nullptr, text);
  char token[kTokenSize];
  TokenClass token_class;
  do {
    token_class = next_token(token);
    tokens.emplace_back(token_class, token);
  } while (token_class != TOK_END && tokens.size() < 1000);
  open_source(nullptr, nullptr);
  return tokens;
}

// Starts each test with no language loaded and the reader closed.
class LanguageStateTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(ucode_init(), 1);
    reset_language_state();
  }
  void TearDown() override {
    set_global_memory_ops(nullptr);
    reset_language_state();
  }
  static void reset_language_state() {
    open_source(nullptr, nullptr);
    free_language_tables();
    LiveKeyMap.fill(0);
    StagingKeyMap.fill(0);
    LiveGlyphTable = GlyphTable{};
    StagingGlyphTable = GlyphTable{};
    letter_reset();
    ErrorText[0] = '\0';
  }
};

// The six-line sample language: three rows, glyph 97 appended.
constexpr const char* kSampleLanguage =
    "% sample language\n"
    "GKMAIN Sample\n"
    "KU k KA\n"
    "GK 1 KA 107\n"
    "GK 107 AA 0x6B 0141\n"
    "GKA 97 APPEND\n";

}  // namespace langfile_test
