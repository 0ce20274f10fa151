// Helpers for the rasteriser and glyph tests: small surfaces and windows
// shown as ASCII pictures.
#pragma once
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "basekit/bk_graph.h"
#include "basekit/bk_hooks.h"
#include "basekit/bk_mnw.h"
#include "basekit/platform/desktop.h"
#include "tests/support/catch_fatal.h"

// Pixel values as characters: 0 '.', 1 '#', 2..9 their digit, 11 'k' (the
// colour key), other values 'A' + (value % 26).
inline char pixel_char(uint8_t v) {
  if (v == 0) return '.';
  if (v == 1) return '#';
  if (v >= 2 && v <= 9) return (char)('0' + v);
  if (v == 11) return 'k';
  return (char)('A' + v % 26);
}

inline std::string picture_of(const uint8_t* p, int stride, int w, int h) {
  std::string s;
  for (int y = 0; y < h; y++) {
    for (int x = 0; x < w; x++) s += pixel_char(p[y * stride + x]);
    s += '\n';
  }
  return s;
}

// Rows of a picture written one string per row.
inline std::string rows(std::initializer_list<const char*> lines) {
  std::string s;
  for (const char* l : lines) {
    s += l;
    s += '\n';
  }
  return s;
}

struct RasterTest : ::testing::Test {
  drawcontext dc{};
  std::vector<uint8_t> window;

  void SetUp() override {
    for (int w = 0; w < GWORLDS; w++) MACIBM_disposegworld(w);
    locked = 0;
    active_dc = nullptr;
    hok.change_colors_for_time = nullptr;
  }
  void TearDown() override {
    for (int w = 0; w < GWORLDS; w++) MACIBM_disposegworld(w);
    locked = 0;
    active_dc = nullptr;
    hok.end_process = nullptr;
    hok.change_colors_for_time = nullptr;
  }
  // A w x h surface 0 filled with background, locked.
  void lock_surface(int w, int h, int background = 0, int index = 0) {
    MACIBM_initgworld(index, w, h);
    MACIBM_settogworld(index, w, h, background);
  }
  std::string surface(int index = 0) {
    int r, w, h;
    uint8_t* p = gworld_pixels(index, &r, &w, &h);
    return p ? picture_of(p, r, w, h) : std::string("(no surface)");
  }
  // A w x h window client filled with background, made current.
  void make_window(int w, int h, int background = 0) {
    window.assign((size_t)w * h, (uint8_t)background);
    dc = drawcontext{window.data(), w, w, h};
    active_dc = &dc;
  }
  std::string window_picture() { return picture_of(window.data(), dc.row, dc.dx, dc.dy); }
};
