// The table legacyconv carries: Vedrokan's, built in from the repository.
#pragma once
#include <string_view>

std::string_view builtin_encoding_table();
