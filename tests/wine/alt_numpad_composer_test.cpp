#include "tools/typepad/alt_numpad_composer.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

using typepad::ComposedKind;

constexpr unsigned vk_menu = 0x12;
constexpr unsigned vk_numpad0 = 0x60;

struct Outcome {
  ComposedKind kind;
  unsigned byte;
};

// Presses ALT, taps each key (press and release), releases ALT.
Outcome compose(std::initializer_list<unsigned> keys, bool extended = false) {
  typepad::AltNumpadComposer composer;
  typepad::alt_numpad_reset(composer);
  typepad::alt_numpad_key(composer, vk_menu, false, false, false);
  for (unsigned key : keys) {
    typepad::alt_numpad_key(composer, key, extended, false, false);
    typepad::alt_numpad_key(composer, key, extended, true, false);
  }
  const typepad::ComposedChar result =
      typepad::alt_numpad_key(composer, vk_menu, false, true, false);
  return {result.kind, result.byte};
}

unsigned numpad(unsigned digit) { return vk_numpad0 + digit; }

TEST(AltNumpadComposer, LeadingZeroGivesAnAnsiByteOnAltRelease) {
  const Outcome outcome = compose({numpad(0), numpad(2), numpad(3), numpad(3)});
  EXPECT_EQ(outcome.kind, ComposedKind::Ansi);
  EXPECT_EQ(outcome.byte, 0xE9u) << "expected 0xE9 for ALT+0233, got " << outcome.byte;
}

TEST(AltNumpadComposer, NoLeadingZeroGivesAnOemByte) {
  const Outcome outcome = compose({numpad(1), numpad(3), numpad(0)});
  EXPECT_EQ(outcome.kind, ComposedKind::Oem);
  EXPECT_EQ(outcome.byte, 130u);
}

TEST(AltNumpadComposer, ValuesAboveByteRangeWrapModulo256) {
  EXPECT_EQ(compose({numpad(0), numpad(3), numpad(2), numpad(1)}).byte, 321u % 256);
  const Outcome many = compose({numpad(9), numpad(9), numpad(9), numpad(9), numpad(9), numpad(9),
                                numpad(9), numpad(9), numpad(9), numpad(9)});
  EXPECT_EQ(many.byte, 9999999999ull % 256) << "a long digit run must not overflow";
}

TEST(AltNumpadComposer, NavigationKeysCountAsDigitsOnlyWithoutExtendedFlag) {
  // VK_INSERT, VK_DOWN, VK_NEXT, VK_NEXT: keypad 0, 2, 3, 3 with NumLock off.
  const Outcome keypad = compose({0x2D, 0x28, 0x22, 0x22});
  EXPECT_EQ(keypad.kind, ComposedKind::Ansi);
  EXPECT_EQ(keypad.byte, 0xE9u);
  const Outcome arrows = compose({0x2D, 0x28, 0x22, 0x22}, true);
  EXPECT_EQ(arrows.kind, ComposedKind::None)
      << "the dedicated navigation keys are extended and compose nothing";
  EXPECT_EQ(typepad::keypad_digit(0x0C, false), 5) << "VK_CLEAR is keypad 5";
  EXPECT_EQ(typepad::keypad_digit(0x69, true), 9);
  EXPECT_EQ(typepad::keypad_digit(0x30, false), -1) << "the top-row 0 is not a keypad digit";
}

TEST(AltNumpadComposer, OtherKeyWhileAltIsDownCancels) {
  EXPECT_EQ(compose({numpad(0), 0x41, numpad(6), numpad(5)}).kind, ComposedKind::None);
}

TEST(AltNumpadComposer, ShiftControlAndNumLockDoNotCancel) {
  const Outcome outcome = compose({0x10, numpad(0), 0x90, numpad(6), 0xA2, numpad(5)});
  EXPECT_EQ(outcome.kind, ComposedKind::Ansi);
  EXPECT_EQ(outcome.byte, 65u);
}

TEST(AltNumpadComposer, AltAloneOrZeroValueComposesNothing) {
  EXPECT_EQ(compose({}).kind, ComposedKind::None);
  EXPECT_EQ(compose({numpad(0), numpad(0), numpad(0)}).kind, ComposedKind::None);
}

TEST(AltNumpadComposer, RepeatedDigitPressesAndAltRepeatsAreIgnored) {
  typepad::AltNumpadComposer composer;
  typepad::alt_numpad_reset(composer);
  typepad::alt_numpad_key(composer, vk_menu, false, false, false);
  typepad::alt_numpad_key(composer, numpad(0), false, false, false);
  typepad::alt_numpad_key(composer, numpad(6), false, false, false);
  typepad::alt_numpad_key(composer, numpad(6), false, false, true);
  typepad::alt_numpad_key(composer, vk_menu, false, false, true);
  typepad::alt_numpad_key(composer, numpad(5), false, false, false);
  const typepad::ComposedChar result =
      typepad::alt_numpad_key(composer, vk_menu, false, true, false);
  EXPECT_EQ(result.kind, ComposedKind::Ansi);
  EXPECT_EQ(result.byte, 65u) << "expected 065 with the repeats ignored";
}

TEST(AltNumpadComposer, DigitsWithoutAltComposeNothingAndSequencesDoNotCarryOver) {
  typepad::AltNumpadComposer composer;
  typepad::alt_numpad_reset(composer);
  typepad::alt_numpad_key(composer, numpad(6), false, false, false);
  EXPECT_EQ(typepad::alt_numpad_key(composer, vk_menu, false, true, false).kind,
            ComposedKind::None);
  EXPECT_EQ(compose({numpad(0), numpad(6), numpad(5)}).byte, 65u);
  EXPECT_EQ(compose({numpad(0), numpad(6), numpad(6)}).byte, 66u);
}

}  // namespace
