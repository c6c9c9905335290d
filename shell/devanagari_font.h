// The Devanagari face Tolvar draws Unicode letters in (the candidate list,
// the key chart): the first of Nirmala UI, Mangal and Noto Sans Devanagari
// that the system has, sized for the system's DPI, the one the program is
// drawn at (see tolvar.manifest).
#pragma once
#include <windows.h>

int SystemDpi();
// A font of `points` at `dpi` in that face (Nirmala UI when none is there,
// so the system's font linking finds the letters). The caller deletes it.
HFONT MakeDevanagariFont(int points, int dpi);
