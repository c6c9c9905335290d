// The built-in inventory of phonetic units (ucodes) and the reverse index
// from code to table row.
#pragma once
#include <cstdint>

struct UcodeRow {
  unsigned char code;
  char name[16];
};

constexpr int kUcodeTableRows = 115;  // 114 ucodes and the all-zero end row
constexpr int kUcodeIndexSize = 128;
constexpr int kUcodeNameBufferSize = 17;

extern const UcodeRow UcodeTable[kUcodeTableRows];
extern std::int32_t UcodeIndex[kUcodeIndexSize];
extern std::int32_t UcodeIndexBuilt;

// Build a code-to-row index of `table` (ended by a row with an empty name).
// Returns 1, or 0 on a code of 0x80 and above or a repeated code.
int ucode_build_index(const UcodeRow* table, std::int32_t index[kUcodeIndexSize]);

// Clears the letter state, then builds UcodeIndex once. 1 = success.
int ucode_init();

// 1 and *code set when a row's name equals `name` exactly; 0 otherwise.
int ucode_by_name(unsigned char* code, const char* name);

// 1 when the low byte of `code` is a valid ucode; `name` (>= 17 bytes, may be
// null) then receives its name.
int ucode_name(char* name, unsigned int code);
