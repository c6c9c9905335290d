// Worst-case glyph table load: 256 glyph rows, each with a four-code
// sequence for every ucode, read from a file through load_gk_data.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <benchmark/benchmark.h>

#include "core/error_text.h"
#include "core/language_tables.h"
#include "core/ucode_table.h"
#include "langfile/language_loading.h"

namespace {

std::string worst_case_language() {
  std::string text = "% 256 rows x 114 ucodes, four codes each\nGKMAIN WorstCase\n";
  char line[96];
  for (int glyph = 0; glyph < kGlyphCodes; ++glyph) {
    for (const UcodeRow* row = UcodeTable; row->name[0] != '\0'; ++row) {
      // Codes 9-255: 0 and 8 are refused in a sequence.
      std::snprintf(line, sizeof line, "GK %d %s %d %d 0x%X 0%o\n", glyph, row->name,
                    9 + (glyph + 4) % 247, 200, row->code + 100, 255 - glyph % 247);
      text += line;
    }
  }
  return text;
}

void load_and_check(benchmark::State& state, const char* file_name, const char* text) {
  for (auto _ : state) {
    if (!load_gk_data(file_name, text)) {
      state.SkipWithError(ErrorText);
      return;
    }
  }
  int rows = 0;
  for (std::int32_t row : LiveGlyphTable.glyphIndex) rows += row >= 0;
  if (rows != kGlyphCodes) state.SkipWithError("the worst case did not give 256 rows");
  free_language_tables();
}

void BM_LoadWorstCaseGlyphTableFromFile(benchmark::State& state) {
  ucode_init();
  const std::string text = worst_case_language();
  const auto path = std::filesystem::temp_directory_path() / "tolvar_worst_case.gkf";
  std::ofstream(path, std::ios::binary) << text;
  load_and_check(state, path.string().c_str(), nullptr);
  state.counters["file_bytes"] = static_cast<double>(text.size());
  std::filesystem::remove(path);
}
BENCHMARK(BM_LoadWorstCaseGlyphTableFromFile)->Unit(benchmark::kMillisecond);

void BM_LoadWorstCaseGlyphTableFromText(benchmark::State& state) {
  ucode_init();
  const std::string text = worst_case_language();
  load_and_check(state, nullptr, text.c_str());
}
BENCHMARK(BM_LoadWorstCaseGlyphTableFromText)->Unit(benchmark::kMillisecond);

}  // namespace
