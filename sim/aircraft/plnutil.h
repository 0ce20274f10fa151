// Small helpers shared by the aircraft and airfoil readers.
#pragma once

// Strips the white space and line-end characters a name line may carry, and
// turns the original platform's backslashes into slashes.
void trim_name(char* name);
// Builds the path of a file named inside a data file: app_path/dir/name.
// A name that climbs out of the folder, or a path longer than the buffer, is
// fatal; `used_by` names the file that asked. An empty name gives "".
void plane_data_path(const char* dir, const char* name, char* path, const char* used_by);
// "left wing #1" and so on, for messages.
const char* part_name(int part);
// The separator, program and "Simulating" lines that head both report files.
void plane_banner(char* text, int dim);
// One row of the report's wash map: the left part's elements tip to root,
// "FUSE", the right part's root to tip, each marked by `mark`.
void print_wash_row(const char* label, int left, int right, int (*mark)(int s, int j, char* out));
