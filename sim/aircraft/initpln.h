// Reading an aircraft with its flap table and airfoils, and preparing its
// geometry for the flight model.
#pragma once
#include <cstdio>

// ---- the aircraft file ----
void load_plane();                     // reads pln.C_path, then prepares the geometry
void grabapart(int point, int part);   // one part's block
int  ret_ins_sep(int loc_a, int loc_b);
// The aircraft a first start flies: fills pln.C_path and pln.C_file.
void default_aircraft_path(char* path);  // path is STR_DIM characters
void set_default_aircraft();
// The banner that heads "Tarvel.out" and "Tarvel.box" for this aircraft.
void write_plane_banner(FILE* out);

// ---- airfoil files ----
void grabafoil(const char* name, int EN, int Re, int RT);
void wingalign(float angle_read, float angle_expected, const char* name);
void checkRediff(const char* name1, const char* name2, int EN, int RT);

// ---- geometry ----
void finish_readin1();
void finish_readin2();
void dump_geo();
int   have_this_part(int part);
float get_wing_rarm(int p, int j);
float get_wing_xarm(int p, float r);
float get_wing_yarm(int p, float r);
float get_wing_zarm(int p, float r);
int   f_body_s_dim(int p);
int   f_body_r_dim(int p);
void  get_body_os(int part, float* x, float* y, float* z);

// ---- the geometry report ("Tarvel.out") ----
// Everything the load writes to the report is kept for the last load (and
// copied at once to the live stream when one is set), so a caller can print it.
void geo_rep_clear();
void geo_printf(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
void write_geo_report(FILE* out);
const char* geo_report_text();
void set_geo_report_stream(FILE* out);   // null: keep only the copy
