// The built-in Vedrokan table and byte strings named by glyph names, for the
// converter tests (codes come from the table, so re-ordering it keeps them valid).
#pragma once
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "core/error_text.h"
#include "encoding/encoding_table.h"
#include "tools/legacyconv/builtin_table.h"

inline const EncodingTable& vedrokan_table() {
  static EncodingTable table;
  static const bool read = [] {
    EXPECT_EQ(read_encoding_table(builtin_encoding_table(), &table), 1) << ErrorText;
    return true;
  }();
  (void)read;
  return table;
}

inline int code_of(const std::string& name) {
  const EncodingTable& t = vedrokan_table();
  for (int code = 0; code < 256; ++code) {
    if (t.entries[static_cast<std::size_t>(code)].present &&
        name == t.entries[static_cast<std::size_t>(code)].name)
      return code;
  }
  ADD_FAILURE() << "no glyph named " << name << " in the table";
  return 0;
}

inline std::string glyphs(std::initializer_list<const char*> names) {
  std::string bytes;
  for (const char* name : names) bytes += static_cast<char>(code_of(name));
  return bytes;
}

inline std::string hex(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}
