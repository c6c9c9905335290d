#include "hook/key_list.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "hook/virtual_keys.h"
#include "tests/hook/fake_hook_platform.h"

namespace {

std::uint16_t us_key_scan(std::uint8_t character) {
  if (character == 0x08) return 0x0008;
  if (character == 'A') return 0x0141;  // Shift+A
  return 0x00FF & character;
}

std::vector<std::uint32_t> entries(const tvk::KeyList& list) {
  return std::vector<std::uint32_t>(list.entries, list.entries + list.count);
}

std::vector<std::uint32_t> alt_code(std::uint32_t hundreds, std::uint32_t tens, std::uint32_t units) {
  return {kVkMenu, kVkNumpad0, kVkNumpad0 + hundreds, kVkNumpad0 + tens, kVkNumpad0 + units, kVkMenu};
}

class KeyListTest : public ::testing::Test {
 protected:
  int build(const std::string& keys) { return tvk::BuildKeyList(list, keys.c_str(), us_key_scan); }
  tvk::KeyList list{};
};

TEST_F(KeyListTest, BackspaceIsOneTapAndGlyphBytesAreAltWithKeypadZeroAndThreeDigits) {
  ASSERT_EQ(1, build("\x08"));
  EXPECT_EQ((std::vector<std::uint32_t>{kVkBack}), entries(list));
  ASSERT_EQ(1, build("A"));
  EXPECT_EQ(alt_code(0, 6, 5), entries(list)) << "0x41 is typed as ALT+0065, not as the A key";
  ASSERT_EQ(1, build("\xFF"));
  EXPECT_EQ(alt_code(2, 5, 5), entries(list));
  ASSERT_EQ(1, build("\x01"));
  EXPECT_EQ(alt_code(0, 0, 1), entries(list)) << "leading zeros are always typed";
}

TEST_F(KeyListTest, BackspaceThenGlyphBuildsInStringOrder) {
  ASSERT_EQ(1, build("\x08\xE9"));
  std::vector<std::uint32_t> expected{kVkBack};
  const std::vector<std::uint32_t> glyph = alt_code(2, 3, 3);
  expected.insert(expected.end(), glyph.begin(), glyph.end());
  EXPECT_EQ(expected, entries(list));
  EXPECT_EQ(0u, list.position);
}

TEST_F(KeyListTest, ListHoldsExactly1024Entries) {
  EXPECT_EQ(1, build(std::string(170, '\xE9')));
  EXPECT_EQ(1020u, list.count);
  EXPECT_EQ(1, build(std::string(170, '\xE9') + "\x08\x08\x08\x08"));
  EXPECT_EQ(1024u, list.count);
  EXPECT_EQ(0, build(std::string(170, '\xE9') + "\x08\x08\x08\x08\x08"));
  EXPECT_EQ(0u, list.count) << "a list that does not fit is discarded whole";
  EXPECT_EQ(0, build(std::string(171, '\xE9')));
  EXPECT_EQ(0u, list.count);
}

TEST_F(KeyListTest, EmptyAndMissingStringsBuildAnEmptyList) {
  build("A");
  EXPECT_EQ(1, tvk::BuildKeyList(list, nullptr, us_key_scan));
  EXPECT_EQ(0u, list.count);
  EXPECT_EQ(1, build(""));
  EXPECT_EQ(0u, list.count);
}

struct Played {
  std::uint32_t key;
  bool release;
  bool system;
  bool operator==(const Played& other) const {
    return key == other.key && release == other.release && system == other.system;
  }
};

std::ostream& operator<<(std::ostream& out, const Played& event) {
  return out << "{key 0x" << std::hex << event.key << (event.release ? " up" : " down")
             << (event.system ? " sys}" : "}");
}

std::vector<Played> play(tvk::KeyList& list) {
  tvk::KeyPlayer player{};
  tvk::ResetKeyPlayer(list, player);
  std::vector<Played> result;
  tvk::KeyEvent event{};
  while (tvk::NextKeyEvent(list, player, event) == 1 && result.size() < 5000) {
    result.push_back({event.key, event.release, event.system});
  }
  return result;
}

TEST_F(KeyListTest, BackspaceAndOneGlyphPlayAsTwelveEventsWithAltAroundSystemKeypadTaps) {
  build("\x08\xE9");
  const std::vector<Played> expected{
      {kVkBack, false, false},           {kVkBack, true, false},
      {kVkMenu, false, true},            {kVkNumpad0, false, true},
      {kVkNumpad0, true, true},          {kVkNumpad0 + 2, false, true},
      {kVkNumpad0 + 2, true, true},      {kVkNumpad0 + 3, false, true},
      {kVkNumpad0 + 3, true, true},      {kVkNumpad0 + 3, false, true},
      {kVkNumpad0 + 3, true, true},      {kVkMenu, true, false},
  };
  EXPECT_EQ(expected, play(list)) << "the ALT release after keypad keys is a plain key release";
}

TEST_F(KeyListTest, AltAloneReleasesAsASystemKeyAndEveryPlayStartsAfresh) {
  list.entries[0] = kVkMenu;
  list.entries[1] = kVkMenu;
  list.count = 2;
  const std::vector<Played> expected{{kVkMenu, false, true}, {kVkMenu, true, true}};
  EXPECT_EQ(expected, play(list));
  EXPECT_EQ(expected, play(list)) << "a reset player replays from the start";
}

}  // namespace
