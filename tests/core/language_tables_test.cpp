#include <cstring>

#include "tests/core/core_test_support.h"

namespace {

// A stand-in for the platform's global memory whose every step can fail.
struct FakeMemory {
  unsigned char block[4 * sizeof(GlyphRow)];
  std::size_t asked = 0;
  bool alloc_fails = false;
  bool lock_fails = false;
  bool stays_locked = false;
  bool release_fails = false;
  int releases = 0;
};
FakeMemory fake;

const GlobalMemoryOps kFakeOps = {
    [](std::size_t bytes) -> GlobalMemoryHandle {
      fake.asked = bytes;
      return fake.alloc_fails ? nullptr : fake.block;
    },
    [](GlobalMemoryHandle handle) -> void* { return fake.lock_fails ? nullptr : handle; },
    [](GlobalMemoryHandle) { return fake.stays_locked ? 1 : 0; },
    [](GlobalMemoryHandle handle) -> GlobalMemoryHandle {
      ++fake.releases;
      return fake.release_fails ? handle : nullptr;
    },
};

class LanguageTablesTest : public CoreTest {
 protected:
  void SetUp() override {
    CoreTest::SetUp();
    fake = FakeMemory{};
    set_global_memory_ops(&kFakeOps);
  }
  void TearDown() override {
    table = GlyphTable{};  // the fake block is not the platform's to free
    CoreTest::TearDown();
  }
  GlyphTable table{};
};

}  // namespace

TEST_F(LanguageTablesTest, ThreeRowsAsk1548BytesAndReportThemWhenRefused) {
  fake.alloc_fails = true;
  EXPECT_EQ(alloc_glyph_rows(&table, 2), 0);
  EXPECT_EQ(fake.asked, 1548u);
  EXPECT_STREQ(ErrorText, "GlobalAlloc failed, could not allocate 1548 bytes\n");
  EXPECT_EQ(table.rows_handle, nullptr);
  EXPECT_EQ(table.rows, nullptr);
}

TEST_F(LanguageTablesTest, LockFailureReleasesTheObjectAndClearsTheHandle) {
  fake.lock_fails = true;
  EXPECT_EQ(alloc_glyph_rows(&table, 0), 0);
  EXPECT_STREQ(ErrorText, "GlobalLock failed, could not lock memory\n");
  EXPECT_EQ(fake.releases, 1);
  EXPECT_EQ(table.rows_handle, nullptr);
}

TEST_F(LanguageTablesTest, RowCountsOutsideOneTo256AreRefusedWithoutAsking) {
  EXPECT_EQ(alloc_glyph_rows(&table, -1), 0);
  EXPECT_STREQ(ErrorText, "GlobalAlloc failed, could not allocate 0 bytes\n");
  EXPECT_EQ(alloc_glyph_rows(&table, 256), 0);
  EXPECT_STREQ(ErrorText, "GlobalAlloc failed, could not allocate 132612 bytes\n");
  EXPECT_EQ(fake.asked, 0u) << "the platform must not be asked";
}

TEST_F(LanguageTablesTest, FreeReportsARowsObjectThatStaysLockedOrIsNotFreed) {
  ASSERT_EQ(alloc_glyph_rows(&table, 0), 1);
  fake.stays_locked = true;
  EXPECT_EQ(free_glyph_rows(&table), 0) << "still locked";
  EXPECT_NE(table.rows, nullptr);
  EXPECT_EQ(fake.releases, 0) << "a locked object is not freed";

  fake.stays_locked = false;
  fake.release_fails = true;
  EXPECT_EQ(free_glyph_rows(&table), 0) << "free failed";
  EXPECT_EQ(table.rows, nullptr);
  EXPECT_NE(table.rows_handle, nullptr);

  fake.release_fails = false;
  EXPECT_EQ(free_glyph_rows(&table), 1);
  EXPECT_EQ(table.rows_handle, nullptr);
}

TEST_F(LanguageTablesTest, FreeingATableWithoutRowsSucceedsAndTouchesNothing) {
  EXPECT_EQ(free_glyph_rows(&table), 1);
  EXPECT_EQ(free_language_tables(), 1);
  EXPECT_EQ(fake.releases, 0);
}

TEST_F(LanguageTablesTest, FreeLanguageTablesFailsWhenEitherReleaseFails) {
  ASSERT_EQ(alloc_glyph_rows(&StagingGlyphTable, 0), 1);
  fake.release_fails = true;
  EXPECT_EQ(free_language_tables(), 0);
  fake.release_fails = false;
  EXPECT_EQ(free_language_tables(), 1);
  EXPECT_EQ(StagingGlyphTable.rows_handle, nullptr);
}

TEST_F(LanguageTablesTest, PlatformRowsAreZeroFilledAndReleasedWhole) {
  set_global_memory_ops(nullptr);
  ASSERT_EQ(alloc_glyph_rows(&LiveGlyphTable, 255), 1) << ErrorText;
  const auto* first = reinterpret_cast<const unsigned char*>(LiveGlyphTable.rows);
  for (std::size_t i = 0; i < 256 * sizeof(GlyphRow); ++i) {
    ASSERT_EQ(first[i], 0) << "byte " << i << " of a fresh rows object";
  }
  EXPECT_EQ(free_glyph_rows(&LiveGlyphTable), 1);
  EXPECT_EQ(LiveGlyphTable.rows, nullptr);
  EXPECT_EQ(LiveGlyphTable.rows_handle, nullptr);
}

TEST_F(LanguageTablesTest, LanguageNameIsEmptyUntilGivenAndNeverUnterminated) {
  EXPECT_STREQ(current_language_name(), "");
  std::memset(LiveGlyphTable.name, 'x', sizeof LiveGlyphTable.name);
  EXPECT_EQ(std::strlen(current_language_name()), 127u);
}
