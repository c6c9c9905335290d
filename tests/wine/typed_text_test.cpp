#include "tools/typepad/typed_text.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string text_of(const typepad::TypedText &text) {
  return std::string(text.bytes.data(), text.length);
}

std::unique_ptr<typepad::TypedText> fresh_text() {
  auto text = std::make_unique<typepad::TypedText>();
  typepad::typed_text_clear(*text);
  return text;
}

void type(typepad::TypedText &text, const std::string &characters) {
  for (char c : characters) typepad::typed_text_char(text, static_cast<std::uint8_t>(c));
}

TEST(TypedText, PrintableAndHighBytesAreKeptAsTyped) {
  auto text = fresh_text();
  type(*text, "ab\t\xE9\xFF");
  EXPECT_EQ(text_of(*text), "ab\t\xE9\xFF");
}

TEST(TypedText, BackspaceRemovesOneCharacterAndALineBreakWhole) {
  auto text = fresh_text();
  type(*text, "ab\r");
  EXPECT_EQ(text_of(*text), "ab\r\n") << "Enter is stored as CR LF";
  type(*text, "\b");
  EXPECT_EQ(text_of(*text), "ab");
  type(*text, "\b\b\b");
  EXPECT_EQ(text_of(*text), "") << "Backspace on empty text does nothing";
}

TEST(TypedText, OtherControlCharactersAreIgnored) {
  auto text = fresh_text();
  type(*text, "a\x1B\x01\x7F");
  EXPECT_EQ(text_of(*text), "a\x7F");
}

TEST(TypedText, UnicodeUnitsAreKeptAsUtf8AndBackspaceErasesACodePoint) {
  auto text = fresh_text();
  for (char16_t unit : std::u16string(u"a\u0915\u093F\r\xD83D\xDE00\xDC00\x1B"))
    typepad::typed_text_unit(*text, unit);
  EXPECT_EQ(text_of(*text), "a\u0915\u093F\r\n\U0001F600") << "a lone low surrogate and ESC are dropped";
  for (int i = 0; i < 3; ++i) typepad::typed_text_unit(*text, u'\b');
  EXPECT_EQ(text_of(*text), "a\u0915") << "the pair, the line break, the i sign";
}

TEST(TypedText, FullBufferRefusesAndCounts) {
  auto text = fresh_text();
  text->length = text->bytes.size() - 1;
  EXPECT_EQ(typepad::typed_text_char(*text, '\r'), 0) << "CR LF needs two free bytes";
  EXPECT_EQ(typepad::typed_text_char(*text, 'x'), 1);
  EXPECT_EQ(typepad::typed_text_char(*text, 'y'), 0);
  EXPECT_EQ(text->length, text->bytes.size());
  EXPECT_EQ(text->refused, 2u);
}

}  // namespace
