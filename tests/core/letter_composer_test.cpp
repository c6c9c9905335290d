#include <algorithm>

#include "tests/core/core_test_support.h"

namespace {

class LetterComposerTest : public CoreTest {
 protected:
  // Adds `ucode` and returns the letter in display order ("" on failure).
  std::string add(unsigned int ucode, int expected_result = 1) {
    unsigned char out[kLetterOutputSize];
    std::int32_t count = -1;
    EXPECT_EQ(letter_add(ucode, out, &count), expected_result)
        << "letter_add(0x" << std::hex << ucode << "): " << ErrorText;
    if (expected_result == 0) {
      EXPECT_EQ(count, 0) << "a failure leaves the count 0";
    }
    return bytes(out, count > 0 ? count : 0);
  }
  std::string letter() const { return bytes(letter_glyphs, letter_count); }
};

}  // namespace

TEST_F(LetterComposerTest, WorkedExampleComposesAndRestartsLetters) {
  make_example_table();
  EXPECT_EQ(add(kKA), bytes({0xA0}));
  EXPECT_EQ(add(kVIRAMA), bytes({0xB0})) << "0xA0 deleted, 0xB0 added";
  EXPECT_EQ(add(kSSA), bytes({0xC0}));
  EXPECT_EQ(add(kKA), bytes({0xA0})) << "0xC0 has no KA: a new letter";
  EXPECT_EQ(letter(), bytes({0xA0})) << "the finished letter left the state";
  EXPECT_EQ(add(kD_I), bytes({0xD0, 0xA0})) << "PREPEND glyph first";
  EXPECT_EQ(letter(), bytes({0xA0, 0xD0})) << "composition order kept";
  EXPECT_EQ(letter_glyphs[letter_count], 0) << "a zero byte follows the letter";
}

TEST_F(LetterComposerTest, FirstUcodeWithoutStartMappingFailsWithPrevglyphOne) {
  make_example_table();
  add(kSSA, 0);
  EXPECT_STREQ(ErrorText, "letter_add: glyph/ucode has no mapping!: 0x37, prevglyph 0x01\n");
  EXPECT_EQ(letter_count, 0);
}

TEST_F(LetterComposerTest, UnmappedUcodeAfterALetterStartsItFreshOrFails) {
  make_example_table();
  add(kKA);
  add(kD_I);
  add(kSSA, 0);  // 0xD0 has no row, and the start row has no SSA
  EXPECT_EQ(letter_count, 0) << "the finished letter is forgotten";
}

TEST_F(LetterComposerTest, IllegalUcodeResetsTheLetterWithItsCode) {
  make_example_table();
  add(kKA);
  add(0x04, 0);
  EXPECT_STREQ(ErrorText, "error: letter_add: illegal ucode: 0x04\n");
  EXPECT_EQ(letter_count, 0);
}

TEST_F(LetterComposerTest, UcodeWithHighBitsComposesAsItsLowByte) {
  make_example_table();
  EXPECT_EQ(add(0x100 + kKA), bytes({0xA0}));
  EXPECT_EQ(add(0x7700 + kD_I), bytes({0xD0, 0xA0}));
}

TEST_F(LetterComposerTest, WithoutRowsNothingIsComposedOrReported) {
  add(kKA, 0);
  EXPECT_STREQ(ErrorText, "");
}

TEST_F(LetterComposerTest, ControlBytesDeleteWarnAndLookBack) {
  make_rows({chr_NONE, 0x10, 0x20, 0x30});
  map(chr_NONE, kKA, {chr_DELPREV, 0x10});  // a delete at the start deletes nothing
  map(chr_NONE, kAA, {chr_LOOKBACK, 0x20});
  map(chr_NONE, kRA, {0x10, 0x20, 0x30, 0x40});
  map(0x10, kAA, {chr_LOOKBACK, 0x20});
  map(0x10, kD_AA, {chr_DELPREV, chr_DELPREV, 0x30});
  map(0x10, kSSA, {0x20, chr_DELPREV});
  map(0x10, kD_I, {chr_NONE, 0x20});

  EXPECT_EQ(add(kKA), bytes({0x10}));
  EXPECT_EQ(add(kAA), bytes({0x10, 0x20})) << "(3, g) on one glyph adds g";
  letter_reset();
  EXPECT_EQ(add(kAA), bytes({0x20})) << "(3, g) on an empty letter adds g";
  letter_reset();
  EXPECT_EQ(add(kRA), bytes({0x10, 0x20, 0x30, 0x40})) << "four glyph bytes";
  letter_reset();
  add(kKA);
  EXPECT_EQ(add(kD_AA), bytes({0x30})) << "(2, 2, g)";
  letter_reset();
  add(kKA);
  EXPECT_EQ(add(kSSA), bytes({0x20})) << "(g, 2) deletes the glyph before the call";
  letter_reset();
  add(kKA);
  EXPECT_EQ(add(kD_I), bytes({0x10, 0x20}));
  EXPECT_STREQ(ErrorText, "Warning: illegal glyph code chr_NONE for 0x3f\n");
}

TEST_F(LetterComposerTest, LookBackOnThreeGlyphsUsesTheFirstOnlyWhenAllMap) {
  make_rows({chr_NONE, 0x10, 0x20, 0x30});
  map(chr_NONE, kKA, {0x10, 0x20, 0x30});
  map(0x30, kVIRAMA, {chr_LOOKBACK});
  map(0x20, kVIRAMA, {0x99});
  map(0x10, kVIRAMA, {chr_DELPREV, 0x50});
  add(kKA);
  EXPECT_EQ(add(kVIRAMA), bytes({0x20, 0x30, 0x50})) << "first glyph's sequence, 0x10 deleted";

  letter_reset();
  add(kKA);
  map(0x20, kVIRAMA, {});
  EXPECT_EQ(add(kVIRAMA), bytes({0x10, 0x20, 0x30})) << "0x20 has no sequence: no change";
  EXPECT_EQ(letter_count, 3);
}

