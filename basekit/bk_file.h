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

void  rln(const char* fname);
int   intscan(const char* fname);
float fltscan(const char* fname);
int   bolscan(const char* fname);
int   intscanNOSN(const char* fname);
float fltscanNOSN(const char* fname);
int   bolscanNOSN(const char* fname);
void  stringscan(char* C_string, const char* fname, int dim);
void  checkpoint(int pointwanted);
void  rev_byte_order(void* value);  // 4 bytes
int   inf_open(const char* inf_name, int ftype, int version, int alert_bad_version);
int   ouf_open(const char* ouf_name, int ftype, int version);
int   MACIBM_open(char* C_file, char* C_path, int file_type);
int   MACIBM_save(char* C_file, char* C_path, int file_type);
void  set_up_IBM_filter(int file_type);
int   build_IBM_filter(const char* name, const char* ext);
void  ap_dir(const char* dir, const char* file, char* path);
