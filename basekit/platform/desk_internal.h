// Shared between the desktop's own files; not for callers of the desktop.
#pragma once
#include "basekit/platform/desktop.h"
#include "basekit/platform/platform.h"

void desk_record_alert(const char* title, const char* const* lines, int nlines);
// The next queued answer, if any: 1 and its kind, button and path.
int desk_take_answer(int* kind, int* button, char* path, int path_size);
