// Shared by the world tests: a scratch application folder, writers of small
// airport, navaid and environment files, and catching fatal alerts.
#pragma once
#include <gtest/gtest.h>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include "basekit/bk_const.h"
#include "basekit/bk_file.h"
#include "basekit/bk_hooks.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/desktop.h"
#include "basekit/platform/platform.h"
#include "sim/flight/flt.h"
#include "sim/world/apt.h"
#include "sim/world/grid.h"
#include "sim/world/obs.h"

namespace fs = std::filesystem;

extern jmp_buf world_jump;
void world_jump_out(int status);

// Runs stmt expecting a fatal alert; true when one ended it.
#define WORLD_FATAL(stmt)                            \
  ([&]() -> bool {                                   \
    hok.end_process = world_jump_out;                \
    desk_alert_record_clear();                       \
    if (setjmp(world_jump) == 0) {                   \
      stmt;                                          \
      hok.end_process = nullptr;                     \
      return false;                                  \
    }                                                \
    hok.end_process = nullptr;                       \
    return true;                                     \
  }())

std::string last_alert();

// A scratch application folder that app_path points at for one test.
struct world_dir {
  fs::path root;
  world_dir();
  ~world_dir();
  fs::path nav_dir() const { return root / "additional nav data"; }
  void write(const fs::path& rel, const std::string& text) const;
};

// One airport line of the file format (lengths and widths in feet).
struct apt_rec {
  const char* id;
  const char* name;
  float lat, lon;
  int num;
  char lr;
  int hdng, len_ft, width_ft;
  float z_ft;
  int twr;
};
std::string apt_line(const apt_rec& a);
std::string apt_file(const std::vector<std::string>& lines);
std::string nav_line(int type, float lat, float lon, const char* id, const char* name, int f1 = 113, int f2 = 0);

// Content of one environment quadrant: heights and flags per point, objects.
struct env_object {
  int type;
  float lat, lon, height_ft;
  int i, j;
};
struct quad_data {
  int lat, lon;
  float z[60][80];
  int flags[60][80];
  std::vector<env_object> objects;
};
// Hills to the east, sea along the west third, a couple of buildings and masts.
void make_quad(quad_data& q, int lat, int lon);
void write_env_binary(const fs::path& path, const quad_data& q, int big_endian, int version = 4);
void write_env_text(const fs::path& path, const quad_data& q, int version = 3, int checkpoint = 1);
// The folder-and-name path of quadrant (lat, lon) under root/DATA.
fs::path env_path(const fs::path& root, int lat, int lon);
// A whole file's bytes; empty when it cannot be read.
std::string file_bytes(const fs::path& path);
// Points, heights and flags of a binary environment file as the editor and
// the runner write it (little-endian, no objects); 0 when it is not one.
struct env_points {
  float lat[60][80], lon[60][80], z[60][80];
  int flags[60][80];
};
int read_env(const fs::path& path, env_points* e);

// Fresh records, constants and a fixed random sequence.
void world_reset();

// Per tenth column of a screenshot's view, the first row below the sky
// (45..265); empty when the file cannot be read.
std::vector<int> skyline(const std::string& path);
