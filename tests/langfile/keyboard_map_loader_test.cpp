#include "langfile/keyboard_map_loader.h"

#include <gtest/gtest.h>

#include "langfile_test_support.h"

namespace {

class KeyboardMapLoaderTest : public langfile_test::LanguageStateTest {
 protected:
  // Loads `text` into `map`, which starts filled with garbage.
  int load(const char* text) {
    map.fill(0x77);
    return fillup_k_u_map(&map, nullptr, text);
  }
  unsigned char code_of(const char* name) {
    unsigned char code = 0;
    EXPECT_EQ(ucode_by_name(&code, name), 1) << name;
    return code;
  }
  KeyMap map{};
};

TEST_F(KeyboardMapLoaderTest, KuStatementsMapTheirKeysAndNothingElse) {
  ASSERT_EQ(load("KU a A\nKU k KA\n"), 1) << ErrorText;
  for (int key = 0; key < 256; ++key) {
    const unsigned char expected = key == 'a' ? code_of("A") : key == 'k' ? code_of("KA") : 0;
    EXPECT_EQ(map[key], expected) << "key " << key;
  }
  EXPECT_EQ(SourceReader.file, nullptr);
}

TEST_F(KeyboardMapLoaderTest, OtherStatementsCommentsAndTrailingTokensAreIgnored) {
  ASSERT_EQ(load("% keys\nGKMAIN Demo\nGK 1 KA 107\n\nGKA 107 APPEND\nGKS 107 107\nGKM 1\n"
                 "x KU b BA extra KU c CA\nKU d DA"),
            1)
      << ErrorText;
  EXPECT_EQ(map['b'], code_of("BA"));
  EXPECT_EQ(map['c'], code_of("CA"));
  EXPECT_EQ(map['d'], code_of("DA"));  // last line without a line feed
}

TEST_F(KeyboardMapLoaderTest, NumberFormNeedsALowercaseXInSecondPlace) {
  ASSERT_EQ(load("KU 0x20 VIRAMA\nKU 5 FIVE\nKU ax A\nKU 0xff KA\n"), 1) << ErrorText;
  EXPECT_EQ(map[0x20], code_of("VIRAMA"));
  EXPECT_EQ(map['5'], code_of("FIVE"));
  EXPECT_EQ(map[0], code_of("A"));  // ax holds no number: key 0
  EXPECT_EQ(map[0xFF], code_of("KA"));

  // Wrapped to its low 8 bits, 0x141 would silently take the key A.
  EXPECT_EQ(load("KU a A\nKU 0x141 KA\n"), 0);
  EXPECT_STREQ(ErrorText, "Error in parsing KU map - illegal key code 0x141 (line 2)\n");

  EXPECT_EQ(load("KU a A\nKU 0X20 VIRAMA\n"), 0);
  EXPECT_STREQ(ErrorText, "Error in parsing KU map - got extra characters 0 X20 (line 2)\n");
  EXPECT_EQ(load("KU a A\nKU 55 FIVE\n"), 0);
  EXPECT_STREQ(ErrorText, "Error in parsing KU map - got extra characters 5 5 (line 2)\n");
}

TEST_F(KeyboardMapLoaderTest, EachStatementErrorNamesItsLine) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"KU a A\nKU \"b\" BA\n",
       "Error in parsing KU map - expect a key code after KU (line 2, got b)\n"},
      {"KU a A\nKU\n",
       "Error in parsing KU map - expect a key code after KU (line 2, got end of line)\n"},
      {"KU a A\nKU b \"BA\"\n",
       "Error in parsing KU map - expect a ucode name after KU b (line 2, got BA)\n"},
      {"KU a A\nKU b PREPEND\n",
       "Error in parsing KU map - expect a ucode name after KU b (line 2, got PREPEND)\n"},
      {"KU a A\nKU b\nKU c CA\n",
       "Error in parsing KU map - expect a ucode name after KU b (line 2, got end of line)\n"},
      {"KU a A\n\nKU b ba\n",
       "Error in parsing KU map - illegal ucode name <ba> after KU b (line 3)\n"},
      {"KU a A\nKU k KA\nKU a AA\n",
       "Error in parsing KU map - duplicate entry for key a (line 3)\n"},
      // Keys without a visible character are named by their code.
      {"KU ax A\nKU 0x0 AA\n", "Error in parsing KU map - duplicate entry for key 0x00 (line 2)\n"},
      {"KU 0x20 A\nKU 0x20 bad\n",
       "Error in parsing KU map - illegal ucode name <bad> after KU 0x20 (line 2)\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(load(c.text), 0) << c.text;
    EXPECT_STREQ(ErrorText, c.message) << c.text;
    EXPECT_EQ(SourceReader.file, nullptr);
  }
}

TEST_F(KeyboardMapLoaderTest, ErrorStopsTheLoadAndKeepsEarlierEntries) {
  EXPECT_EQ(load("KU a A\nKU b bad\nKU c CA\n"), 0);
  EXPECT_EQ(map['a'], code_of("A"));
  EXPECT_EQ(map['c'], 0);
  EXPECT_EQ(map['z'], 0);  // cleared before reading
}

TEST_F(KeyboardMapLoaderTest, NoRecognizedKuStatementFailsWithTheNotAKeyboardFileMessage) {
  const char* message =
      "Error in parsing Keyboard file - no lines were recognized - probably not a Keyboard "
      "File\n";
  for (const char* text : {"", "GKMAIN Demo\nGK 1 KA 107\n% only glyphs\n\nGKM\n",
                           "KU a nothing\nKU b BA\n"}) {
    EXPECT_EQ(load(text), 0) << text;
    EXPECT_STREQ(ErrorText, message) << text;
  }
}

TEST_F(KeyboardMapLoaderTest, ProgramErrorsAreReported) {
  EXPECT_EQ(fillup_k_u_map(&map, "x.gkf", "KU a A\n"), 0);
  EXPECT_STREQ(ErrorText, "fillup_k_u_map: Program error got both fname and string\n");
  EXPECT_EQ(fillup_k_u_map(nullptr, nullptr, "KU a A\n"), 0);
  EXPECT_STREQ(ErrorText, "fillup_k_u_map: Program error got NULL font\n");
}

TEST_F(KeyboardMapLoaderTest, MissingFileKeepsTheReadersMessage) {
  langfile_test::ScopedIpath ipath("no-such-directory");
  EXPECT_EQ(fillup_k_u_map(&map, "absent.gkf", nullptr), 0);
  EXPECT_STREQ(ErrorText, "Error: could not open absent.gkf for reading\n");
}

}  // namespace
