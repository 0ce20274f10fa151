// Text and binary data files: one input stream, one output stream, scanning
// calls that read one value at a time with numbered checkpoints, the open and
// save dialogs, and paths inside the application folder.
#pragma once
#include <fstream>
#include "basekit/bk_funct.h"

enum {
  FTYPE_AIRFOIL = 301, FTYPE_FLAP = 302, FTYPE_SITUATION = 305, FTYPE_AIRCRAFT = 306,
  FTYPE_ANY_TEXT = 307, FTYPE_ANY_BINARY = 308
};

extern std::ifstream inf;
extern std::ofstream ouf;
extern int  inf_is_bin;
extern int  rev_inf_bin;
extern char x_eln;
extern char app_path[STR_DIM];
extern char prefs_path[STR_DIM];
extern char filter_str[STR_DIM];
extern char def_ext[8];

// Any scanning error ends the program with an alert naming the call and fname.
// Text files read the same with LF, CRLF or CR line ends.
// Readers that fall back instead (preferences, situations) set scan_soft: a
// failed scan then returns 0 (an empty string), sets scan_failed and leaves
// the stream failed, so that every later scan fails too. checkpoint() stays
// fatal; such readers check their own.
extern int scan_soft;
extern int scan_failed;
void  rln(const char* fname);
int   intscan(const char* fname);
float fltscan(const char* fname);
int   bolscan(const char* fname);
int   intscanNOSN(const char* fname);
float fltscanNOSN(const char* fname);
int   bolscanNOSN(const char* fname);
// Text: the rest of the line, at most dim - 2 characters. Binary: a field of
// exactly dim bytes, always terminated.
void  stringscan(char* C_string, const char* fname, int dim);
void  checkpoint(int pointwanted);
void  rev_byte_order(void* value);  // 4 bytes
// 1 on success. A wrong or unreadable version returns 0 quietly when
// alert_bad_version is 0, and is fatal otherwise.
int   inf_open(const char* inf_name, int ftype, int version, int alert_bad_version);
// Writes go to a temporary file beside ouf_name; ouf_close() flushes it and
// renames it over the old file, so a failed save leaves the old file whole.
// Both return 1 on success, or show the "could not save" alert and return 0.
int   ouf_open(const char* ouf_name, int ftype, int version);
int   ouf_close();
// The open and save dialogs start in the folder of C_path (else app_path); on
// OK they leave the full path in C_path and the bare name in C_file and return
// 1, on cancel 0. A saved name typed without extension gets the type's own.
int   MACIBM_open(char* C_file, char* C_path, int file_type);
int   MACIBM_save(char* C_file, char* C_path, int file_type);
void  set_up_IBM_filter(int file_type);
int   build_IBM_filter(const char* name, const char* ext);
// path = app_path/dir/file (app_path/file for an empty dir), '\\' read as '/'.
// A name that climbs out through ".." or does not fit gives "" and returns 0.
int   ap_dir(const char* dir, const char* file, char* path);
