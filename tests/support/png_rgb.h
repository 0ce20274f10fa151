// The RGB pixels of a PNG file, for tests that look at screenshots.
#pragma once
#include <png.h>
#include <string>
#include <vector>

namespace runner_test {

// Empty when the file cannot be read.
inline std::vector<unsigned char> png_rgb(const std::string& path, int* w, int* h) {
  png_image img{};
  img.version = PNG_IMAGE_VERSION;
  std::vector<unsigned char> px;
  if (!png_image_begin_read_from_file(&img, path.c_str())) return px;
  img.format = PNG_FORMAT_RGB;
  px.resize(PNG_IMAGE_SIZE(img));
  if (!png_image_finish_read(&img, nullptr, px.data(), 0, nullptr)) px.clear();
  *w = (int)img.width;
  *h = (int)img.height;
  return px;
}

}  // namespace runner_test
