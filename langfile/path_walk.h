// The walk along a language file search list: which candidate paths are
// tried, in order, for one file name.
#pragma once
#include "langfile/path_rules.h"

// Candidate paths are built in buffers of this size; a candidate that would
// not fit (with its terminating NUL) is skipped and the walk goes on.
constexpr int kCandidatePathSize = 256;

struct PathWalk {
  const PathRules* rules;
  const char* file_name;
  // What a bare leading tilde stands for; asked only when one is met.
  const char* (*home_directory)();
  // Start of the next list element; null when the walk is over.
  const char* next_element;
  int direct;
};

// Starts a walk for `file_name` along `path_list` (elements separated by ';').
// An empty name gives no candidate; a direct name (see PathRules) gives only
// itself.
void path_walk_start(PathWalk* walk, const PathRules& rules, const char* path_list,
                     const char* file_name, const char* (*home_directory)());

// 1 with the next candidate in `candidate`; 0 when the walk is over.
int path_walk_next(PathWalk* walk, char (&candidate)[kCandidatePathSize]);
