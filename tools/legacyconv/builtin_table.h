// The encoding tables legacyconv carries: every languages/*/*.tsv of the
// repository, built in, named by its file's base name.
#pragma once
#include <string_view>

struct BuiltinTable {
  const char* name;  // "KrutiDev010", "Preeti", ...
  std::string_view text;
};

// The table of the font `name`; case, blanks, '-' and '_' do not count, so
// "Kruti Dev 010" names KrutiDev010. Null when no table has that name.
const BuiltinTable* builtin_table_named(std::string_view name);

int builtin_table_count();
const BuiltinTable& builtin_table(int index);

// Vedrokan's, the default.
std::string_view builtin_encoding_table();
