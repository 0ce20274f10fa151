// Word wrapping of text to a pixel width.
#pragma once

enum { WRAP_MAX_LINES = 40, WRAP_LINE_DIM = 160 };
// Splits text into lines no wider than width; returns the line count.
int desk_wrap(const char* text, int font, int width, char out[][WRAP_LINE_DIM], int max_lines);
