// Text and binary data files: one input stream, one output stream, scanning
// calls that read one value at a time with numbered checkpoints, the open and
// save dialogs, and paths inside the application folder.
#pragma once
#include <cstdio>
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
// Why prefs_path is empty (no home folder, a path too long): a line for the
// message that says the settings cannot be saved.
extern char prefs_problem[STR_DIM];
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
// alert_bad_version is 0, and is fatal otherwise. Only regular files are
// opened: a pipe, device or folder never blocks the program.
int   inf_open(const char* inf_name, int ftype, int version, int alert_bad_version);
// Why the last inf_open gave 0, so that callers say what is wrong with the file.
enum { INF_OK = 0, INF_MISSING, INF_NOT_FILE, INF_UNREADABLE, INF_NOT_DATA, INF_BAD_VERSION };
extern int inf_open_why;
// The file inf was last opened on (the checkpoints' messages name it).
extern char inf_path[STR_DIM];
// What is wrong with a file, as a line for a message: "It is not a regular
// file (a folder, pipe or device)." and the like; "" for INF_OK.
const char* inf_why_text(int why);
// INF_OK, INF_MISSING, INF_NOT_FILE or INF_UNREADABLE, without opening anything.
int   file_kind(const char* path);

// Numbers checked against the range they can physically have. A value
// outside lo..hi ends the program with a message naming the file, the field
// and the value; a reader with scan_soft set gets scan_failed instead, the
// lines of the message in scan_problem, and the value clamped.
extern char scan_problem[4][STR_DIM];
float fltscan_in(const char* fname, const char* field, float lo, float hi);
float fltscanNOSN_in(const char* fname, const char* field, float lo, float hi);
int   intscan_in(const char* fname, const char* field, int lo, int hi);
int   intscanNOSN_in(const char* fname, const char* field, int lo, int hi);
// The same check for a value already read; returns it (clamped when soft).
float flt_in(float v, const char* fname, const char* field, float lo, float hi);
int   int_in(int v, const char* fname, const char* field, int lo, int hi);
// Writes go to a temporary file created anew beside ouf_name ("name.XXXXXX.tmp~");
// ouf_close() flushes it and renames it over the old file, so a failed save
// leaves the old file whole. A symbolic link at ouf_name is replaced, never
// followed. Both return 1 on success, or show an alert and return 0.
int   ouf_open(const char* ouf_name, int ftype, int version);
int   ouf_close();
// A report or log file opened for writing (truncated), never through a link;
// nullptr for an empty path or when it cannot be made.
std::FILE* fopen_output(const char* path);
// Replaces path with text the way ouf_open/ouf_close do, without alerts and
// without touching the streams (the exit path uses it); 1 on success.
int   save_text_file(const char* path, const char* text);
// Removes what interrupted saves left in a folder ("*.tmp~"); returns how many.
int   remove_stray_temps(const char* folder);
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
