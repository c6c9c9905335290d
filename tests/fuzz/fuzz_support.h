// Shared by the fuzz targets: a failed check aborts (libFuzzer keeps the
// input), and a folder of this process's own for inputs read as files.
#pragma once
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace fuzz {

inline void require(bool condition) {
  if (!condition) std::abort();
}

// A fresh folder under the temporary directory, removed at exit.
class Folder {
 public:
  Folder() {
    path_ = std::filesystem::temp_directory_path() / ("tolvar_fuzz_" + std::to_string(getpid()));
    std::filesystem::create_directories(path_);
  }
  ~Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  Folder(const Folder&) = delete;
  Folder& operator=(const Folder&) = delete;
  // Writes the bytes as they are to `name` in the folder; returns its path.
  std::string write(const char* name, const std::uint8_t* data, std::size_t size) const {
    const std::string path = (path_ / name).string();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    require(file != nullptr);
    require(std::fwrite(data, 1, size, file) == size);
    require(std::fclose(file) == 0);
    return path;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace fuzz
