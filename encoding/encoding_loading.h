// The encoding table of a language: the file beside the language file with
// its base name and the extension .tsv (Vedrokan.gkf: Vedrokan.tsv), or for a
// second key layout of a font without a table of its own, the font's table
// (KrutiDev010-Remington.gkf: KrutiDev010.tsv). Loading
// fills the staging table and commits it only when every line reads.
#pragma once

// Loads the table beside `language_file_name`, found along the same search
// path as the language file itself. Without such a file the live table is
// emptied (the language types font codes only) and the call succeeds.
// Non-zero = committed; 0 with ErrorText, the live table unchanged.
int load_encoding_table(const char* language_file_name);

// The halves of load_encoding_table for a language path already found (it is
// not searched again): the table beside it into the staging table (emptied
// when there is none), 1, or 0 with ErrorText and nothing staged; then the
// staged table put in force.
int stage_encoding_table(const char* language_path);
void commit_encoding_table();

// Non-zero while the live table has entries, so letters can become Unicode.
int encoding_table_loaded();
