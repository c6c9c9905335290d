// Shared set-up for the core tests: every case starts from an empty letter,
// no language and the platform's own global memory.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>

#include "core/error_text.h"
#include "core/global_memory.h"
#include "core/language_tables.h"
#include "core/letter_composer.h"
#include "core/ucode_table.h"

class CoreTest : public ::testing::Test {
 protected:
  void SetUp() override { reset_core(); }
  void TearDown() override { reset_core(); }

  static void reset_core() {
    set_global_memory_ops(nullptr);
    free_language_tables();
    LiveGlyphTable = GlyphTable{};
    StagingGlyphTable = GlyphTable{};
    LiveKeyMap.fill(0);
    StagingKeyMap.fill(0);
    ErrorText[0] = '\0';
    ASSERT_EQ(ucode_init(), 1) << "the built-in ucode table must index";
  }

  // Gives the live table one row per glyph, in the order given.
  static void make_rows(std::initializer_list<unsigned char> glyphs) {
    ASSERT_EQ(alloc_glyph_rows(&LiveGlyphTable, static_cast<int>(glyphs.size()) - 1), 1)
        << ErrorText;
    for (std::int32_t& entry : LiveGlyphTable.glyphIndex) entry = -1;
    std::int32_t row = 0;
    for (unsigned char glyph : glyphs) LiveGlyphTable.glyphIndex[glyph] = row++;
  }

  static GlyphRow& row_of(unsigned char glyph) {
    return LiveGlyphTable.rows[LiveGlyphTable.glyphIndex[glyph]];
  }

  static void map(unsigned char glyph, unsigned char ucode,
                  std::initializer_list<unsigned char> sequence) {
    unsigned char* entry = row_of(glyph).map[ucode];
    std::fill(entry, entry + kGlyphSequenceLength, 0);
    for (unsigned char byte : sequence) *entry++ = byte;
  }

  // The glyph table of the composer's worked example.
  static void make_example_table() {
    make_rows({chr_NONE, 0xA0, 0xB0, 0xC0, 0xD0});
    map(chr_NONE, kKA, {0xA0});
    map(0xA0, kVIRAMA, {chr_DELPREV, 0xB0});
    map(0xA0, kD_I, {0xD0});
    map(0xB0, kSSA, {chr_DELPREV, 0xC0});
    row_of(0xD0).attr = kAttrPrepend;
  }

  static constexpr unsigned char kAA = 0x06;
  static constexpr unsigned char kKA = 0x15;
  static constexpr unsigned char kRA = 0x30;
  static constexpr unsigned char kD_AA = 0x3E;
  static constexpr unsigned char kSSA = 0x37;
  static constexpr unsigned char kD_I = 0x3F;
  static constexpr unsigned char kVIRAMA = 0x4D;
};

inline std::string bytes(const unsigned char* data, std::int32_t count) {
  return std::string(reinterpret_cast<const char*>(data), static_cast<std::size_t>(count));
}
inline std::string bytes(std::initializer_list<unsigned char> data) {
  return std::string(data.begin(), data.end());
}
