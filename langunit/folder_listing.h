// The one platform need of the language list: the sub-folders of a folder.
#pragma once

// Calls `each` with the name of every sub-folder of `folder` (not "." or
// ".."), in no particular order. 0 when `folder` cannot be read.
int list_subfolders(const char* folder, void (*each)(const char* name, void* context), void* context);
