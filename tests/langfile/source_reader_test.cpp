#include "langfile/source_reader.h"

#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "langfile/glyph_map_loader.h"
#include "langfile/keyboard_map_loader.h"
#include "langfile/letter_swap.h"
#include "langfile/path_rules.h"
#include "langfile_test_support.h"

namespace {

using langfile_test::CurrentDirectory;
using langfile_test::ScopedIpath;
using langfile_test::TempDir;
using langfile_test::write_file;

std::vector<std::string> read_lines(int size = kLineBufferSize) {
  std::vector<std::string> lines;
  std::vector<char> buffer(static_cast<std::size_t>(size));
  while (fetch_line(buffer.data(), size)) lines.emplace_back(buffer.data());
  return lines;
}

using Lines = std::vector<std::string>;

class SourceReaderTest : public langfile_test::LanguageStateTest {};

TEST_F(SourceReaderTest, TextLinesEndAtLineFeedCarriageReturnOrEndOfText) {
  ASSERT_EQ(open_source(nullptr, "P\r\nQ\rR"), 1);
  EXPECT_EQ(read_lines(), (Lines{"P\n", "Q\n", "R"}));
  EXPECT_EQ(SourceReader.line_number, 4);

  ASSERT_EQ(open_source(nullptr, "a\n\nb\r\r\nc\n"), 1);
  EXPECT_EQ(read_lines(), (Lines{"a\n", "\n", "b\n", "\n", "c\n"}));
}

TEST_F(SourceReaderTest, EmptyTextHasNoLinesButTheCounterStillAdvances) {
  ASSERT_EQ(open_source(nullptr, ""), 1);
  char line[16];
  EXPECT_EQ(fetch_line(line, sizeof line), 0);
  EXPECT_EQ(fetch_line(line, sizeof line), 0);
  EXPECT_STREQ(line, "");
  EXPECT_EQ(SourceReader.line_number, 2);
}

TEST_F(SourceReaderTest, LongTextLineArrivesInPiecesOfSizeMinusOne) {
  const std::string long_line(1500, 'x');
  const std::string text = long_line + "\nnext\n";
  ASSERT_EQ(open_source(nullptr, text.c_str()), 1);
  EXPECT_EQ(read_lines(), (Lines{std::string(1023, 'x'), std::string(477, 'x') + "\n", "next\n"}));
  EXPECT_EQ(SourceReader.line_number, 4);

  // A small buffer is never overrun, and a CR at the bound still ends its line.
  ASSERT_EQ(open_source(nullptr, "abcdefg\r\nhi"), 1);
  EXPECT_EQ(read_lines(4), (Lines{"abc", "def", "g\n", "hi"}));
  ASSERT_EQ(open_source(nullptr, "abc\r\nd"), 1);
  EXPECT_EQ(read_lines(4), (Lines{"abc", "\n", "d"}));
}

TEST_F(SourceReaderTest, FileLinesComeInPiecesAndCrLfReadsAsLineFeed) {
  TempDir dir;
  const std::string long_line(1500, 'y');
  write_file(dir.path() / "long.gkf", "first\r\n" + long_line + "\r\nthird\nlast");
  ScopedIpath ipath(dir.str().c_str());
  ASSERT_EQ(open_source("long.gkf", nullptr), 1);
  EXPECT_EQ(read_lines(), (Lines{"first\n", std::string(1023, 'y'), std::string(477, 'y') + "\n",
                                 "third\n", "last"}));
  // The file has four lines; the long one counted twice.
  EXPECT_EQ(SourceReader.line_number, 6);
}

TEST_F(SourceReaderTest, FilePieceEndingOnCarriageReturnKeepsItsLineFeed) {
  TempDir dir;
  write_file(dir.path() / "cr.gkf", "a\r\ncd\rx");
  ScopedIpath ipath(dir.str().c_str());
  ASSERT_EQ(open_source("cr.gkf", nullptr), 1);
  // A lone CR stays in its line, as a Windows text-mode read leaves it.
  EXPECT_EQ(read_lines(3), (Lines{"a\n", "cd", "\rx"}));
}

TEST_F(SourceReaderTest, FileKeepsAStrayCarriageReturnBeforeTheLineEndOnEveryBuild) {
  TempDir dir;
  write_file(dir.path() / "crcr.gkf", "KU a KA\r\r\nKU b KHA\r\n");
  ScopedIpath ipath(dir.str().c_str());
  ASSERT_EQ(open_source("crcr.gkf", nullptr), 1);
  EXPECT_EQ(read_lines(), (Lines{"KU a KA\r\n", "KU b KHA\n"}));
}

TEST_F(SourceReaderTest, ByteOrderMarkAtTheStartReadsAsNothing) {
  TempDir dir;
  const std::string bom = "\xEF\xBB\xBF";
  const std::string plain = "GKMAIN Bom\nKU k KA\n";
  char swapped[64];
  swap_letters(plain.c_str(), swapped);
  write_file(dir.path() / "bom.gkf", bom + plain);
  // The exchange leaves bytes above 0x7F alone: a .gkl's mark is the same bytes.
  write_file(dir.path() / "bom.gkl", bom + swapped);
  write_file(dir.path() / "late.gkf", "x\n" + bom + "y\n");
  ScopedIpath ipath(dir.str().c_str());
  for (const char* name : {"bom.gkf", "bom.gkl"}) {
    ASSERT_EQ(open_source(name, nullptr), 1) << name;
    EXPECT_EQ(read_lines(), (Lines{"GKMAIN Bom\n", "KU k KA\n"})) << name;
  }
  const std::string text = bom + plain;
  ASSERT_EQ(open_source(nullptr, text.c_str()), 1);
  EXPECT_EQ(read_lines(), (Lines{"GKMAIN Bom\n", "KU k KA\n"}));
  // Only the very start is a mark.
  ASSERT_EQ(open_source("late.gkf", nullptr), 1);
  EXPECT_EQ(read_lines(), (Lines{"x\n", bom + "y\n"}));
}

TEST_F(SourceReaderTest, NulByteEndsTheFileAndBothLoadersNameItsLine) {
  TempDir dir;
  // Cut at the NUL, the GK line would run on into line 3 and report a
  // token of a line the file does not have.
  const char nul_file[] = "KU k KA\nGK 1 KA 0xA0\0\nGK 1 AA 0xA1\n";
  // (Not nul.gkf: Windows opens the device NUL for that name.)
  write_file(dir.path() / "nul_byte.gkf", std::string(nul_file, sizeof nul_file - 1));
  ScopedIpath ipath(dir.str().c_str());
  const char* message = "Error in language file - NUL byte in column 13 (line 2)\n";
  KeyMap map{};
  EXPECT_EQ(fillup_k_u_map(&map, "nul_byte.gkf", nullptr), 0);
  EXPECT_STREQ(ErrorText, message);
  GlyphTable table{};
  EXPECT_EQ(fillup_ifont(&table, "nul_byte.gkf", nullptr), 0);
  EXPECT_STREQ(ErrorText, message);
  free_glyph_rows(&table);
  EXPECT_EQ(SourceReader.file, nullptr);
  // The next source starts without the fault.
  ASSERT_EQ(fillup_k_u_map(&map, nullptr, "KU k KA\n"), 1) << ErrorText;
}

TEST_F(SourceReaderTest, SearchFindsTheFileInALaterIpathElement) {
  TempDir dir;
  write_file(dir.path() / "second" / "lang.gkf", "from second\n");
  write_file(dir.path() / "third" / "lang.gkf", "from third\n");
  const std::string list = (dir.path() / "first").string() + ";" +
                           (dir.path() / "second").string() + ";" +
                           (dir.path() / "third").string();
  ScopedIpath ipath(list.c_str());
  ASSERT_EQ(open_source("lang.gkf", nullptr), 1) << ErrorText;
  EXPECT_EQ(read_lines(), Lines{"from second\n"});

  std::FILE* file = search_open(list.c_str(), "lang.gkf", "r");
  ASSERT_NE(file, nullptr);
  std::fclose(file);
  EXPECT_EQ(search_open(list.c_str(), "other.gkf", "r"), nullptr);
}

TEST_F(SourceReaderTest, DefaultListAndEmptyIpathTryTheCurrentDirectory) {
  TempDir dir;
  write_file(dir.path() / "here.gkf", "here\n");
  CurrentDirectory cwd(dir.path());
  {
    ScopedIpath ipath(nullptr);
    ASSERT_EQ(open_source("here.gkf", nullptr), 1) << ErrorText;
    EXPECT_EQ(read_lines(), Lines{"here\n"});
  }
#if !defined(_WIN32)  // Windows cannot hold an empty environment variable.
  {
    ScopedIpath ipath("");
    ASSERT_EQ(open_source("here.gkf", nullptr), 1) << ErrorText;
    EXPECT_EQ(read_lines(), Lines{"here\n"});
  }
#endif
  {
    ScopedIpath ipath("nowhere");
    EXPECT_EQ(open_source("here.gkf", nullptr), 0);
  }
}

TEST_F(SourceReaderTest, DirectNameIsNotSearched) {
  TempDir dir;
  write_file(dir.path() / "sub" / "lang.gkf", "direct\n");
  CurrentDirectory cwd(dir.path());
  ScopedIpath ipath("sub");
  const char separator = platform_path_rules().separator;
  const std::string relative = std::string(".") + separator + "sub" + separator + "lang.gkf";
  ASSERT_EQ(open_source(relative.c_str(), nullptr), 1) << ErrorText;
  EXPECT_EQ(read_lines(), Lines{"direct\n"});
  // "./lang.gkf" is opened as it stands, not looked for in sub.
  const std::string direct = std::string(".") + separator + "lang.gkf";
  EXPECT_EQ(open_source(direct.c_str(), nullptr), 0);
  EXPECT_EQ(open_source("lang.gkf", nullptr), 1);
}

TEST_F(SourceReaderTest, GklNamesSwitchTheSubstitutionOn) {
  TempDir dir;
  const std::string plain = "GK 1 KA 107\n";
  char swapped[64];
  swap_letters(plain.c_str(), swapped);
  for (const char* name : {"HINDI.GKL", "hindi.gkl", "hindi.Gkl", "xgkl"}) {
    write_file(dir.path() / name, swapped);
  }
  write_file(dir.path() / "hindi.gkf", plain);
  write_file(dir.path() / "gkl", plain);
  ScopedIpath ipath(dir.str().c_str());
  for (const char* name : {"HINDI.GKL", "hindi.gkl", "hindi.Gkl", "xgkl"}) {
    ASSERT_EQ(open_source(name, nullptr), 1) << name;
    EXPECT_EQ(SourceReader.swap_letters_on, 1) << name;
    EXPECT_EQ(read_lines(), Lines{plain}) << name;
  }
  for (const char* name : {"hindi.gkf", "gkl"}) {
    ASSERT_EQ(open_source(name, nullptr), 1) << name;
    EXPECT_EQ(SourceReader.swap_letters_on, 0) << name;
    EXPECT_EQ(read_lines(), Lines{plain}) << name;
  }
}

TEST_F(SourceReaderTest, OpenFailuresReportAndLeaveTheReaderClosed) {
  TempDir dir;
  write_file(dir.path() / "lang.gkf", "x\n");
  ScopedIpath ipath(dir.str().c_str());

  EXPECT_EQ(open_source("missing.gkf", nullptr), 0);
  EXPECT_STREQ(ErrorText, "Error: could not open missing.gkf for reading\n");
  EXPECT_EQ(SourceReader.file, nullptr);

  EXPECT_EQ(open_source("lang.gkf", "KU a A\n"), 0);
  EXPECT_STREQ(ErrorText, "Error: program error, got file name (lang.gkf) + string\n");
  EXPECT_EQ(SourceReader.file, nullptr);
  char line[16];
  EXPECT_EQ(fetch_line(line, sizeof line), 0);
}

TEST_F(SourceReaderTest, OpeningWithNeitherClosesTheFile) {
  TempDir dir;
  write_file(dir.path() / "lang.gkf", "x\n");
  ScopedIpath ipath(dir.str().c_str());
  ASSERT_EQ(open_source("lang.gkf", nullptr), 1);
  EXPECT_NE(SourceReader.file, nullptr);
  EXPECT_EQ(open_source(nullptr, nullptr), 1);
  EXPECT_EQ(SourceReader.file, nullptr);
  char line[16];
  EXPECT_EQ(fetch_line(line, sizeof line), 0);
}

}  // namespace
