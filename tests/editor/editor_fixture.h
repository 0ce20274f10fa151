// Shared by the editor tests: a scratch application folder, elevation models
// written through GDAL, and a quadrant with some of everything.
#pragma once
#include <gtest/gtest.h>
#include <filesystem>
#include <functional>
#include <string>
#include "basekit/bk_file.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/desktop.h"
#include "basekit/platform/platform.h"
#include "editor/ed.h"
#include "editor/ui.h"

namespace fs = std::filesystem;

struct editor_dir {
  fs::path root;
  editor_dir();
  ~editor_dir();
  fs::path nav_dir() const { return root / "additional nav data"; }
};

// Editor records back to their start-up state, app_path and prefs_path in dir.
void editor_reset(const editor_dir& dir);
std::string read_file(const fs::path& p);
std::string last_alert();

// A one-degree model of 1201 x 1201 samples at the corner, height z(p, k) of
// profile p (west to east) and sample k (south to north), written by the
// GDAL driver named ("USGSDEM", "SRTMHGT", "GTiff"); 1 on success.
int write_model(const fs::path& path, const char* driver, int lat, int lon,
                const std::function<float(int p, int k)>& z);
// The elevation file's second header form: every exponent number of the
// profile headers written as a plain decimal in the same field.
void dem_to_decimal_headers(const fs::path& from, const fs::path& to);

// Heights, water, diagonals, textures and obstacles of all kinds.
void fill_quadrant(int lat, int lon);
