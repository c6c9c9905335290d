#include "core/keystroke_translation.h"

#include <algorithm>

#include "tests/core/core_test_support.h"

namespace {

class KeystrokeTranslationTest : public CoreTest {
 protected:
  // Translates `ucode`/`character` and returns the keystroke string.
  std::string translate(unsigned int ucode, unsigned int character = 'k') {
    KeystrokeString out;
    std::fill(std::begin(out.bytes), std::end(out.bytes), '\x55');
    std::int32_t count = -1;
    translate_key(&out, &count, ucode, character);
    EXPECT_GE(count, 0);
    EXPECT_LT(count, kKeystrokeStringSize);
    EXPECT_EQ(out.bytes[count], 0) << "translate_key terminates the string itself";
    return std::string(out.bytes, static_cast<std::size_t>(count));
  }
  std::string typed() const { return bytes(typed_glyphs, typed_count); }
};

}  // namespace

TEST_F(KeystrokeTranslationTest, WorkedExampleRetypesOnlyWhatChanged) {
  make_example_table();
  EXPECT_EQ(translate(kKA), bytes({0xA0}));
  EXPECT_EQ(translate(kVIRAMA), bytes({0x08, 0xB0}));
  EXPECT_EQ(translate(kSSA), bytes({0x08, 0xC0}));
  EXPECT_EQ(translate(kKA), bytes({0xA0})) << "a new letter leaves the old one typed";
  EXPECT_EQ(translate(kD_I), bytes({0x08, 0xD0, 0xA0})) << "a PREPEND glyph retypes all";
  EXPECT_EQ(typed(), bytes({0xD0, 0xA0}));
  EXPECT_EQ(translate(0, 0x08), bytes({0x08, 0x08})) << "backspace erases the letter";
  EXPECT_EQ(translate(0, ' '), " ");
  EXPECT_EQ(typed_count, 0);
}

TEST_F(KeystrokeTranslationTest, TheChangeRecordsTheLetterBeforeAndAfterAndOutputsOnlyReadIt) {
  make_example_table();
  LetterChange change;
  auto before = [&] { return bytes(change.before, change.before_count); };
  auto after = [&] { return bytes(change.after, change.after_count); };
  translate_letter(&change, kKA, 'k');
  EXPECT_EQ(change.kind, LetterKey::kComposed);
  EXPECT_EQ(before(), "");
  EXPECT_EQ(after(), bytes({0xA0}));
  translate_letter(&change, kD_I, 'i');
  EXPECT_EQ(before(), bytes({0xA0}));
  EXPECT_EQ(after(), bytes({0xD0, 0xA0})) << "display order";

  KeystrokeString out;
  std::int32_t count = 0;
  for (int i = 0; i < 2; ++i) {
    font_keystrokes(change, &out, &count);
    EXPECT_EQ(std::string(out.bytes, count), bytes({0x08, 0xD0, 0xA0})) << "the same each time";
  }
  EXPECT_EQ(typed(), bytes({0xD0, 0xA0})) << "outputs write no letter state";

  translate_letter(&change, 0, ' ');
  EXPECT_EQ(change.kind, LetterKey::kPassed);
  EXPECT_EQ(after(), bytes({0xD0, 0xA0})) << "a passed key leaves the letter on screen";
  translate_letter(&change, kKA, 'k');
  translate_letter(&change, 0, 0x08);
  EXPECT_EQ(change.kind, LetterKey::kErased);
  EXPECT_EQ(before(), bytes({0xA0}));
  EXPECT_EQ(after(), "");
  EXPECT_EQ(typed_count, 0);
}

TEST_F(KeystrokeTranslationTest, KeyMapGivesTheUcodeOfTheLowByte) {
  LiveKeyMap['k'] = kKA;
  EXPECT_EQ(key_to_ucode('k'), kKA);
  EXPECT_EQ(key_to_ucode(0x100 + 'k'), kKA);
  EXPECT_EQ(key_to_ucode('j'), 0);
}

TEST_F(KeystrokeTranslationTest, KeysWithoutValidUcodePassThroughAndEndTheLetter) {
  make_example_table();
  translate(kKA);
  EXPECT_EQ(translate(0x04, 'q'), "q") << "a code ucode_name rejects";
  EXPECT_EQ(letter_count, 0);
  EXPECT_EQ(translate(0x100, 'x'), "x") << "low byte 0 is no ucode";
  EXPECT_EQ(translate(0, 0x7F), "\x08") << "delete without a letter: one backspace";
}

TEST_F(KeystrokeTranslationTest, BackspaceErasesEveryTypedGlyphAndTheNextKeyStartsAfresh) {
  make_example_table();
  map(chr_NONE, kSSA, {0xA0, 0xB0, 0xC0});
  translate(kSSA);
  EXPECT_EQ(translate(0, 0x08), "\x08\x08\x08");
  EXPECT_EQ(translate(kKA), bytes({0xA0}));
}

TEST_F(KeystrokeTranslationTest, UnchangedLetterTypesNothing) {
  make_example_table();
  map(0xA0, kSSA, {chr_LOOKBACK});  // maps, but adds nothing
  translate(kKA);
  EXPECT_EQ(translate(kSSA), "");
}

TEST_F(KeystrokeTranslationTest, ComposerFailuresEraseOrTypeNothing) {
  EXPECT_EQ(translate(kKA), "") << "no glyph table";
  make_example_table();
  EXPECT_EQ(translate(kSSA), "") << "no start mapping";
  translate(kKA);
  letter_count = kLetterFullAt;
  EXPECT_EQ(translate(kVIRAMA), "\x08") << "a full letter erases what was typed";
  EXPECT_EQ(translate(kVIRAMA), "") << "and then types nothing";
}

TEST_F(KeystrokeTranslationTest, LongestLetterRetypedWhole) {
  // The composer takes a ucode up to 122 glyphs; a PREPEND glyph among the
  // four it adds then changes the first glyph on screen.
  make_rows({chr_NONE, 0x10, 0x20});
  map(0x10, kAA, {0x10, 0x10, 0x10, 0x20});
  row_of(0x20).attr = kAttrPrepend;
  std::fill(letter_glyphs, letter_glyphs + 122, 0x10);
  letter_count = 122;
  std::fill(typed_glyphs, typed_glyphs + 122, 0x10);
  typed_count = 122;
  EXPECT_EQ(translate(kAA), std::string(122, '\x08') + '\x20' + std::string(125, '\x10'));
  EXPECT_EQ(typed_count, 126);
}

TEST_F(KeystrokeTranslationTest, CorruptTypedCountNeverErasesMoreThanALetter) {
  typed_count = 100000;
  EXPECT_EQ(translate(0, 0x08), std::string(kLetterMaxGlyphs, '\x08'));
  typed_count = -7;
  EXPECT_EQ(translate(0, 0x08), "\x08");
}

TEST_F(KeystrokeTranslationTest, GlyphDiffKeepsTheCommonPrefix) {
  const unsigned char old_glyphs[] = {1, 2, 3};
  const unsigned char new_glyphs[] = {1, 2, 9, 9};
  char out[8];
  std::int32_t count = -1;
  EXPECT_EQ(glyph_diff(out, &count, old_glyphs, 3, new_glyphs, 4), 3);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(std::string(out), std::string("\x08\x09\x09"));
  EXPECT_EQ(glyph_diff(out, &count, old_glyphs, 3, old_glyphs, 3), 0);
  EXPECT_EQ(out[0], 0);
}