TEST_F(LetterComposerTest, ThreeThreeAsksTheGlyphBeforeTheSharedOne) {
  constexpr unsigned char kTA = 0x24, kNA = 0x28, kHA = 0x39, kCUSTOM5 = 0x75, kCUSTOM6 = 0x76,
                          kCUSTOM7 = 0x77;
  // 0x10 and 0x20 are two consonants that both end with the halant mark 0x7E.
  make_rows({chr_NONE, 0x10, 0x20, 0x7E});
  map(chr_NONE, kKA, {0x10, 0x7E});
  map(chr_NONE, kTA, {0x20, 0x7E});
  map(chr_NONE, kNA, {0x7E});
  map(chr_NONE, kHA, {0x30});
  map(0x7E, kHA, {chr_LOOKBACK, chr_LOOKBACK, kCUSTOM5});
  map(0x7E, kRA, {chr_LOOKBACK, chr_LOOKBACK, 0xF0});
  map(0x10, kCUSTOM5, {chr_DELPREV, 0x11, 0x7E});
  add(kKA);
  EXPECT_EQ(add(kHA), bytes({0x11, 0x7E})) << "0x10 answers: the halant off, 0x10 replaced";
  EXPECT_EQ(letter(), bytes({0x11, 0x7E}));

  letter_reset();
  add(kTA);
  EXPECT_EQ(add(kHA), bytes({0x30})) << "0x20 has no answer: a new letter";
  letter_reset();
  add(kNA);
  EXPECT_EQ(add(kHA), bytes({0x30})) << "the start row has no answer: a new letter";
  letter_reset();
  map(chr_NONE, kCUSTOM5, {0x7E, 0x31});
  add(kNA);
  EXPECT_EQ(add(kHA), bytes({0x7E, 0x31})) << "before the first glyph the start row answers";

  letter_reset();
  map(0x7E, kTA, {chr_LOOKBACK, chr_LOOKBACK, kCUSTOM6});
  map(0x10, kCUSTOM6, {chr_LOOKBACK, chr_LOOKBACK, kCUSTOM7});
  map(0x7E, kCUSTOM7, {chr_DELPREV, 0x21});
  map(0x7E, kKA, {0x10, 0x7E});
  add(kTA);
  add(kKA);
  EXPECT_EQ(letter(), bytes({0x20, 0x7E, 0x10, 0x7E}));
  EXPECT_EQ(add(kTA), bytes({0x20, 0x21})) << "an answer that asks again goes one glyph further back";
  letter_reset();
  add(kKA);
  add(kRA, 0);
  EXPECT_EQ(letter_count, 0) << "an asked ucode out of range: a new letter (no RA to begin it)";
}

TEST_F(LetterComposerTest, LetterAcceptsUcodesUpTo122GlyphsThenRefuses) {
  make_rows({chr_NONE, 0x10});
  map(0x10, kKA, {0x10, 0x10, 0x10, 0x10});
  std::fill(letter_glyphs, letter_glyphs + 122, 0x10);
  letter_count = 122;
  EXPECT_EQ(add(kKA).size(), 126u) << "122 + 4 glyphs";
  letter_count = 123;
  add(kKA, 0);
  EXPECT_STREQ(ErrorText, "Error: too many glyphs in this devanagari letter\n");
  EXPECT_EQ(letter_count, 123) << "the full letter is left as it was";
}

TEST_F(LetterComposerTest, OrderPutsPrependFirstAppendLastAndKeepsEachGroupsOrder) {
  make_rows({0x10, 0x20, 0x30, 0x40, 0x50});
  row_of(0x10).attr = kAttrAppend;
  row_of(0x20).attr = kAttrPrepend;
  row_of(0x30).attr = kAttrPrepend | kAttrAppend;
  row_of(0x40).attr = 0x100 | kAttrAppend;  // only the low byte counts
  const unsigned char letter[] = {0x10, 0x60, 0x20, 1, 0x30, 0x40, 0x50};
  unsigned char out[kLetterOutputSize];
  std::int32_t count = 0;
  letter_order(letter, 7, out, &count);
  EXPECT_EQ(bytes(out, count), bytes({0x20, 0x30, 0x60, 0x50, 0x10, 0x40}))
      << "0x60 has no row (middle), the 1 is skipped";
  EXPECT_EQ(out[count], 0);
  EXPECT_STREQ(ErrorText, "");
}

TEST_F(LetterComposerTest, OrderReportsACountItCannotAccountFor) {
  const unsigned char letter[] = {0x10};
  unsigned char out[kLetterOutputSize];
  std::int32_t count = 5;
  letter_order(letter, -1, out, &count);
  EXPECT_EQ(count, 0);
  EXPECT_STREQ(ErrorText, "Internal Programming Error: mycount 0, count -1 Glyphs: 0 0 0\n")
      << "no glyph outside the letter is read";
}

TEST_F(LetterComposerTest, ResetEmptiesLetterAndTypedGlyphs) {
  letter_count = 4;
  typed_count = 4;
  EXPECT_EQ(letter_reset_checked(), 1);
  EXPECT_EQ(letter_count, 0);
  EXPECT_EQ(typed_count, 0);
}
