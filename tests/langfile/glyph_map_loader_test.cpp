#include "langfile/glyph_map_loader.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "langfile_test_support.h"

namespace {

constexpr const char* kUnrecognizable =
    "Error: Given file is unrecognizable, probably not a Language File\n";

class GlyphMapLoaderTest : public langfile_test::LanguageStateTest {
 protected:
  void TearDown() override {
    free_glyph_rows(&table);
    LanguageStateTest::TearDown();
  }
  int load(const char* text) { return fillup_ifont(&table, nullptr, text); }
  int load(const std::string& text) { return load(text.c_str()); }
  unsigned char code_of(const char* name) {
    unsigned char code = 0;
    EXPECT_EQ(ucode_by_name(&code, name), 1) << name;
    return code;
  }
  const GlyphRow& row_of(int glyph) {
    EXPECT_GE(table.glyphIndex[glyph], 0) << "glyph " << glyph << " has no row";
    return table.rows[table.glyphIndex[glyph]];
  }
  // The sequence of `ucode` after `glyph` as text, e.g. "107 97".
  std::string sequence(int glyph, const char* ucode) {
    const unsigned char* bytes = row_of(glyph).map[code_of(ucode)];
    std::string text;
    for (int i = 0; i < kGlyphSequenceLength && bytes[i] != 0; ++i) {
      if (!text.empty()) text += ' ';
      text += std::to_string(bytes[i]);
    }
    return text;
  }
  // Loads `text`, which must fail with `message`, and checks the source is closed.
  void expect_failure(const std::string& text, const char* message) {
    EXPECT_EQ(load(text), 0) << text;
    EXPECT_STREQ(ErrorText, message) << text;
    EXPECT_EQ(SourceReader.file, nullptr);
  }
  GlyphTable table{};
};

TEST_F(GlyphMapLoaderTest, SampleFileLoadsThreeRowsNameSequencesAndAttribute) {
  ASSERT_EQ(load(langfile_test::kSampleLanguage), 1) << ErrorText;
  EXPECT_STREQ(table.name, "Sample");
  EXPECT_EQ(table.glyphIndex[1], 0);
  EXPECT_EQ(table.glyphIndex[107], 1);
  EXPECT_EQ(table.glyphIndex[97], 2);
  int rows = 0;
  for (int glyph = 0; glyph < kGlyphCodes; ++glyph) rows += table.glyphIndex[glyph] >= 0;
  EXPECT_EQ(rows, 3);
  EXPECT_EQ(sequence(1, "KA"), "107");
  EXPECT_EQ(sequence(107, "AA"), "107 97");
  EXPECT_EQ(row_of(97).attr, kAttrAppend);
  EXPECT_EQ(row_of(1).attr, 0u);
  EXPECT_EQ(sequence(1, "AA"), "");
}

TEST_F(GlyphMapLoaderTest, IndexGlyphsNumbersRowsInOrderOfFirstAppearanceAtLineStart) {
  open_source(nullptr, "GK 5 KA 6\nGKA 9\nx GK 7 KA 1\nGKS 5 200\nGK 9 KA 1\nGK 255 A 4\n");
  std::int32_t index[kGlyphCodes];
  EXPECT_EQ(index_glyphs(index), 2);
  open_source(nullptr, nullptr);
  EXPECT_EQ(index[5], 0);
  EXPECT_EQ(index[9], 1);
  EXPECT_EQ(index[255], 2);
  EXPECT_EQ(index[7], -1);    // not the line's first token
  EXPECT_EQ(index[200], -1);  // second glyph of GKS
}

TEST_F(GlyphMapLoaderTest, FileWithoutGlyphStatementsIsUnrecognizable) {
  expect_failure("KU a A\nKU k KA\n", kUnrecognizable);
  expect_failure("", kUnrecognizable);
  // The first pass stops at GK 300, before any row was found.
  expect_failure("GK 300 KA 1\nGK 1 KA 107\n", kUnrecognizable);
}

TEST_F(GlyphMapLoaderTest, GkErrorsNameTheirLineAndToken) {
  expect_failure("GK 1 KA 107\nGK 1 KA 256\n",
                 "Error in parsing GK - illegal char code 0x100 (line 2, got 256)\n");
  expect_failure("GK 1 KA 107\nGK 1 KA -1\n",
                 "Error in parsing GK - illegal char code 0xffffffff (line 2, got -1)\n");
  expect_failure("GK 1 KA 107\nGK 300 KA 1\n",
                 "Error in parsing GKFUNC - illegal char code 0x12c (line 2, got 300)\n");
  expect_failure("GK 1 KA 107\nGK x KA 1\n",
                 "Error in parsing GKFUNC - expect a char code after GK (line 2, got x)\n");
  expect_failure("GK 1 KA 107\nGK 1 ka 1\n",
                 "Error in parsing GKFUNC - expect a text ucode after GK (line 2-got ka)\n");
  // A line end is named in words, not as a line feed inside the message.
  expect_failure("GK 1 KA 107\nGK 1\n",
                 "Error in parsing GKFUNC - expect a text ucode after GK (line 2-got end of line)\n");
  expect_failure("GK 1 KA 107\nGK 1 \"KA\" 1\n",
                 "Error in parsing GKFUNC - expect a text ucode after GK (line 2-got KA)\n");
  expect_failure("GK 1 KA 107\nx GK 0x30 KA 1\n",
                 "Error in parsing GKFUNC - could not locate glyph 0x30 in glyphIndex. GK "
                 "(line 2)\n");
  expect_failure("GK 1 KA 107\nGK 1 AA 107 x\n",
                 "Error in parsing GKFUNC - expect a integer char code after GK (line 2, got x)\n");
}

TEST_F(GlyphMapLoaderTest, GkOnTheLastLineNeedsALineFeed) {
  // Cut off by the end of the file, the statement names its last token.
  expect_failure("GK 1 KA 107\nGK 107 AA 107 97",
                 "Error in parsing GKFUNC - expect a integer char code after GK (line 3, got 97)\n");
  expect_failure("GK 1 KA 107\nGK 107 AA",
                 "Error in parsing GKFUNC - expect a integer char code after GK (line 3, got AA)\n");
  expect_failure("GK 1 KA 107\nGK 107",
                 "Error in parsing GKFUNC - expect a text ucode after GK (line 3-got 107)\n");
  ASSERT_EQ(load("GK 1 KA 107\nGK 107 AA 107 97 % closed by a comment"), 1) << ErrorText;
}

TEST_F(GlyphMapLoaderTest, GkTakesAtMostFourCodesAndRefusesAFifth) {
  ASSERT_EQ(load("GK 1 KA 4 5 6 7\nGK 1 KHA 9\n"), 1) << ErrorText;
  EXPECT_EQ(sequence(1, "KA"), "4 5 6 7");
  EXPECT_EQ(sequence(1, "KHA"), "9");

  expect_failure("GK 1 KHA 9\nGK 1 KA 4 5 6 7 10\n",
                 "Error in parsing GK - more than 4 char codes after GK 1 KA (line 2)\n");
  // Nothing was written beyond the statement's own sequence.
  EXPECT_EQ(sequence(1, "KHA"), "9");
  EXPECT_EQ(sequence(1, "KA"), "4 5 6 7");
}

TEST_F(GlyphMapLoaderTest, GkRefusesCodeZeroThatCutsTheSequenceAndEightThatErases) {
  // 0 would drop the 97 behind it; 8 (here in octal) would type a Backspace.
  expect_failure("GK 1 KA 107\nGK 107 AA 107 0 97\n",
                 "Error in parsing GK - char code 0 is the end of a sequence, not a glyph, "
                 "after GK 107 AA (line 2)\n");
  expect_failure("GK 1 KA 107\nGK 107 AA 010\n",
                 "Error in parsing GK - char code 010 is a Backspace, not a glyph, after GK 107 "
                 "AA (line 2)\n");
}

TEST_F(GlyphMapLoaderTest, LaterGkReplacesTheSequenceAndEmptyGkClearsIt) {
  ASSERT_EQ(load("GK 1 KA 4 5 6\nGK 1 KA 9\nGK 1 AA 7\nGK 1 AA\n"), 1) << ErrorText;
  EXPECT_EQ(sequence(1, "KA"), "9");
  EXPECT_EQ(sequence(1, "AA"), "");
}

TEST_F(GlyphMapLoaderTest, GkaSetsAttributesOnceAndRefusesOtherWords) {
  ASSERT_EQ(load("GKA 97 PREPEND APPEND\nGKA 98\nGKA 98 APPEND\n"), 1) << ErrorText;
  EXPECT_EQ(row_of(97).attr, kAttrPrepend | kAttrAppend);
  EXPECT_EQ(row_of(98).attr, kAttrAppend);

  expect_failure("GKA 97 INVISIBLE\n",
                 "Error in parsing GKATTR - illegal attr (INVISIBLE) glyph 0x61 (line 1)\n");
  expect_failure("GKA 97 PREPEND",
                 "Error in parsing GKATTR - illegal attr (PREPEND) glyph 0x61 (line 2)\n");
  expect_failure("GKA 97 PREPEND\nGKA 97 APPEND\n",
                 "Error in input file gkfunc - attr is not null, and got a GKA statement (line "
                 "2, glyph 0x61)\n");
  expect_failure("GKA 97\nGKA\n",
                 "Error in parsing GKATTR - expect a char code after GKA (line 2, got end of line)\n");
  expect_failure("GKA 97\nGKA 0400\n",
                 "Error in parsing GKATTR - illegal char code 0x100 (line 2, got 0400)\n");
  expect_failure("GKA 97\nx GKA 98\n",
                 "Error in parsing GKATTR - could not locate glyph 98 in glyphIndex. GK (line "
                 "2)\n");
}

TEST_F(GlyphMapLoaderTest, GksCopiesARowThatIsStillEmpty) {
  ASSERT_EQ(load("GKA 107 APPEND\nGK 107 AA 97\nGK 107 KA 5\nGKS 108 107\nGK 108 KA 6\n"), 1)
      << ErrorText;
  EXPECT_EQ(row_of(108).attr, kAttrAppend);
  EXPECT_EQ(sequence(108, "AA"), "97");
  EXPECT_EQ(sequence(108, "KA"), "6");  // a later GK changes one entry
  EXPECT_EQ(sequence(107, "KA"), "5");

  expect_failure("GK 107 AA 97\nGK 108 AA 5\nGKS 108 107\n",
                 "Error in input file gkfunc - map is not null, and got a GKS statement (GKS "
                 "must come before GK) (line 3, glyphs 0x6C, 0x6B)\n");
  expect_failure("GK 107 AA 97\nGKA 108 PREPEND\nGKS 108 107\n",
                 "Error in input file gkfunc - attr is not null, and got a GKS statement (GKS "
                 "must come after GKA) (line 3, glyphs 0x6C, 0x6B)\n");
}

TEST_F(GlyphMapLoaderTest, GksOperandErrors) {
  expect_failure("GK 1 KA 107\nGKS 120 121\n",
                 "Error in parsing GKSAME - could not locate glyph 121 in glyphIndex. GK (line "
                 "2)\n");
  expect_failure("GK 1 KA 107\nGKS 1 x\n",
                 "Error in parsing GKSAME - expect a char code after GKS 0x01 (line 2, got x)\n");
  expect_failure("GK 1 KA 107\nGKS 1 0x1ff\n",
                 "Error in parsing GKSAME - illegal char code 0x1ff (line 2, got 0x1ff)\n");
  expect_failure("GK 1 KA 107\nGKS\n",
                 "Error in parsing GKSAME - expect a char code after GKS (line 2, got end of line)\n");
  expect_failure("GK 1 KA 107\nx GKS 9 1\n",
                 "Error in parsing GKSAME - could not locate glyph 9 in glyphIndex. GK (line "
                 "2)\n");
}

TEST_F(GlyphMapLoaderTest, GkmainNamesTheLanguageAndTheLastOneWins) {
  ASSERT_EQ(load("GKMAIN First\nGK 1 KA 107\nGKMAIN \"Second Name\" ignored more 12\n"), 1)
      << ErrorText;
  EXPECT_STREQ(table.name, "Second Name");

  const std::string long_name(200, 'n');
  ASSERT_EQ(load("GKMAIN " + long_name + "\nGK 1 KA 107\n"), 1) << ErrorText;
  EXPECT_EQ(std::string(table.name), long_name.substr(0, 127));

  ASSERT_EQ(load("GK 1 KA 107\n"), 1);
  EXPECT_STREQ(table.name, "");
}

TEST_F(GlyphMapLoaderTest, GkmainRefusesANumberOrAMissingName) {
  const std::string message = "Error in parsing GKMAIN - expect a char string GKMAIN (line 2, got ";
  expect_failure("GK 1 KA 107\nGKMAIN Sample 12\n", (message + "12)\n").c_str());
  expect_failure("GK 1 KA 107\nGKMAIN\n", (message + "end of line)\n").c_str());
  expect_failure("GK 1 KA 107\nGKMAIN 12\n", (message + "12)\n").c_str());
  expect_failure("GK 1 KA 107\nGKMAIN Sample", "Error in parsing GKMAIN - expect a char string "
                                               "GKMAIN (line 3, got Sample)\n");
}

TEST_F(GlyphMapLoaderTest, GkalternateAnywhereFailsTheLoad) {
  const char* message =
      "Error in GKFUNC file, GKALTERNATE keyword not supported anymore, delete it from the "
      "file! (line 2)\n";
  expect_failure("GK 1 KA 107\nGKALTERNATE\n", message);
  expect_failure("GK 1 KA 107\nKU a GKALTERNATE\n", message);
  ASSERT_EQ(load("GK 1 KA 107\n% GKALTERNATE\nGKMAIN \"GKALTERNATE\"\n"), 1) << ErrorText;
}

TEST_F(GlyphMapLoaderTest, GlyphCode255GetsARowOnlyWhenNamed) {
  ASSERT_EQ(load("GK 255 KA 0xFF\n"), 1) << ErrorText;
  EXPECT_EQ(table.glyphIndex[255], 0);
  EXPECT_EQ(sequence(255, "KA"), "255");
  ASSERT_EQ(load("GK 1 KA 0xFF\n"), 1) << ErrorText;
  EXPECT_EQ(table.glyphIndex[255], -1);
}

TEST_F(GlyphMapLoaderTest, LongOperandsAreCutNotOverrun) {
  const std::string long_number = std::string(300, '0') + "1";
  expect_failure("GK 1 KA 107\nGK " + long_number + " KA 1\n",
                 ("Error in parsing GKFUNC - expect a char code after GK (line 2, got " +
                  long_number.substr(0, 255) + ")\n")
                     .c_str());
  const std::string long_word(600, 'U');
  expect_failure("GK 1 KA 107\nGK 1 " + long_word + " 1\n",
                 ("Error in parsing GKFUNC - expect a text ucode after GK (line 2-got " +
                  std::string(255, 'U') + ")\n")
                     .c_str());
}

TEST_F(GlyphMapLoaderTest, ProgramErrorsAndAllocationFailureAreReported) {
  EXPECT_EQ(fillup_ifont(&table, "x.gkf", "GK 1 KA 1\n"), 0);
  EXPECT_STREQ(ErrorText, "fillup_ifont: Program error got both fname and string\n");
  EXPECT_EQ(fillup_ifont(nullptr, nullptr, "GK 1 KA 1\n"), 0);
  EXPECT_STREQ(ErrorText, "fillup_ifont: Program error got NULL font\n");

  static const GlobalMemoryOps failing{[](std::size_t) -> GlobalMemoryHandle { return nullptr; },
                                       [](GlobalMemoryHandle) -> void* { return nullptr; },
                                       [](GlobalMemoryHandle) { return 0; },
                                       [](GlobalMemoryHandle h) { return h; }};
  set_global_memory_ops(&failing);
  expect_failure("GK 1 KA 107\nGK 107 AA 107 97\nGKA 97 APPEND\n",
                 "GlobalAlloc failed, could not allocate 1548 bytes\n");
  set_global_memory_ops(nullptr);
}

}  // namespace
