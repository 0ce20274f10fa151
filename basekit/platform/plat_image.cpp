// Reading the panel's pictures: 8-bit palette PNG files whose pixel values
// are the program's palette indices.
#include <png.h>
#include <cstdio>
#include <cstdlib>
#include "basekit/platform/platform.h"

enum { IMAGE_MAX_SIDE = 4096 };

int plat_load_png_indices(const char* path, int* dx, int* dy, uint8_t** pixels) {
  *pixels = nullptr;
  FILE* f = plat_fopen_regular(path);  // a pipe there would block the start
  if (!f) return 0;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    if (png) png_destroy_read_struct(&png, nullptr, nullptr);
    std::fclose(f);
    return 0;
  }
  uint8_t* buf = nullptr;
  png_bytep* rows = nullptr;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    std::free(buf);
    std::free(rows);
    std::fclose(f);
    return 0;
  }
  png_init_io(png, f);
  png_read_info(png, info);
  png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
  int ok = png_get_color_type(png, info) == PNG_COLOR_TYPE_PALETTE && png_get_bit_depth(png, info) == 8 &&
           png_get_interlace_type(png, info) == PNG_INTERLACE_NONE && w > 0 && h > 0 && w <= IMAGE_MAX_SIDE &&
           h <= IMAGE_MAX_SIDE;
  if (ok) {
    buf = (uint8_t*)std::malloc((size_t)w * h);
    rows = (png_bytep*)std::malloc(sizeof(png_bytep) * h);
    ok = buf && rows;
  }
  if (ok) {
    for (png_uint_32 y = 0; y < h; y++) rows[y] = buf + (size_t)y * w;
    png_read_image(png, rows);
    png_read_end(png, nullptr);
  }
  png_destroy_read_struct(&png, &info, nullptr);
  std::free(rows);
  std::fclose(f);
  if (!ok) {
    std::free(buf);
    return 0;
  }
  *dx = (int)w;
  *dy = (int)h;
  *pixels = buf;
  return 1;
}
