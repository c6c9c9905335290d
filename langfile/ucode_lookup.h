// ucode_by_name for the loaders, remembered: a large language file names
// the same few ucodes thousands of times, and each ucode_by_name call walks
// the whole table. The table is constant, so a remembered answer stays right.
#pragma once

// As ucode_by_name: 1 and *code set when `name` is a ucode name, else 0.
int remembered_ucode_by_name(unsigned char* code, const char* name);
